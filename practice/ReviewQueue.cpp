// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ReviewQueue.h"

#include "quiz/MusicScale.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace miminomi {

namespace {

/// The scale types whose root is drawn; the others are always asked on their own root.
constexpr std::int32_t tonalScaleCount = 4;

/// What a confusion is counted by: the exercise and the two names or types, the smaller first.
using PairKey = std::tuple<Exercise, std::int32_t, std::int32_t>;

struct PairCount {
    std::int64_t count = 0;
    std::int64_t latestAt = 0;
    /// The note, root or key asked at the latest confusion; the drills sound around it.
    std::int32_t latestNote = 0;
};

/// The note of pitch class `pitchClass` nearest to `near` (of two as near, the lower).
std::int32_t nearestOfClass(std::int32_t pitchClass, std::int32_t near) {
    std::int32_t note = near - near % 12 + pitchClass;
    if (note - near > 6)
        note -= 12;
    else if (near - note > 6)
        note += 12;
    return note;
}

/// The two items a pair drills, sounded around the note last asked in it.
std::array<ReviewItem, 2> itemsOf(const PairKey &key, std::int32_t near) {
    const auto [exercise, first, second] = key;
    std::array<ReviewItem, 2> items;
    std::size_t k = 0;
    for (const std::int32_t value : {first, second}) {
        ReviewItem &item = items[k++];
        item.exercise = exercise;
        switch (exercise) {
        case Exercise::note:
            item.note = nearestOfClass(value, near);
            break;
        case Exercise::scale:
            // A tonal scale keeps the key asked; a mode or a Japanese scale has its own root.
            item.type = value;
            item.note = value < tonalScaleCount
                            ? near
                            : MusicScale::fixedRoots[static_cast<std::size_t>(value)];
            break;
        default:
            item.type = value;
            item.note = near;
            break;
        }
    }
    return items;
}

} // namespace

namespace ReviewQueue {

ReviewItem itemOf(const AnswerLogRow &row) {
    if (row.exercise == Exercise::note)
        return {Exercise::note, row.askedNote, -1};
    return {row.exercise, row.askedNote, row.askedType};
}

ReviewSchedule schedule(const AnswerLog &log) {
    // A large log holds few items: they are looked up by a packed key in a hash table, and
    // ordered once at the end.
    std::unordered_map<std::int64_t, std::pair<ReviewItem, ReviewState>> items;
    items.reserve(1024);
    for (const AnswerLogRow &row : log) {
        const ReviewItem item = itemOf(row);
        const std::int64_t key = (std::int64_t{static_cast<std::int32_t>(item.exercise)} << 40) |
                                 (std::int64_t{item.note & 0xfffff} << 20) |
                                 ((item.type + 1) & 0xfffff);
        if (!row.right) {
            // A miss, in practice or at a review, starts the item again from the first step.
            items[key] = {item, ReviewState{0, row.day + reviewIntervals[0], row.at}};
            continue;
        }
        // Only a review of an item due moves it on: a right answer in practice, or to an item
        // asked again within the round that missed it, leaves its day as it is.
        const auto found = items.find(key);
        if (!row.review || found == items.end() || found->second.second.due > row.day)
            continue;
        ReviewState &state = found->second.second;
        const std::size_t step = state.step + 1;
        if (step >= reviewIntervals.size())
            items.erase(found);
        else
            state = ReviewState{step, row.day + reviewIntervals[step], state.missedAt};
    }
    ReviewSchedule ordered;
    for (const auto &[key, entry] : items)
        ordered.insert(entry);
    return ordered;
}

std::size_t dueCount(const AnswerLog &log, std::int32_t today) {
    const ReviewSchedule items = schedule(log);
    return static_cast<std::size_t>(
        std::count_if(items.begin(), items.end(),
                      [today](const auto &item) { return item.second.due <= today; }));
}

std::vector<ConfusedPair> confusedPairs(const AnswerLog &log, std::int32_t today) {
    std::map<PairKey, PairCount> counts;
    for (const AnswerLogRow &row : log) {
        if (row.right || row.day > today || row.day <= today - confusionDays)
            continue;
        std::int32_t asked = 0;
        std::int32_t answered = -1;
        if (row.exercise == Exercise::note) {
            asked = row.askedNote % 12;
            answered = row.chosenName;
        } else {
            asked = row.askedType;
            answered = row.chosenType;
        }
        if (answered < 0 || answered == asked)
            continue;
        PairCount &pair =
            counts[{row.exercise, std::min(asked, answered), std::max(asked, answered)}];
        ++pair.count;
        if (row.at >= pair.latestAt) {
            pair.latestAt = row.at;
            pair.latestNote = row.askedNote;
        }
    }
    std::vector<std::pair<PairKey, PairCount>> ranked(counts.begin(), counts.end());
    // The most frequent first; of as frequent, the latest; then by exercise and names, so that
    // the order never depends on anything but the log.
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) {
        return std::tie(b.second.count, b.second.latestAt) <
               std::tie(a.second.count, a.second.latestAt);
    });
    std::vector<ConfusedPair> pairs;
    for (const auto &[key, count] : ranked) {
        if (pairs.size() >= keptPairs || count.count < pairThreshold)
            break;
        pairs.push_back({itemsOf(key, count.latestNote), count.count});
    }
    return pairs;
}

