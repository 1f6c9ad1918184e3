// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record viewer with a long history: the time from constructing the viewer (which reads the
// whole record file) to its first complete paint, on Qt's offscreen platform.
//
//   bench_records_viewer [lines] [--png <file>] [--record <record.txt>]
//
// Writes a record file of `lines` runs (100 000 unless given) into a temporary folder, or uses
// the given one, opens and paints the viewer several times and prints the median and the slowest
// time. With --png it also saves the painted viewer, for looking at.
#include "app/windows/Record.h"
#include "bench/OffscreenApplication.h"

#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

/// A plausible history: runs of 0 to 199 answers per exercise, from a fixed-seed generator.
void writeRecords(const std::string &path, int lines) {
    std::ofstream out(path, std::ios::binary);
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7fff);
    };
    for (int i = 0; i < lines; ++i) {
        out << "2006/04/01";
        for (int field = 0; field < 10; ++field)
            out << ',' << next() % 100;
        out << "\r\n";
    }
}

} // namespace

int main(int argc, char *argv[]) {
    int lines = 100000;
    std::string png;
    std::string record;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--png" && i + 1 < argc)
            png = argv[++i];
        else if (argument == "--record" && i + 1 < argc)
            record = argv[++i];
        else
            lines = std::atoi(argv[i]);
    }

    miminomi::bench::OffscreenApplication application(argv[0]);

    QTemporaryDir folder;
    if (record.empty()) {
        record = folder.filePath(QStringLiteral("record.txt")).toStdString();
        writeRecords(record, lines);
    }

    // One untimed opening loads the fonts and the style, as the main window has done before a
    // learner asks for the records.
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    std::vector<double> opening, total;
    QImage painted;
    miminomi::Tallies current;
    current[miminomi::Exercise::note] = {3, 1};
    current[miminomi::Exercise::scale] = {0, 2};
    current[miminomi::Exercise::chord] = {5, 5};
    current[miminomi::Exercise::melody] = {1, 0};
    for (int run = 0; run <= 10; ++run) {
        const auto start = Clock::now();
        miminomi::Record viewer(current, nullptr, record);
        const auto constructed = Clock::now();
        viewer.show();
        painted = viewer.grab().toImage();
        const auto end = Clock::now();
        if (run > 0) {
            opening.push_back(ms(constructed - start));
            total.push_back(ms(end - start));
        }
    }
    std::sort(opening.begin(), opening.end());
    std::sort(total.begin(), total.end());
    std::printf("%s: viewer open + first paint: median %.1f ms, slowest %.1f ms "
                "(of which construction with reading: median %.1f ms; %zu runs)\n",
                record.c_str(), total[total.size() / 2], total.back(), opening[opening.size() / 2],
                total.size());
    if (!png.empty())
        painted.save(QString::fromStdString(png));
    return 0;
}
