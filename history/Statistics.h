// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryItem.h"
#include "records/Exercise.h"
#include "records/Tally.h"

#include <array>
#include <cstdint>
#include <vector>

namespace miminomi {

/// The stretch of days the statistics look at, ending today.
enum class Period : std::int32_t { today, week, month, everything };

/// The first local day (days since 1970-01-01) of `period` when today is `today`.
std::int32_t firstDayOf(Period period, std::int32_t today);

/// What the learner answered `asked` as, and how often; `answered` is -1 for a list left blank
/// while the other list of the answer was chosen. A single note is a pitch: `asked` and `answered`
/// are note numbers (ItemKind::note), or `answered` is the pitch class of a name chosen without
/// its height (ItemKind::noteName).
struct Confusion {
    ItemKind kind = ItemKind::note;
    std::int32_t asked = 0;
    std::int32_t answered = 0;
    std::int64_t count = 0;

    bool operator==(const Confusion &) const = default;
};

/// How far and which way single notes were answered wrong, and how often.
struct NoteSlip {
    /// The pitch answered minus the pitch asked, in semitones: a multiple of 12 is the right name
    /// in the wrong height. A name chosen without its height counts as the nearest note of that
    /// name (of two equally near, the one in the asked note's octave); 0 is the right name without
    /// its height.
    std::int32_t semitones = 0;
    std::int64_t count = 0;

    bool operator==(const NoteSlip &) const = default;
};

/// The share of right answers in whole percent, rounded to the nearest (2 of 3 is 67); 100 only
/// when every answer was right and 0 only when none was, so that a single miss always shows.
std::int32_t roundedPercent(const Tally &tally);

/// One day with answers.
struct DayAccuracy {
    std::int32_t day = 0; // local day, days since 1970-01-01
    Tally tally;

    bool operator==(const DayAccuracy &) const = default;
};

/// How often each grade was given to a piece.
struct PieceGrades {
    std::int32_t piece = 0;
    std::array<std::int64_t, 5> grades{};

    bool operator==(const PieceGrades &) const = default;
};

/// What the history tells of one exercise over a period.
struct Statistics {
    /// Right and wrong over the period (for pieces: the grades' points).
    Tally total;
    /// Questions asked in the period, and those whose answer was looked at before marking
    /// (counted neither right nor wrong).
    std::int64_t questions = 0;
    std::int64_t lookedAt = 0;
    /// Wrong answer rows in which nothing naming an item was chosen: left blank, or typed as text
    /// that names no item (for a single note, a height without a name names no pitch).
    std::int64_t unanswered = 0;
    /// Accuracy per item, ordered by item.
    ItemTallies items;
    /// The most frequent confusions, most frequent first.
    std::vector<Confusion> confusions;
    /// Single notes: every kind of slip, most frequent first.
    std::vector<NoteSlip> slips;
    /// The days with answers, in order.
    std::vector<DayAccuracy> days;
    /// Rhythm and melody: the grades per piece, by piece number.
    std::vector<PieceGrades> pieces;

    bool empty() const { return questions == 0; }
};

/// One group of identical answer rows of a period, as the history counts them.
struct AnswerGroup {
    std::int32_t day = 0;
    std::int32_t askedNote = 0;
    std::int32_t askedType = -1;
    std::int32_t chosenName = -1; // -1: no choice
    std::int32_t chosenOctave = -1;
    std::int32_t chosenType = -1;
    std::int32_t right = -1; // 1 right, 0 wrong, -1 looked at before marking
    std::int64_t count = 0;
    /// Of them, the first rows of their questions.
    std::int64_t firstRows = 0;
};

/// One group of identical self-marked pieces of a period.
struct PieceGroup {
    std::int32_t day = 0;
    std::int32_t piece = 0;
    std::int32_t grade = -1; // -1: no grade
    Tally points;
    std::int64_t count = 0;
};

/// Builds the statistics of one exercise from the groups of its answers.
class StatisticsBuilder {
public:
    explicit StatisticsBuilder(Exercise exercise) : exercise(exercise) {}

    void addQuestions(std::int64_t count) { statistics.questions += count; }
    /// Adds answer rows: marked ones to the items, the confusions and slips, the days and the
    /// total; those looked at before marking to the questions looked at.
    void add(const AnswerGroup &group);
    /// Adds self-marked pieces: to the grades, the days and the total.
    void add(const PieceGroup &group);
    /// The statistics, with the `keepConfusions` most frequent confusions.
    Statistics finish(std::size_t keepConfusions);

private:
    void count(ItemKey item, bool right, std::int64_t count);
    void confuse(ItemKind kind, std::int32_t asked, std::int32_t answered, std::int64_t count);
    void slip(const AnswerGroup &group);
    void countDay(std::int32_t day, Tally tally);

    Exercise exercise;
    Statistics statistics;
    std::map<std::array<std::int32_t, 3>, std::int64_t> confusions;
    std::map<std::int32_t, std::int64_t> slips;
    std::map<std::int32_t, Tally> days;
    std::map<std::int32_t, PieceGrades> pieces;
};

} // namespace miminomi
