// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exam window's staff as the learner writes: for every key that writes an item of eight bars
// (and then every Left, Up and Backspace over the full staff), the time from the key taken by the
// entry to the staff drawn anew into an image of the window's width, on Qt's offscreen platform.
//
//   bench_exam_redraw [level] [seed] [--png <file>]
//
// Prints the median and the slowest keystroke; the target is 16 ms. With --png it saves the staff
// as it stands after the last key, for looking at.
#include "app/widgets/ExamStaff.h"
#include "bench/OffscreenApplication.h"
#include "music/DictationGenerator.h"
#include "music/DictationLevel.h"
#include "practice/ExamEntry.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace miminomi;

/// The keys that write `item` after its given first note, each as a call on the entry.
std::vector<std::function<void(ExamEntry &)>> keysOf(const music::Score &item) {
    std::vector<std::function<void(ExamEntry &)>> keys;
    const auto type = [&](char32_t key) { keys.push_back([key](ExamEntry &e) { e.type(key); }); };
    music::NoteValue value{music::NoteType::quarter, 0};
    bool first = true, tied = false;
    for (const auto &bar : item.bars)
        for (const auto &note : bar.upper) {
            if (std::exchange(first, false)) {
                tied = note.tieToNext;
                continue;
            }
            if (note.value != value) {
                type(U'7' - static_cast<char32_t>(note.value.type));
                if (note.value.dots)
                    type(U'.');
                value = note.value;
            }
            if (tied)
                type(U'+');
            else if (!note.pitch)
                type(U'0');
            else
                keys.push_back([midi = note.pitch->midi()](ExamEntry &e) { e.play(midi); });
            tied = note.tieToNext;
        }
    return keys;
}

} // namespace

int main(int argc, char *argv[]) {
    int levelNumber = 0;
    std::uint32_t seed = 1234;
    std::string png;
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--png" && i + 1 < argc)
            png = argv[++i];
        else
            plain.push_back(argv[i]);
    }
    if (!plain.empty())
        levelNumber = std::atoi(plain[0].c_str());
    if (plain.size() > 1)
        seed = static_cast<std::uint32_t>(std::atoll(plain[1].c_str()));
    // The first level of eight bars unless one is named.
    const music::DictationLevel *level = nullptr;
    for (const auto &each : music::dictationLevels())
        if (levelNumber ? each.number == levelNumber : (!level && each.bars >= 8))
            level = &each;
    if (!level) {
        std::fprintf(stderr, "no such level\n");
        return 2;
    }

    bench::OffscreenApplication application(argv[0]);
    const music::Score item = music::generateDictation(*level, seed);
    ExamEntry entry(ExamFrame::of(item, false, true));
    ExamStaff staff;
    const int width = 940;
    QImage image(width, 400, QImage::Format_ARGB32_Premultiplied);

    const auto redraw = [&] {
        ExamStaff::Writing shown;
        shown.written = entry.score();
        shown.barTicks = entry.frame().barTicks;
        shown.cursorBar = entry.cursor().bar;
        shown.cursorIndex = entry.cursor().index;
        staff.showWriting(std::move(shown));
        const int height = staff.heightFor(width);
        if (image.height() < height)
            image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        staff.render(painter, width);
    };
    redraw(); // fonts and outlines loaded once, as the window has done before the first key

    auto keys = keysOf(item);
    const int written = static_cast<int>(keys.size());
    for (int k = 0; k < 12; ++k)
        keys.push_back([](ExamEntry &e) { e.press(ExamEntry::Key::left); });
    keys.push_back([](ExamEntry &e) { e.press(ExamEntry::Key::semitoneUp); });
    keys.push_back([](ExamEntry &e) { e.press(ExamEntry::Key::back); });

    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    for (const auto &key : keys) {
        const auto start = Clock::now();
        key(entry);
        redraw();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double slowest = sorted.back();
    std::printf("exam staff redraw, level %d seed %u, %zu bars, %zu keys (%d writing): median "
                "%.2f ms, slowest %.2f ms (target 16 ms)\n",
                level->number, seed, item.bars.size(), keys.size(), written, median, slowest);
    if (!png.empty())
        image.save(QString::fromStdString(png));
    return slowest <= 16 ? 0 : 1;
}
