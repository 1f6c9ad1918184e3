// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/AnswerLog.h"
#include "records/Exercise.h"

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace miminomi {

/// What a review asks: a single note (its note number), or a scale or chord (its root note and
/// type code).
struct ReviewItem {
    Exercise exercise = Exercise::note;
    std::int32_t note = 0;
    std::int32_t type = -1;

    auto operator<=>(const ReviewItem &) const = default;
};

/// Where an item missed stands in the review schedule.
struct ReviewState {
    /// The step of reviewIntervals the next review is on.
    std::size_t step = 0;
    /// The local day it is due (days since 1970-01-01).
    std::int32_t due = 0;
    /// When it was last missed, seconds since the epoch.
    std::int64_t missedAt = 0;
};

/// Every item still to be reviewed, with its state.
using ReviewSchedule = std::map<ReviewItem, ReviewState>;

/// Two items the learner mixes up, heard as each other `count` times lately.
struct ConfusedPair {
    std::array<ReviewItem, 2> items;
    std::int64_t count = 0;

    bool operator==(const ConfusedPair &) const = default;
};

/// One question of a round: a review of an item, or a two-choice drill that sounds `asked`, one
/// of the two items of `choices`, and asks which it was.
struct ReviewQuestion {
    ReviewItem asked;
    /// A two-choice drill's two items, in the order they are offered; empty for a review.
    std::vector<ReviewItem> choices;
    /// A review asked again in the same round after it was missed.
    bool returning = false;

    bool isPair() const { return choices.size() == 2; }
    bool operator==(const ReviewQuestion &) const = default;
};

/// The spaced review: which items a learner missed come back when, and the confusions drilled in
/// pairs, all read from the answer log. A miss puts an item on the first step; a right answer in
/// the review window to an item due moves it on a step; after the last step it leaves the
/// schedule. Everything here is a function of the log and the day.
namespace ReviewQueue {

/// Days from a review to the next: after a miss, then after each right review.
inline constexpr std::array<std::int32_t, 4> reviewIntervals = {1, 3, 7, 14};
/// Other questions asked before an item missed in a round comes back in it.
inline constexpr std::size_t returnAfter = 3;
/// How often one item comes back within a round at most.
inline constexpr int maxReturns = 2;
/// Confusions counted over these last days, and the pairs drilled at most.
inline constexpr std::int32_t confusionDays = 30;
inline constexpr std::size_t keptPairs = 3;
/// A pair is drilled once it was confused this often.
inline constexpr std::int64_t pairThreshold = 2;

/// The item a log row asked.
ReviewItem itemOf(const AnswerLogRow &row);
/// Every item in the schedule after the rows of `log`.
ReviewSchedule schedule(const AnswerLog &log);
/// How many items are due on `today`.
std::size_t dueCount(const AnswerLog &log, std::int32_t today);
/// The most confused pairs of the last confusionDays up to `today`: single notes by name, scales
/// and chords by type; most frequent first.
std::vector<ConfusedPair> confusedPairs(const AnswerLog &log, std::int32_t today);
/// Today's round: the items due (those overdue longest first, at most `roundSize`) with two
/// drills of each confused pair, one of each item, interleaved after every second review.
std::vector<ReviewQuestion> round(const AnswerLog &log, std::int32_t today, std::size_t roundSize);
/// When the items of `items` come back after `log`: the number of items by days from `today`
/// (0 for those still due today); items that left the schedule are not counted.
std::map<std::int32_t, std::size_t>
comingBack(const AnswerLog &log, const std::vector<ReviewItem> &items, std::int32_t today);

} // namespace ReviewQueue

/// A round under way: the questions asked in turn, a review answered wrong asked again after
/// returnAfter others (maxReturns times at most), and the answers counted.
class ReviewRound {
public:
    explicit ReviewRound(std::vector<ReviewQuestion> questions) : questions(std::move(questions)) {}

    bool finished() const { return next >= questions.size(); }
    const ReviewQuestion &current() const { return questions.at(next); }
    /// The current question's number from 1, and the questions of the round as it stands.
    std::size_t number() const { return next + 1; }
    std::size_t size() const { return questions.size(); }
    /// Counts the answer to the current question and moves on to the next.
    void answered(bool right);

    std::size_t done() const { return answers; }
    std::size_t rightCount() const { return rightAnswers; }
    /// The items reviewed or drilled, each once, in the order first asked.
    const std::vector<ReviewItem> &items() const { return asked; }

private:
    std::vector<ReviewQuestion> questions;
    std::size_t next = 0;
    std::size_t answers = 0;
    std::size_t rightAnswers = 0;
    std::map<ReviewItem, int> returns;
    std::vector<ReviewItem> asked;
};

} // namespace miminomi
