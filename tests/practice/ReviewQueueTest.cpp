// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The spaced review on a made-up log with fixed days: when a miss comes back, moving on and
// starting again, the return within a round, the confused pairs and the same round twice.
#include "practice/ReviewQueue.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

constexpr std::int32_t day0 = 20000;
const ReviewItem minorC{Exercise::chord, 60, 1};

AnswerLogRow row(std::int32_t day, ReviewItem item, bool right, bool review,
                 std::int32_t chosen = -1) {
    static std::int64_t seconds = 0;
    AnswerLogRow r;
    r.day = day;
    r.at = std::int64_t{day} * 86400 + ++seconds;
    r.exercise = item.exercise;
    r.askedNote = item.note;
    r.askedType = item.type;
    (item.exercise == Exercise::note ? r.chosenName : r.chosenType) = chosen;
    r.right = right;
    r.review = review;
    return r;
}

} // namespace

TEST(ReviewQueue, AMissComesBackAfter1_3_7And14DaysRightMovesOnWrongStartsAgain) {
    struct Step {
        std::int32_t day;
        bool right, review;
        std::optional<std::int32_t> dueAfter; // nothing: left the schedule
    };
    const Step steps[] = {
        {0, false, false, 1},  // missed in practice: due the next day, not today
        {1, true, false, 1},   // right in practice: no review, nothing moves
        {1, true, true, 4},    // right at the review: 3 days on
        {3, true, true, 4},    // reviewed before it is due: nothing moves
        {4, true, true, 11},   // 7 days on
        {12, false, true, 13}, // missed at the review: from 1 day again
        {13, true, true, 16},  {16, true, true, 23},
        {23, true, true, 37},  {37, true, true, std::nullopt}, // the 14-day review right: done
    };
    AnswerLog log;
    for (const Step &step : steps) {
        log.push_back(row(day0 + step.day, minorC, step.right, step.review));
        const ReviewSchedule items = ReviewQueue::schedule(log);
        const auto found = items.find(minorC);
        ASSERT_EQ(found != items.end(), step.dueAfter.has_value()) << step.day;
        if (step.dueAfter) {
            EXPECT_EQ(found->second.due, day0 + *step.dueAfter) << step.day;
            EXPECT_EQ(ReviewQueue::dueCount(log, day0 + *step.dueAfter - 1), 0u);
            EXPECT_EQ(ReviewQueue::dueCount(log, day0 + *step.dueAfter + 5), 1u);
        }
    }
}

TEST(ReviewQueue, AReviewMissedComesBackAfterThreeOthersAtMostTwiceAndCounts) {
    std::vector<ReviewQuestion> questions;
    for (std::int32_t n = 60; n < 65; ++n)
        questions.push_back({{Exercise::note, n, -1}, {}, false});
    ReviewRound round(questions);
    std::vector<std::int32_t> asked;
    while (!round.finished()) {
        asked.push_back(round.current().asked.note);
        round.answered(round.current().asked.note != 60); // 60 is always missed
    }
    EXPECT_EQ(asked, (std::vector<std::int32_t>{60, 61, 62, 63, 60, 64, 60}));
    EXPECT_EQ(round.done(), 7u);
    EXPECT_EQ(round.rightCount(), 4u);
    EXPECT_EQ(round.items().size(), 5u);
}

TEST(ReviewQueue, TheMostConfusedPairsAreDrilledBothWaysBetweenReviewsTheSameEveryTime) {
    const ReviewItem majorC{Exercise::chord, 60, 0}, d4{Exercise::note, 62, -1};
    AnswerLog log = {row(day0 - 40, d4, false, false, 0), row(day0 - 40, d4, false, false, 0),
                     row(day0 - 40, d4, false, false, 0)}; // too long ago to count
    for (int k = 0; k < 3; ++k)
        log.push_back(row(day0 - 2, minorC, false, false, 0)); // minor heard as major
    log.push_back(row(day0 - 2, majorC, false, false, 1));     // and once the other way
    log.push_back(row(day0 - 1, d4, false, false, 0));         // D heard as C, twice
    log.push_back(row(day0 - 1, {Exercise::note, 74, -1}, false, false, 0));
    log.push_back(row(day0 - 1, {Exercise::scale, 60, 0}, false, false, 1)); // once only

    const std::vector<ConfusedPair> pairs = ReviewQueue::confusedPairs(log, day0);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0], (ConfusedPair{{majorC, minorC}, 4}));
    // Sounded around the D last asked: C and D of its octave.
    EXPECT_EQ(pairs[1],
              (ConfusedPair{
                  {ReviewItem{Exercise::note, 72, -1}, ReviewItem{Exercise::note, 74, -1}}, 2}));

    const std::vector<ReviewQuestion> round = ReviewQueue::round(log, day0, 12);
    EXPECT_EQ(round, ReviewQueue::round(log, day0, 12));
    EXPECT_EQ(ReviewQueue::dueCount(log, day0), 5u); // every item missed, none reviewed yet
    std::vector<bool> shape;
    std::map<ReviewItem, int> drilled;
    for (const ReviewQuestion &question : round) {
        shape.push_back(question.isPair());
        if (question.isPair())
            ++drilled[question.asked];
    }
    EXPECT_EQ(shape, (std::vector<bool>{0, 0, 1, 0, 0, 1, 0, 1, 1}));
    EXPECT_EQ(drilled, (std::map<ReviewItem, int>{{majorC, 1},
                                                  {minorC, 1},
                                                  {{Exercise::note, 72, -1}, 1},
                                                  {{Exercise::note, 74, -1}, 1}}));
    EXPECT_EQ(ReviewQueue::round(log, day0, 3).size(), 3u + 4u); // the round size caps reviews
}

} // namespace miminomi::testing
