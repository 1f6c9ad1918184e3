// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryItem.h"
#include "records/Exercise.h"

#include <cstdint>
#include <functional>
#include <random>

namespace miminomi {

/// A question as drawn by a generator: the note (or root) and, for scales and chords, the type.
struct DrawnQuestion {
    std::int32_t note = 0;
    std::int32_t type = -1;
};

/// Leans the draw of note, scale and chord questions towards the items the learner has got wrong
/// most often lately. The generator still draws every question, inside the learner's settings; a
/// drawn question is kept with a probability that grows with how weak its items are, otherwise the
/// generator draws again. So every question the settings allow can still come, weak ones more
/// often, and with no weak item every first draw is kept.
class WeakSpots {
public:
    /// Weight of an item never got wrong; an item always got wrong approaches maxWeight.
    static constexpr double maxWeight = 4.0;
    /// Draws at most per question; the last one is kept.
    static constexpr int maxDraws = 32;

    /// `recent` tells the right and wrong answers per item of an exercise's latest answers;
    /// `seed` seeds the generator that decides which draws are kept.
    WeakSpots(std::function<ItemTallies(Exercise)> recent, std::uint32_t seed);

    /// Reads the latest answers of `exercise`, before its next question is drawn.
    void prepare(Exercise exercise);
    /// The weight of a question of the prepared exercise: 1 without weak items, up to
    /// maxWeight; a single note weighs as its pitch (name and height together, as it is marked),
    /// a chord as the weaker of its type and its root.
    double weight(DrawnQuestion question) const;
    /// Calls `draw` until a question is kept, each kept with its weight over the largest weight
    /// any item has.
    DrawnQuestion draw(const std::function<DrawnQuestion()> &draw);

private:
    double weightOf(ItemKey item) const;

    std::function<ItemTallies(Exercise)> recent;
    std::mt19937 keeper;
    Exercise exercise = Exercise::note;
    ItemTallies tallies;
    double largestWeight = 1.0;
};

} // namespace miminomi
