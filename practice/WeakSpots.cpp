// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/WeakSpots.h"

#include "quiz/Answers.h"

#include <algorithm>

namespace miminomi {

WeakSpots::WeakSpots(std::function<ItemTallies(Exercise)> recent, std::uint32_t seed)
    : recent(std::move(recent)), keeper(seed) {}

void WeakSpots::prepare(Exercise prepared) {
    exercise = prepared;
    tallies = recent ? recent(prepared) : ItemTallies{};
    largestWeight = 1.0;
    for (const auto &[item, tally] : tallies)
        largestWeight = std::max(largestWeight, weightOf(item));
}

double WeakSpots::weightOf(ItemKey item) const {
    const auto found = tallies.find(item);
    if (found == tallies.end())
        return 1.0;
    // Wrong answers over answers, with two right ones assumed besides, so that one unlucky answer
    // does not make an item as weak as one missed again and again.
    const Tally &tally = found->second;
    const double rate = tally.wrong / (static_cast<double>(tally.answers()) + 2.0);
    return 1.0 + (maxWeight - 1.0) * rate;
}

double WeakSpots::weight(DrawnQuestion question) const {
    const std::int32_t pitch = question.note % 12;
    switch (exercise) {
    case Exercise::note:
        return weightOf({ItemKind::note, question.note});
    case Exercise::scale:
        return weightOf(
            {ItemKind::scale, question.type, Answers::isJapaneseScale(question.type) ? -1 : pitch});
    case Exercise::chord:
        return std::max(weightOf({ItemKind::chordType, question.type}),
                        weightOf({ItemKind::chordRoot, pitch}));
    case Exercise::risum:
    case Exercise::melody:
        break;
    }
    return 1.0;
}

DrawnQuestion WeakSpots::draw(const std::function<DrawnQuestion()> &drawOne) {
    std::uniform_real_distribution<double> chance(0.0, largestWeight);
    DrawnQuestion drawn = drawOne();
    for (int tries = 1; tries < maxDraws && chance(keeper) >= weight(drawn); ++tries)
        drawn = drawOne();
    return drawn;
}

} // namespace miminomi
