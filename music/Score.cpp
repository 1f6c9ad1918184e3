// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/Score.h"

#include <array>

namespace miminomi::music {

namespace {

/// Semitones above C of each step.
constexpr std::array<std::int32_t, 7> stepSemitones = {0, 2, 4, 5, 7, 9, 11};
/// The order sharps enter a signature: F C G D A E B.
constexpr std::array<Step, 7> sharpOrder = {Step::F, Step::C, Step::G, Step::D,
                                            Step::A, Step::E, Step::B};

} // namespace

std::int32_t Pitch::midi() const {
    return (octave + 1) * 12 + stepSemitones[static_cast<std::size_t>(step)] + alter;
}

std::int32_t NoteValue::ticks() const {
    std::int32_t base = ticksPerQuarter * 4 >> static_cast<int>(type);
    std::int32_t total = base;
    for (std::uint8_t dot = 0; dot < dots; ++dot) {
        base /= 2;
        total += base;
    }
    return total;
}

std::int8_t Key::signatureAlter(Step step) const {
    for (int k = 0; k < 7; ++k) {
        if (fifths > k && sharpOrder[static_cast<std::size_t>(k)] == step)
            return 1;
        // Flats enter in the reverse order: B E A D G C F.
        if (-fifths > k && sharpOrder[static_cast<std::size_t>(6 - k)] == step)
            return -1;
    }
    return 0;
}

std::pair<Step, std::int8_t> Key::tonic() const {
    // The major tonic moves a fifth (four steps) per sharp; the minor one lies a minor third below.
    const int majorStep = ((fifths * 4) % 7 + 7) % 7;
    const int tonicStep = minor ? (majorStep + 5) % 7 : majorStep;
    const auto step = static_cast<Step>(tonicStep);
    return {step, signatureAlter(step)};
}

/// `item` moved into `key` (same mode): every pitch by the interval between the two tonics, the
/// nearer way.
Score transposed(Score item, const Key &key) {
    const auto [fromStep, fromAlter] = item.key.tonic();
    Key target = key;
    target.minor = item.key.minor;
    const auto [toStep, toAlter] = target.tonic();
    int steps = (static_cast<int>(toStep) - static_cast<int>(fromStep) + 7) % 7;
    if (steps > 3)
        steps -= 7;
    const Pitch from{fromStep, fromAlter, 4};
    Pitch to{toStep, toAlter, 4};
    to.octave = static_cast<std::int8_t>(4 + (static_cast<int>(fromStep) + steps < 0   ? -1
                                              : static_cast<int>(fromStep) + steps > 6 ? 1
                                                                                       : 0));
    const int semitones = to.midi() - from.midi();
    for (auto &bar : item.bars)
        for (auto *voice : {&bar.upper, &bar.lower})
            for (auto &note : *voice) {
                if (!note.pitch)
                    continue;
                const int staffStep = note.pitch->staffStep() + steps;
                const int step = ((staffStep % 7) + 7) % 7;
                const int octave = (staffStep - step) / 7 + 4;
                const int natural =
                    Pitch{static_cast<Step>(step), 0, static_cast<std::int8_t>(octave)}.midi();
                note.pitch =
                    Pitch{static_cast<Step>(step),
                          static_cast<std::int8_t>(note.pitch->midi() + semitones - natural),
                          static_cast<std::int8_t>(octave)};
            }
    item.key = target;
    return item;
}

} // namespace miminomi::music
