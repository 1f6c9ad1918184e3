// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window over a large history: the time from opening the history and constructing
// the window (which reads the statistics of the first exercise) to its first complete paint, on
// Qt's offscreen platform.
//
//   bench_statistics_window <history.sqlite3> [--png <file>]
//
// Each of ten timed openings uses a newly opened history, as the first look of a run does.
#include "app/windows/StatisticsWindow.h"
#include "base/CalendarClock.h"
#include "bench/OffscreenApplication.h"
#include "history/History.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

/// The day after the history filled by bench_history ends.
class BenchCalendar final : public miminomi::CalendarClock {
public:
    std::int64_t nowSeconds() const override { return 1'700'000'000; }
};

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_statistics_window <history.sqlite3> [--png <file>]\n");
        return 2;
    }
    const std::string path = argv[1];
    const std::string png = argc > 3 && std::string(argv[2]) == "--png" ? argv[3] : "";

    miminomi::bench::OffscreenApplication application(argv[0]);

    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    BenchCalendar calendar;
    std::vector<double> total;
    QImage painted;
    // The first, untimed opening loads the fonts and the style, as the main window has done
    // before a learner asks for the statistics.
    for (int run = 0; run <= 10; ++run) {
        const auto start = Clock::now();
        miminomi::StatisticsWindow window(std::make_shared<miminomi::History>(path, calendar),
                                          miminomi::Exercise::note);
        window.show();
        painted = window.grab().toImage();
        const auto end = Clock::now();
        if (run > 0)
            total.push_back(ms(end - start));
    }
    std::sort(total.begin(), total.end());
    std::printf(
        "statistics window open + first paint: median %.1f ms, slowest %.1f ms (%zu runs)\n",
        total[total.size() / 2], total.back(), total.size());
    if (!png.empty())
        painted.save(QString::fromStdString(png));
    return 0;
}
