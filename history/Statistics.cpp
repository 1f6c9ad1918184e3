// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Statistics.h"

#include "quiz/Answers.h"

#include <algorithm>
#include <limits>

namespace miminomi {

namespace {

Tally tallyOf(bool right, std::int64_t count) {
    const auto n = static_cast<std::int32_t>(count);
    return right ? Tally{n, 0} : Tally{0, n};
}

void addTo(Tally &sum, const Tally &more) {
    sum.right += more.right;
    sum.wrong += more.wrong;
}

} // namespace

std::int32_t firstDayOf(Period period, std::int32_t today) {
    switch (period) {
    case Period::today:
        return today;
    case Period::week:
        return today - 6;
    case Period::month:
        return today - 29;
    case Period::everything:
        break;
    }
    return std::numeric_limits<std::int32_t>::min();
}

void StatisticsBuilder::count(ItemKey item, bool right, std::int64_t count) {
    addTo(statistics.items[item], tallyOf(right, count));
}

void StatisticsBuilder::confuse(ItemKind kind, std::int32_t asked, std::int32_t answered,
                                std::int64_t count) {
    if (answered >= 0 && answered != asked)
        confusions[{static_cast<std::int32_t>(kind), asked, answered}] += count;
}

void StatisticsBuilder::countDay(std::int32_t day, Tally tally) {
    addTo(days[day], tally);
    addTo(statistics.total, tally);
}

void StatisticsBuilder::add(const AnswerGroup &group) {
    if (group.right < 0) {
        statistics.lookedAt += group.count;
        return;
    }
    const std::int32_t pitch = group.askedNote % 12;
    const std::int32_t type = group.askedType;
    switch (exercise) {
    case Exercise::note: {
        const std::int32_t octave = group.askedNote / 12;
        count({ItemKind::noteName, pitch}, group.chosenName == pitch, group.count);
        count({ItemKind::octave, octave}, group.chosenOctave == octave, group.count);
        confuse(ItemKind::noteName, pitch, group.chosenName, group.count);
        confuse(ItemKind::octave, octave, group.chosenOctave, group.count);
        break;
    }
    case Exercise::scale: {
        // A Japanese scale is named without a key.
        const bool japanese = Answers::isJapaneseScale(type);
        count({ItemKind::scale, type, japanese ? -1 : pitch}, group.right == 1, group.count);
        confuse(ItemKind::scaleType, type, group.chosenType, group.count);
        if (!japanese)
            confuse(ItemKind::scaleKey, pitch, group.chosenName, group.count);
        break;
    }
    case Exercise::chord:
        count({ItemKind::chordType, type}, group.chosenType == type, group.count);
        count({ItemKind::chordRoot, pitch}, group.chosenName == pitch, group.count);
        confuse(ItemKind::chordType, type, group.chosenType, group.count);
        confuse(ItemKind::chordRoot, pitch, group.chosenName, group.count);
        break;
    case Exercise::risum:
    case Exercise::melody:
        return;
    }
    countDay(group.day, tallyOf(group.right == 1, group.count));
}

void StatisticsBuilder::add(const PieceGroup &group) {
    PieceGrades &grades = pieces[group.piece];
    grades.piece = group.piece;
    if (group.grade >= 0 && group.grade < static_cast<std::int32_t>(grades.grades.size()))
        grades.grades[static_cast<std::size_t>(group.grade)] += group.count;
    const auto times = static_cast<std::int32_t>(group.count);
    const Tally points{group.points.right * times, group.points.wrong * times};
    addTo(statistics.items[{ItemKind::piece, group.piece}], points);
    countDay(group.day, points);
}

Statistics StatisticsBuilder::finish(std::size_t keepConfusions) {
    for (const auto &[key, count] : confusions)
        statistics.confusions.push_back({static_cast<ItemKind>(key[0]), key[1], key[2], count});
    // Most frequent first; equally frequent ones in item order, so the list does not jump.
    std::stable_sort(statistics.confusions.begin(), statistics.confusions.end(),
                     [](const Confusion &a, const Confusion &b) { return a.count > b.count; });
    if (statistics.confusions.size() > keepConfusions)
        statistics.confusions.resize(keepConfusions);
    for (const auto &[day, tally] : days)
        statistics.days.push_back({day, tally});
    for (const auto &[piece, grades] : pieces)
        statistics.pieces.push_back(grades);
    return statistics;
}

} // namespace miminomi
