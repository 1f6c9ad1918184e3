// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Today's review from a large history: the time from an opened history to the round, reading the
// whole answer log and building the queue, as the menu and the review window do.
//
//   bench_review_queue <file> [questions]   fills <file> first when it is missing (default
//                                           100 000 questions over a year), then times 7 reads
//
// The history is filled through History::add, as the program keeps it.
#include "base/CalendarClock.h"
#include "bench/MovingCalendar.h"
#include "history/History.h"
#include "practice/ReviewQueue.h"
#include "records/RecordDate.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace miminomi;
using bench::MovingCalendar;
using bench::ms;
using Clock = std::chrono::steady_clock;

/// A single note, scale or chord question from a fixed-seed generator, a quarter of them missed
/// and one in thirty answered in the review window.
StoredQuestion question(std::uint32_t &state) {
    const auto next = [&state](int range) {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff) % range;
    };
    StoredQuestion q;
    const int kind = next(3);
    q.exercise = kind == 0 ? Exercise::note : kind == 1 ? Exercise::scale : Exercise::chord;
    q.review = next(30) == 0;
    StoredAnswer a;
    a.askedNote = q.exercise == Exercise::note ? 48 + next(36) : 57 + next(12);
    if (q.exercise != Exercise::note)
        a.askedType = next(q.exercise == Exercise::scale ? 16 : 14);
    const bool right = next(4) != 0;
    a.chosenName = right ? a.askedNote % 12 : next(12);
    if (q.exercise == Exercise::note)
        a.chosenOctave = a.askedNote / 12;
    else
        a.chosenType = right ? *a.askedType : next(14);
    a.right = right;
    q.answers.push_back(a);
    ++(right ? q.points.right : q.points.wrong);
    return q;
}

bool fill(const std::string &path, long questions, MovingCalendar &calendar) {
    const auto start = Clock::now();
    History history(path, calendar);
    std::uint32_t state = 11;
    const std::int64_t now = calendar.seconds;
    for (long k = 0; k < questions; ++k) {
        calendar.seconds = now - 365 * 86'400 + k * 365 * 86'400 / questions;
        if (!history.add(question(state)))
            return false;
    }
    calendar.seconds = now;
    std::printf("filled %ld questions in %.1f s\n", questions, ms(Clock::now() - start) / 1000);
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_review_queue <file> [questions]\n");
        return 2;
    }
    const std::string path = argv[1];
    MovingCalendar calendar;
    if (!std::filesystem::exists(path) &&
        !fill(path, argc > 2 ? std::atol(argv[2]) : 100'000, calendar))
        return 1;
    const std::int32_t today = RecordDate::localDateAt(calendar.seconds).dayNumber();
    std::vector<double> times, reads;
    std::size_t rows = 0, due = 0, asked = 0;
    for (int k = 0; k < 7; ++k) {
        History history(path, calendar); // opened anew, as at the first look of a run
        const auto start = Clock::now();
        const auto shared = history.sharedAnswerLog();
        if (!shared)
            return 1;
        const auto &log = *shared;
        reads.push_back(ms(Clock::now() - start));
        const auto round = ReviewQueue::round(*log, today, 12);
        due = ReviewQueue::dueCount(*log, today);
        times.push_back(ms(Clock::now() - start));
        rows = log->size();
        asked = round.size();
    }
    std::sort(times.begin(), times.end());
    std::sort(reads.begin(), reads.end());
    std::printf("review queue from %zu answer rows (%zu due, round of %zu): median %.1f ms "
                "(reading the log %.1f ms), slowest %.1f ms (goal <= 50 ms)\n",
                rows, due, asked, times[times.size() / 2], reads[reads.size() / 2], times.back());
    return times[times.size() / 2] <= 50 ? 0 : 1;
}
