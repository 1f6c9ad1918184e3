// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the history keeps of each question and the statistics it reads back.
#include "history/History.h"
#include "practice/QuestionHistory.h"
#include "records/RecordDate.h"
#include "tests/practice/PracticeRig.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace miminomi::testing {

namespace {

constexpr std::int64_t aDay = 86'400;
constexpr std::int64_t firstNoon = 1'700'000'000; // then each day k at firstNoon + k days

StoredQuestion noteQuestion(std::vector<StoredAnswer> rows) {
    StoredQuestion question;
    question.answers = std::move(rows);
    return question;
}

/// A single-note row: `asked` answered with the name of `named` (or nothing) and `asked`'s octave.
StoredAnswer noteRow(int asked, std::optional<int> named) {
    StoredAnswer row;
    row.askedNote = asked;
    if (named)
        row.chosenName = *named % 12;
    row.chosenOctave = asked / 12;
    row.right = named == asked;
    return row;
}

} // namespace

TEST(History, CountsItemsConfusionsAndOnlyTheDaysWithAnswersOverThePeriod) {
    TemporaryFolder folder;
    FixedCalendarClock clock(firstNoon);
    std::ostringstream diagnostics;
    History history(folder.filePath("history.sqlite3"), clock, diagnostics);
    EXPECT_TRUE(history.statistics(Exercise::note, Period::everything)->empty());
    EXPECT_FALSE(std::filesystem::exists(history.path())) << "reading makes no file";

    // Day 0: F#4 heard as G4 twice, C4 right. Day 2 (none on day 1): F#4 right, E4 unanswered,
    // and a question whose answer was looked at first.
    history.add(noteQuestion({noteRow(66, 67), noteRow(60, 60)}));
    history.add(noteQuestion({noteRow(66, 67)}));
    clock.seconds += 2 * aDay;
    history.add(noteQuestion({noteRow(66, 66), noteRow(64, std::nullopt)}));
    StoredQuestion looked = noteQuestion({noteRow(62, 62)});
    looked.answers[0].right.reset();
    looked.answerSeen = true;
    history.add(looked);

    const auto all = history.statistics(Exercise::note, Period::everything);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->questions, 4);
    EXPECT_EQ(all->lookedAt, 1);
    EXPECT_EQ(all->total, (Tally{2, 3}));
    EXPECT_EQ(all->unanswered, 1);
    EXPECT_EQ(all->confusions, (std::vector<Confusion>{{ItemKind::note, 66, 67, 2}}));
    EXPECT_EQ((all->items.at({ItemKind::note, 66})), (Tally{1, 2}));
    EXPECT_EQ((all->items.at({ItemKind::note, 64})), (Tally{0, 1}));
    const std::int32_t day0 = RecordDate::localDateAt(firstNoon).dayNumber();
    EXPECT_EQ(all->days, (std::vector<DayAccuracy>{{day0, {1, 2}}, {day0 + 2, {1, 1}}}));

    const auto today = history.statistics(Exercise::note, Period::today);
    EXPECT_EQ(today->questions, 2);
    EXPECT_EQ(today->days.size(), 1u);
    EXPECT_TRUE(today->confusions.empty());
    EXPECT_TRUE(history.statistics(Exercise::chord, Period::everything)->empty());
    EXPECT_EQ(diagnostics.str(), "");
}

TEST(History, AWrongNoteIsOnePitchMissedByAnIntervalUpOrDown) {
    TemporaryFolder folder;
    FixedCalendarClock clock(firstNoon);
    History history(folder.filePath("history.sqlite3"), clock);
    const auto row = [](int asked, std::optional<int> name, std::optional<int> octave) {
        return StoredAnswer{asked, std::nullopt, name, octave, std::nullopt, false};
    };
    // B4 heard as C5 three times and C5 as B4 once: semitone slips across B/C, each in another
    // octave than the one asked. E4 named right in the octave above, twice; D4 heard as F4.
    for (int k = 0; k < 3; ++k)
        history.add(noteQuestion({row(71, 0, 6)}));
    history.add(noteQuestion({row(72, 11, 5), row(64, 4, 6), row(64, 4, 6), row(62, 5, 5)}));
    // Names without a height: C for B4 (the nearer C is above), B for B4 itself, F# for C4 (as
    // near either way: the one in C4's octave); a height without a name, and nothing at all.
    history.add(noteQuestion(
        {row(71, 0, {}), row(71, 11, {}), row(60, 6, {}), row(60, {}, 5), row(67, {}, {})}));

    const auto notes = history.statistics(Exercise::note, Period::everything);
    EXPECT_EQ(notes->slips,
              (std::vector<NoteSlip>{{1, 4}, {12, 2}, {0, 1}, {-1, 1}, {3, 1}, {6, 1}}));
    EXPECT_EQ(notes->unanswered, 2);
    EXPECT_EQ(notes->confusions, (std::vector<Confusion>{{ItemKind::note, 71, 72, 3},
                                                         {ItemKind::note, 64, 76, 2},
                                                         {ItemKind::note, 62, 65, 1},
                                                         {ItemKind::note, 72, 71, 1},
                                                         {ItemKind::noteName, 60, 6, 1},
                                                         {ItemKind::noteName, 71, 0, 1}}));
    EXPECT_EQ((notes->items.at({ItemKind::note, 71})), (Tally{0, 5}));
    EXPECT_EQ(notes->total, (Tally{0, 12}));
}

