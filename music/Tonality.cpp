// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/Tonality.h"

#include <array>
#include <cstdlib>

namespace miminomi::music {

Pitch scalePitch(const Key &key, int tonicOctave, int steps, int raise) {
    const auto [tonicStep, tonicAlter] = key.tonic();
    (void)tonicAlter;
    const int staff = tonicOctave * 7 + static_cast<int>(tonicStep) + steps;
    const int octave = staff >= 0 ? staff / 7 : -((-staff + 6) / 7);
    const auto step = static_cast<Step>(staff - octave * 7);
    return Pitch{step, static_cast<std::int8_t>(key.signatureAlter(step) + raise),
                 static_cast<std::int8_t>(octave)};
}

ScaleDegree scaleDegree(const Key &key, const Pitch &pitch) {
    const int tonicStep = static_cast<int>(key.tonic().first);
    return {(static_cast<int>(pitch.step) - tonicStep + 7) % 7,
            pitch.alter - key.signatureAlter(pitch.step)};
}

Interval intervalBetween(const Pitch &from, const Pitch &to) {
    Interval interval{to.staffStep() - from.staffStep(), to.midi() - from.midi(), false};
    int steps = std::abs(interval.steps);
    int semitones = interval.steps < 0 ? -interval.semitones : interval.semitones;
    semitones -= steps / 7 * 12;
    steps %= 7;
    // The major or perfect size of each interval number within an octave.
    static constexpr std::array<int, 7> natural = {0, 2, 4, 5, 7, 9, 11};
    const bool perfect = steps == 0 || steps == 3 || steps == 4;
    const int off = semitones - natural[static_cast<std::size_t>(steps)];
    interval.altered = perfect ? off != 0 : off != 0 && off != -1;
    return interval;
}

} // namespace miminomi::music
