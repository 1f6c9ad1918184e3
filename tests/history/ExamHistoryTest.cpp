// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the history keeps of exam items, the log of answers the review reads, and the lines it
// writes out.
#include "history/History.h"
#include "records/RecordDate.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

constexpr std::int64_t aDay = 86'400;
constexpr std::int64_t firstNoon = 1'700'000'000;
using Kind = StoredExamError::Kind;

StoredExamError error(Kind kind, int bar, int beat, std::optional<int> degree,
                      std::optional<int> steps, std::string figure) {
    StoredExamError made{kind, bar, beat, 0, degree, 0, steps, std::nullopt, std::move(figure)};
    if (steps)
        made.intervalSemitones = *steps * 2; // only kept, never grouped by
    return made;
}

StoredExam exam(int level, int score, std::vector<StoredExamError> errors) {
    StoredExam made;
    made.level = level;
    made.seed = 4'000'000'000u; // beyond a signed 32-bit number
    made.score = score;
    made.errors = std::move(errors);
    return made;
}

StoredQuestion question(Exercise exercise, int asked, std::optional<bool> right,
                        bool review = false) {
    StoredQuestion made;
    made.exercise = exercise;
    made.review = review;
    made.answers.push_back({asked, std::nullopt, asked % 12, asked / 12, std::nullopt, right});
    return made;
}

} // namespace

TEST(ExamHistory, ItemsComeBackLatestFirstAndTheirMissesAreCountedMostOftenFirst) {
    TemporaryFolder folder;
    FixedCalendarClock clock(firstNoon);
    History history(folder.filePath("history.sqlite3"), clock);
    EXPECT_TRUE(history.examStatistics(Period::everything)->empty());

    // Day 0, level 3: a sixth up missed twice in one beat "x-x-", a third down once; a fifth up
    // missed in a minor key, an extra note (neither a degree nor an interval).
    StoredExam first =
        exam(3, 70,
             {error(Kind::pitch, 1, 0, 3, 5, "x-x-"), error(Kind::missing, 1, 0, 5, 5, "x-x-"),
              error(Kind::rhythm, 2, 1, 3, -2, "x--x"),
              error(Kind::extra, 3, 0, std::nullopt, std::nullopt, "x---")});
    first.leaning.intervals = {{5, 250}, {-2, 150}};
    first.leaning.figures = {{"x--x", 200}};
    first.key = {-3, true};
    first.metre = {6, 8};
    ASSERT_TRUE(history.add(first));
    // Day 1: level 3 again, and level 5 with a sixth up missed in 2/4.
    clock.seconds += aDay;
    ASSERT_TRUE(history.add(exam(3, 90, {})));
    ASSERT_TRUE(history.add(exam(5, 81, {error(Kind::pitch, 2, 1, 6, 5, "x-x-")})));

    const auto past = history.pastExams(2);
    ASSERT_TRUE(past);
    ASSERT_EQ(past->size(), 2u);
    EXPECT_EQ(past->at(0).exam.level, 5);
    EXPECT_EQ(past->at(1).exam.score, 90);
    const auto all = history.pastExams();
    StoredExam kept = first;
    kept.errors.clear();
    EXPECT_EQ(all->back().exam, kept) << "level, seed, leaning, key and metre come back";
    EXPECT_EQ(all->back().at, firstNoon);

    const auto statistics = history.examStatistics(Period::everything);
    ASSERT_TRUE(statistics);
    const std::int32_t day0 = RecordDate::localDateAt(firstNoon).dayNumber();
    EXPECT_EQ(statistics->items, 3);
    EXPECT_EQ(statistics->days,
              (std::vector<ExamDay>{{3, day0, 1, 70}, {3, day0 + 1, 1, 90}, {5, day0 + 1, 1, 81}}));
    EXPECT_EQ(statistics->intervals, (std::vector<IntervalMiss>{{5, 3}}))
        << "a rhythm error is no missed interval";
    EXPECT_EQ(statistics->degrees,
              (std::vector<DegreeMiss>{{6, 0, false, 1}, {3, 0, true, 1}, {5, 0, true, 1}}));
    EXPECT_EQ(statistics->figures, (std::vector<FigureMiss>{{"x-x-", 2}, {"x---", 1}, {"x--x", 1}}))
        << "a beat counts once however many of its notes went wrong";
    EXPECT_EQ(history.examStatistics(Period::today)->items, 2);
    const ExamWeakSpots misses = history.recentExamMisses();
    EXPECT_EQ(misses.intervals, statistics->intervals);
    EXPECT_EQ(misses.figures, statistics->figures);
}

TEST(ExamHistory, TheLogHoldsEveryMarkedAnswerInOrderAndTheLinesWrittenOutFollowTheDays) {
    TemporaryFolder folder;
    FixedCalendarClock clock(firstNoon);
    History history(folder.filePath("history.sqlite3"), clock);
    EXPECT_TRUE(history.answerLog()->empty());
    EXPECT_FALSE(std::filesystem::exists(history.path())) << "reading makes no file";

    history.add(question(Exercise::chord, 60, false));
    history.add(question(Exercise::note, 62, std::nullopt)); // looked at before marking
    const auto early = history.sharedAnswerLog();            // then read on from where it ended
    clock.seconds += aDay;
    history.add(question(Exercise::note, 64, true, true));
    StoredQuestion piece;
    piece.exercise = Exercise::melody;
    piece.piece = 7;
    piece.grade = 1;
    history.add(piece);
    history.add(exam(4, 55, {}));
    clock.seconds += aDay;
    history.add(question(Exercise::scale, 65, true));

    const auto log = history.answerLog();
    ASSERT_TRUE(log);
    EXPECT_EQ((*early)->size(), 1u) << "a log handed out stays as it was";
    std::vector<std::tuple<std::int64_t, Exercise, int, bool, bool>> seen;
    for (const AnswerLogRow &row : *log)
        seen.emplace_back(row.at, row.exercise, row.askedNote, row.right, row.review);
    EXPECT_EQ(seen, (decltype(seen){{firstNoon, Exercise::chord, 60, false, false},
                                    {firstNoon + aDay, Exercise::note, 64, true, true},
                                    {firstNoon + 2 * aDay, Exercise::scale, 65, true, false}}));

    const std::int32_t day0 = RecordDate::localDateAt(firstNoon).dayNumber();
    const auto middle = history.exportRows({day0 + 1, day0 + 1});
    ASSERT_TRUE(middle);
    ASSERT_EQ(middle->size(), 3u);
    EXPECT_TRUE(middle->at(0).question.review);
    EXPECT_EQ(middle->at(1).question.piece, 7);
    EXPECT_TRUE(middle->at(1).question.answers.empty());
    ASSERT_TRUE(middle->at(2).exam);
    EXPECT_EQ(middle->at(2).exam->score, 55);
    EXPECT_EQ(history.exportRows(DayRange::everything())->size(), 6u);
}

} // namespace miminomi::testing