TEST(History, PercentagesAreRoundedAndOnlyAllOrNothingIsAHundredOrZero) {
    EXPECT_EQ(roundedPercent({2, 1}), 67);
    EXPECT_EQ(roundedPercent({1, 7}), 13);
    EXPECT_EQ(roundedPercent({199, 1}), 99);
    EXPECT_EQ(roundedPercent({1, 199}), 1);
    EXPECT_EQ(roundedPercent({3, 0}), 100);
    EXPECT_EQ(roundedPercent({}), 0);
}

TEST(History, KeepsWhatThePracticeMarksScalesHeardInTheOtherListAndPiecesByGrade) {
    TemporaryFolder folder;
    PracticeRig rig;
    History history(folder.filePath("history.sqlite3"), rig.calendar);
    rig.practice.onQuestionEnded = [&](const MarkedQuestion &question) {
        history.add(storedQuestionOf(question));
    };

    // A Western scale answered in the Japanese list, with the right key.
    rig.practice.selectPage(Exercise::scale);
    rig.ask();
    const Choices right = rig.practice.drill(Exercise::scale).rightAnswer();
    rig.practice.check({right[0], 0, 1});
    // A chord looked at before marking counts neither way.
    rig.practice.selectPage(Exercise::chord);
    rig.ask();
    rig.practice.showAnswer({1, 1});
    // A melody graded "どっちかというと間違い" twice.
    for (int k = 0; k < 2; ++k)
        rig.practice.selfCheck(Exercise::melody, 3);

    const auto scales = history.statistics(Exercise::scale, Period::everything);
    ASSERT_EQ(scales->confusions.size(), 1u);
    EXPECT_EQ(scales->confusions[0].kind, ItemKind::scaleType);
    EXPECT_EQ(scales->confusions[0].answered, 9) << "the first Japanese scale";
    EXPECT_EQ(scales->total, (Tally{0, 1}));
    const auto chords = history.statistics(Exercise::chord, Period::everything);
    EXPECT_EQ(chords->questions, 1);
    EXPECT_EQ(chords->lookedAt, 1);
    EXPECT_EQ(chords->total, Tally{});
    const auto melodies = history.statistics(Exercise::melody, Period::everything);
    ASSERT_EQ(melodies->pieces.size(), 1u);
    EXPECT_EQ(melodies->pieces[0].grades, (std::array<std::int64_t, 5>{0, 0, 0, 2, 0}));
    EXPECT_EQ(melodies->total, (Tally{0, 2}));
}

TEST(History, KeepsTheRangeTheNotesWereDrawnFromNotWhatTheBoxesShow) {
    PracticeRig rig;
    const auto kept = [&] {
        rig.practice.check({});
        const StoredSettings settings = storedQuestionOf(rig.ended.back()).settings;
        return std::pair(settings.rangePreset, settings.onlyWhiteKeys);
    };
    using Kept = std::pair<std::optional<std::int32_t>, bool>;
    // Black keys allowed while no range is chosen: the pool is still of white keys.
    rig.practice.setNoteRange({noChoice, false});
    rig.ask();
    EXPECT_EQ(kept(), (Kept{std::nullopt, true}));
    rig.practice.setNoteRange({1, false});
    rig.ask();
    // A range chosen after the question was asked, or text naming no range, changes nothing of it.
    rig.practice.setNoteRange({0, true});
    EXPECT_EQ(kept(), (Kept{1, false}));
    rig.practice.setNoteRange({noChoice, true});
    rig.ask();
    EXPECT_EQ(kept(), (Kept{0, true}));
}

} // namespace miminomi::testing
