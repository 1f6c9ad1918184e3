// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The history of answers: how long keeping one marking takes, how long the statistics of a large
// history take to read, and how large the file grows.
//
//   bench_history store <folder>              keeps 2 000 markings one by one in a new file
//   bench_history fill <file> <questions>     fills a history with a year of varied questions
//   bench_history read <file>                 reads the statistics of every exercise, everything
//   bench_history log <file>                  reads the whole log of answers the review uses
//
// The file is kept as the program keeps it (write-ahead journal, one transaction per marking).
#include "base/CalendarClock.h"
#include "bench/MovingCalendar.h"
#include "history/History.h"

#include <SQLiteCpp/Database.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace miminomi;
using bench::MovingCalendar;
using bench::ms;
using Clock = std::chrono::steady_clock;

/// A plausible question from a fixed-seed generator: single notes with one to four rows (half the
/// time), scales, chords (one row each) and now and then a piece.
StoredQuestion question(std::uint32_t &state) {
    const auto next = [&state](int range) {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff) % range;
    };
    StoredQuestion q;
    const int kind = next(20);
    q.exercise = kind < 10   ? Exercise::note
                 : kind < 15 ? Exercise::scale
                 : kind < 19 ? Exercise::chord
                             : (next(2) ? Exercise::risum : Exercise::melody);
    const int rows = q.exercise == Exercise::note ? 1 + next(4) : 1;
    if (q.exercise == Exercise::risum || q.exercise == Exercise::melody) {
        q.piece = 1 + next(20);
        q.grade = next(5);
        return q;
    }
    for (int row = 0; row < rows; ++row) {
        StoredAnswer a;
        a.askedNote = 55 + next(30);
        if (q.exercise != Exercise::note)
            a.askedType = next(q.exercise == Exercise::scale ? 16 : 14);
        const bool right = next(4) != 0;
        a.chosenName = right ? a.askedNote % 12 : next(12);
        if (q.exercise == Exercise::note)
            a.chosenOctave = right ? a.askedNote / 12 : 4 + next(3);
        else
            a.chosenType = right ? *a.askedType : next(14);
        a.right = right;
        q.answers.push_back(a);
        ++q.points.right;
    }
    return q;
}

int store(const std::string &folder) {
    MovingCalendar calendar;
    History history((std::filesystem::path(folder) / "store.sqlite3").string(), calendar);
    std::uint32_t state = 1;
    std::vector<double> times;
    for (int k = 0; k < 2000; ++k) {
        const StoredQuestion q = question(state);
        const auto start = Clock::now();
        if (!history.add(q))
            return 1;
        times.push_back(ms(Clock::now() - start));
    }
    times.erase(times.begin()); // the first opens and makes the file
    std::sort(times.begin(), times.end());
    std::printf("store one marking: median %.3f ms, p99 %.3f ms, slowest %.3f ms\n",
                times[times.size() / 2], times[times.size() * 99 / 100], times.back());
    return 0;
}

int fill(const std::string &path, long questions) {
    MovingCalendar calendar;
    std::uint32_t state = 7;
    long answerRows = 0;
    const auto start = Clock::now();
    {
        History history(path, calendar);
        for (long k = 0; k < questions; ++k) {
            // A year of practice up to now, about the same number of questions each day.
            calendar.seconds = 1'700'000'000 - 365 * 86'400 + k * 365 * 86'400 / questions;
            const StoredQuestion q = question(state);
            answerRows += static_cast<long>(q.answers.size());
            if (!history.add(q))
                return 1;
        }
    }
    std::printf("filled %ld questions, %ld answer rows in %.1f s; file %.1f MB (%.1f bytes per "
                "answer row)\n",
                questions, answerRows, ms(Clock::now() - start) / 1000,
                std::filesystem::file_size(path) / 1e6,
                double(std::filesystem::file_size(path)) / double(answerRows));
    return 0;
}

int read(const std::string &path) {
    MovingCalendar calendar;
    for (const Exercise exercise : allExercises) {
        std::vector<double> times;
        for (int k = 0; k < 5; ++k) {
            History history(path, calendar); // opened anew, as the first look of a run
            const auto start = Clock::now();
            if (!history.statistics(exercise, Period::everything))
                return 1;
            times.push_back(ms(Clock::now() - start));
        }
        std::sort(times.begin(), times.end());
        std::printf("statistics of exercise %d, everything: median %.1f ms\n",
                    static_cast<int>(exercise), times[times.size() / 2]);
    }
    return 0;
}

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

int readLog(const std::string &path) {
    MovingCalendar calendar;
    std::vector<double> times, cpu, copies;
    std::size_t rows = 0;
    for (int k = 0; k < 7; ++k) {
        History history(path, calendar); // opened anew, as the review window's first look
        const double cpuStart = cpuMs();
        const auto start = Clock::now();
        const auto answers = history.sharedAnswerLog();
        if (!answers)
            return 1;
        times.push_back(ms(Clock::now() - start));
        cpu.push_back(cpuMs() - cpuStart);
        rows = (*answers)->size();
        // The same log again as a copy of its own.
        const auto copyStart = Clock::now();
        if (!history.answerLog())
            return 1;
        copies.push_back(ms(Clock::now() - copyStart));
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    std::sort(copies.begin(), copies.end());
    std::printf("log of answers, first reading, %zu rows: median %.1f ms (processor %.1f ms), "
                "slowest %.1f ms; as a copy afterwards: median %.1f ms\n",
                rows, times[times.size() / 2], cpu[cpu.size() / 2], times.back(),
                copies[copies.size() / 2]);

    // Read again after each marking, as the count of what is due is refreshed.
    History history(path, calendar);
    if (!history.sharedAnswerLog())
        return 1;
    std::uint32_t state = 3;
    times.clear();
    for (int k = 0; k < 50; ++k) {
        calendar.seconds += 10;
        StoredQuestion q = question(state);
        q.exercise = Exercise::chord;
        if (!history.add(q))
            return 1;
        const auto start = Clock::now();
        if (!history.sharedAnswerLog())
            return 1;
        times.push_back(ms(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    std::printf("log of answers, again after one marking: median %.2f ms, slowest %.2f ms\n",
                times[times.size() / 2], times.back());
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "store" && argc > 2)
        return store(argv[2]);
    if (mode == "fill" && argc > 3)
        return fill(argv[2], std::atol(argv[3]));
    if (mode == "read" && argc > 2)
        return read(argv[2]);
    if (mode == "log" && argc > 2)
        return readLog(argv[2]);
    std::fprintf(stderr, "usage: bench_history store <folder> | fill <file> <questions> | read "
                         "<file> | log <file>\n");
    return 2;
}
