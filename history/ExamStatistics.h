// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StoredExam.h"

#include <cstdint>
#include <string>
#include <vector>

namespace miminomi {

/// The exam items of one level and mode marked on one day.
struct ExamDay {
    std::int32_t level = 1;
    std::int32_t day = 0; // local day, days since 1970-01-01
    std::int64_t items = 0;
    /// The sum of their marks; scoreSum / items is the day's mean.
    std::int64_t scoreSum = 0;
    /// A level's melodies and their rhythms alone are counted apart.
    StoredExam::Mode mode = StoredExam::Mode::melody;

    /// The mean mark, rounded to the nearest whole point.
    std::int32_t meanScore() const {
        return items == 0 ? 0 : static_cast<std::int32_t>((2 * scoreSum + items) / (2 * items));
    }
    bool operator==(const ExamDay &) const = default;
};

/// How often a note on a scale degree was missed (written wrong in pitch or not written).
struct DegreeMiss {
    std::int32_t degree = 1; // 1..7
    std::int32_t alteration = 0;
    /// The degree of a minor key (named from its own tonic).
    bool minor = false;
    std::int64_t count = 0;

    bool operator==(const DegreeMiss &) const = default;
};

/// How often a melodic move was missed, by signed staff steps (2 a third up, -4 a fifth down).
struct IntervalMiss {
    std::int32_t steps = 0;
    std::int64_t count = 0;

    bool operator==(const IntervalMiss &) const = default;
};

/// How often a beat with a rhythm figure held a mistake ("x--x", as music::rhythmFigures()).
struct FigureMiss {
    std::string figure;
    std::int64_t count = 0;

    bool operator==(const FigureMiss &) const = default;
};

/// What the history tells of the exam items over a period.
struct ExamStatistics {
    std::int64_t items = 0;
    /// The items per level and day, by mode (melodies first), level, then day.
    std::vector<ExamDay> days;
    /// The most missed scale degrees, intervals and rhythm figures, most often first (equally
    /// often ones in the order of degree, interval size (upwards first), figure). A degree or
    /// an interval counts the pitch and missing errors of a melody; a figure every error but an
    /// extra note.
    std::vector<DegreeMiss> degrees;
    std::vector<IntervalMiss> intervals;
    std::vector<FigureMiss> figures;

    bool empty() const { return items == 0; }
    bool operator==(const ExamStatistics &) const = default;
};

/// The most missed intervals and rhythm figures of the latest items, for leaning the generator
/// towards them; most often first. (practice/ExamLeaning.h's ExamMisses takes them as maps.)
struct ExamWeakSpots {
    std::vector<IntervalMiss> intervals;
    std::vector<FigureMiss> figures;

    bool empty() const { return intervals.empty() && figures.empty(); }
    bool operator==(const ExamWeakSpots &) const = default;
};

} // namespace miminomi