std::vector<ReviewQuestion> round(const AnswerLog &log, std::int32_t today, std::size_t roundSize) {
    const ReviewSchedule items = schedule(log);
    std::vector<std::pair<ReviewItem, ReviewState>> due;
    for (const auto &item : items)
        if (item.second.due <= today)
            due.push_back(item);
    // Overdue longest first, then missed earliest; the map's order decides the rest.
    std::stable_sort(due.begin(), due.end(), [](const auto &a, const auto &b) {
        return std::tie(a.second.due, a.second.missedAt) <
               std::tie(b.second.due, b.second.missedAt);
    });
    if (due.size() > roundSize)
        due.resize(roundSize);

    // Each pair twice, once sounding each of its items; which comes first turns with the day, so
    // that the first drill of a pair is not always the same item.
    const std::vector<ConfusedPair> pairs = confusedPairs(log, today);
    std::vector<ReviewQuestion> drills;
    for (std::size_t turn = 0; turn < 2; ++turn)
        for (std::size_t p = 0; p < pairs.size(); ++p) {
            const auto which = (turn + static_cast<std::size_t>(today) + p) % 2;
            const auto &pair = pairs[p].items;
            drills.push_back({pair[which], {pair[0], pair[1]}, false});
        }

    std::vector<ReviewQuestion> questions;
    std::size_t drill = 0;
    for (std::size_t k = 0; k < due.size(); ++k) {
        questions.push_back({due[k].first, {}, false});
        if (k % 2 == 1 && drill < drills.size())
            questions.push_back(drills[drill++]);
    }
    questions.insert(questions.end(), drills.begin() + static_cast<std::ptrdiff_t>(drill),
                     drills.end());
    return questions;
}

std::map<std::int32_t, std::size_t>
comingBack(const AnswerLog &log, const std::vector<ReviewItem> &items, std::int32_t today) {
    const ReviewSchedule states = schedule(log);
    std::map<std::int32_t, std::size_t> days;
    for (const ReviewItem &item : items)
        if (const auto found = states.find(item); found != states.end())
            ++days[std::max(found->second.due - today, 0)];
    return days;
}

} // namespace ReviewQueue

void ReviewRound::answered(bool right) {
    if (finished())
        return;
    const ReviewQuestion question = questions[next];
    if (std::find(asked.begin(), asked.end(), question.asked) == asked.end())
        asked.push_back(question.asked);
    ++answers;
    if (right) {
        ++rightAnswers;
    } else if (returns[question.asked] < ReviewQueue::maxReturns) {
        // Asked again after a few others, or at the end of a round too short for that.
        ++returns[question.asked];
        ReviewQuestion again = question;
        again.returning = true;
        const std::size_t at = std::min(next + 1 + ReviewQueue::returnAfter, questions.size());
        questions.insert(questions.begin() + static_cast<std::ptrdiff_t>(at), again);
    }
    ++next;
}

} // namespace miminomi
