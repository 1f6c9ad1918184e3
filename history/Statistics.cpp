// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Statistics.h"

#include "quiz/Answers.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>

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

std::int32_t roundedPercent(const Tally &tally) {
    const std::int64_t answers = tally.answers();
    if (answers == 0)
        return 0;
    const auto percent =
        static_cast<std::int32_t>((std::int64_t{tally.right} * 200 + answers) / (2 * answers));
    return std::clamp(percent, tally.right > 0 ? 1 : 0, tally.wrong > 0 ? 99 : 100);
}

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
    if (answered != asked)
        confusions[{static_cast<std::int32_t>(kind), asked, answered}] += count;
}

void StatisticsBuilder::slip(const AnswerGroup &group) {
    const std::int32_t asked = group.askedNote;
    if (group.chosenName < 0) {
        statistics.unanswered += group.count;
        return;
    }
    std::int32_t semitones = 0;
    if (group.chosenOctave >= 0) {
        semitones = group.chosenOctave * 12 + group.chosenName - asked;
        confuse(ItemKind::note, asked, asked + semitones, group.count);
    } else {
        // A name alone stands for the nearest note of that name, the one a slip of the ear most
        // likely meant; of two equally near, the one in the asked note's octave.
        semitones = asked / 12 * 12 + group.chosenName - asked;
        if (semitones > 6)
            semitones -= 12;
        else if (semitones < -6)
            semitones += 12;
        if (semitones != 0)
            confuse(ItemKind::noteName, asked, group.chosenName, group.count);
    }
    // A whole note answered as the asked one was marked right; 0 here is a height left out.
    if (semitones != 0 || group.chosenOctave < 0)
        slips[semitones] += group.count;
}

void StatisticsBuilder::countDay(std::int32_t day, Tally tally) {
    addTo(days[day], tally);
    addTo(statistics.total, tally);
}

void StatisticsBuilder::add(const AnswerGroup &group) {
    // A row whose answer was looked at before marking counts neither way.
    if (group.right < 0) {
        statistics.lookedAt += group.firstRows;
        return;
    }
    const std::int32_t pitch = group.askedNote % 12;
    const std::int32_t type = group.askedType;
    const bool right = group.right == 1;
    // A scale or chord is unanswered when no list named an item (a note when no name was chosen,
    // see slip); one list left blank while the other was answered is a confusion with nothing.
    const bool blank = group.chosenName < 0 && group.chosenType < 0;
    if (!right && blank && exercise != Exercise::note)
        statistics.unanswered += group.count;
    switch (exercise) {
    case Exercise::note:
        // A note is one pitch: its name and height are right or wrong together.
        count({ItemKind::note, group.askedNote}, right, group.count);
        if (!right)
            slip(group);
        break;
    case Exercise::scale: {
        // A Japanese scale is named without a key.
        const bool japanese = Answers::isJapaneseScale(type);
        count({ItemKind::scale, type, japanese ? -1 : pitch}, right, group.count);
        if (blank)
            break;
        confuse(ItemKind::scaleType, type, group.chosenType, group.count);
        if (!japanese)
            confuse(ItemKind::scaleKey, pitch, group.chosenName, group.count);
        break;
    }
    case Exercise::chord:
        count({ItemKind::chordType, type}, group.chosenType == type, group.count);
        count({ItemKind::chordRoot, pitch}, group.chosenName == pitch, group.count);
        if (blank)
            break;
        confuse(ItemKind::chordType, type, group.chosenType, group.count);
        confuse(ItemKind::chordRoot, pitch, group.chosenName, group.count);
        break;
    case Exercise::risum:
    case Exercise::melody:
        return;
    }
    countDay(group.day, tallyOf(right, group.count));
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
    for (const auto &[semitones, count] : slips)
        statistics.slips.push_back({semitones, count});
    // Most frequent first; equally frequent ones the narrower first, and upwards before downwards.
    std::sort(statistics.slips.begin(), statistics.slips.end(),
              [](const NoteSlip &a, const NoteSlip &b) {
                  return std::tuple(-a.count, std::abs(a.semitones), -a.semitones) <
                         std::tuple(-b.count, std::abs(b.semitones), -b.semitones);
              });
    for (const auto &[day, tally] : days)
        statistics.days.push_back({day, tally});
    for (const auto &[piece, grades] : pieces)
        statistics.pieces.push_back(grades);
    return statistics;
}

} // namespace miminomi
