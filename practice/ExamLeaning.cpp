// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ExamLeaning.h"

#include <algorithm>
#include <vector>

namespace miminomi {

namespace {

constexpr int weighedAtMost = 3;
constexpr int missedAtLeast = 2;
constexpr int highest = 300, lowest = 150;

/// The most missed keys of `misses`, weighted from `highest` down in proportion to their misses
/// and never below `lowest`.
template <typename Key> std::map<Key, int> weighUp(const std::map<Key, int> &misses) {
    std::vector<std::pair<Key, int>> missed;
    for (const auto &[key, count] : misses)
        if (count >= missedAtLeast)
            missed.push_back({key, count});
    // Most missed first; among equals the map's order, so that the same misses lean alike.
    std::stable_sort(missed.begin(), missed.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    if (missed.size() > weighedAtMost)
        missed.resize(weighedAtMost);
    std::map<Key, int> percents;
    for (const auto &[key, count] : missed)
        percents[key] = std::max(lowest, 100 + (highest - 100) * count / missed.front().second);
    return percents;
}

} // namespace

music::DictationLeaning examLeaning(const ExamMisses &misses) {
    return {weighUp(misses.intervals), weighUp(misses.figures)};
}

music::DictationLeaning examLeaningFrom(const ExamWeakSpots &missed) {
    ExamMisses misses;
    for (const IntervalMiss &miss : missed.intervals)
        misses.intervals[miss.steps] = static_cast<int>(miss.count);
    for (const FigureMiss &miss : missed.figures)
        misses.figures[miss.figure] = static_cast<int>(miss.count);
    return examLeaning(misses);
}

} // namespace miminomi
