// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A whole exam schedule on the real steady clock, driven by precise single-shot timers as the
// exam window drives it: the driver's steps on one timer, their notes through a SoundSchedule on
// another. Reports how late every step and every note on and off came against its planned time.
//
//   bench_exam_schedule [level [seed [tempo [pause seconds]]]]   (defaults 4 1 200 1)
#include "app/services/ScheduleTimer.h"
#include "base/CalendarClock.h"
#include "music/DictationGenerator.h"
#include "practice/ExamSchedule.h"
#include "practice/SoundSchedule.h"
#include "quiz/SharedRandom.h"
#include "sound/MidiSound.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <thread>

using namespace miminomi;
using Clock = std::chrono::steady_clock;

namespace {

const Clock::time_point origin = Clock::now();

double msNow() {
    return std::chrono::duration<double, std::milli>(Clock::now() - origin).count();
}

class RealClock : public Wait {
public:
    std::int64_t nowMs() const override { return static_cast<std::int64_t>(msNow()); }
    void Sleep(std::uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

/// Notes planned and sent, matched in order by channel, note and on or off.
struct Lateness {
    std::map<std::uint32_t, std::deque<std::int64_t>> planned;
    std::vector<double> notes, steps;

    static std::uint32_t key(std::uint8_t status, std::uint8_t note) {
        return static_cast<std::uint32_t>(status) << 8 | note;
    }
};

/// A MIDI output that notes when each note on and off is sent.
class TimedOut : public MidiOut {
public:
    explicit TimedOut(Lateness &lateness) : lateness(lateness) {}
    MidiResult open(MidiOutHandle &handle) override {
        handle = 1;
        return MidiResult::ok;
    }
    MidiResult close(MidiOutHandle) override { return MidiResult::ok; }
    MidiResult shortMsg(MidiOutHandle, std::uint32_t message) override {
        const double at = msNow();
        const auto status = static_cast<std::uint8_t>(message & 0xF0);
        if (status == 0x80 || status == 0x90) {
            auto &queue = lateness.planned[Lateness::key(static_cast<std::uint8_t>(message & 0xFF),
                                                         (message >> 8) & 0x7F)];
            if (!queue.empty()) {
                lateness.notes.push_back(at - static_cast<double>(queue.front()));
                queue.pop_front();
            }
        }
        return MidiResult::ok;
    }
    MidiResult prepareHeader(MidiOutHandle, MidiHeader &header) override {
        header.flags |= midiHeaderPrepared;
        return MidiResult::ok;
    }
    MidiResult longMsg(MidiOutHandle, MidiHeader &header) override {
        header.flags |= midiHeaderDone;
        return MidiResult::ok;
    }
    MidiResult unprepareHeader(MidiOutHandle, MidiHeader &header) override {
        header.flags &= ~midiHeaderPrepared;
        return MidiResult::ok;
    }

private:
    Lateness &lateness;
};

class NoMedia : public MediaControl {
public:
    MediaResult sendString(const std::string &) override { return MediaResult::ok; }
};

class Calendar : public CalendarClock {
public:
    std::int64_t nowSeconds() const override { return std::time(nullptr); }
};

/// A single-shot precise timer kept armed for `due` by the window's own rule.
void arm(QTimer &timer, std::optional<std::int64_t> due, const RealClock &clock) {
    if (due)
        timer.start(ScheduleTimer::waitMs(*due, clock.nowMs()));
    else
        timer.stop();
}

void report(const char *what, std::vector<double> late) {
    std::sort(late.begin(), late.end());
    const auto at = [&](double q) {
        return late[std::min(late.size() - 1, static_cast<std::size_t>(q * late.size()))];
    };
    std::printf("%-22s %5zu events  median %.3f ms  99th percentile %.3f ms  max %.3f ms\n", what,
                late.size(), at(0.5), at(0.99), late.back());
}

/// The machine's own lateness for comparison: plain sleeps until 100 deadlines 20 ms apart.
std::vector<double> plainSleeps() {
    std::vector<double> late;
    const Clock::time_point start = Clock::now();
    for (int k = 1; k <= 100; ++k) {
        const Clock::time_point due = start + std::chrono::milliseconds(20 * k);
        std::this_thread::sleep_until(due);
        late.push_back(std::chrono::duration<double, std::milli>(Clock::now() - due).count());
    }
    return late;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int level = argc > 1 ? std::atoi(argv[1]) : 4;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::atol(argv[2]) : 1);
    ExamTiming timing;
    timing.tempo = argc > 3 ? std::atoi(argv[3]) : 200;
    timing.pauseSeconds = argc > 4 ? std::atoi(argv[4]) : 1;
    timing.finalSeconds = 1;
    timing.leadSeconds = 1;
    const music::DictationLevel *chosen = music::dictationLevel(level);
    if (!chosen) {
        std::fprintf(stderr, "no level %d\n", level);
        return 1;
    }

    RealClock clock;
    Lateness lateness;
    TimedOut out(lateness);
    NoMedia media;
    Calendar calendar;
    SharedRandom random(calendar);
    MidiSound midi(out, media, clock, random);
    SoundSchedule sound(midi, clock);
    const music::Score item = music::generateDictation(*chosen, seed);
    ExamDriver driver(examPlan(item, timing, chosen->rhythmOnly), clock);
    std::printf("level %d seed %u, %d bars of %d/%d at %d a minute, pauses of %d s: %.1f s\n",
                level, seed, static_cast<int>(item.bars.size()), item.metre.beats,
                item.metre.beatType, timing.tempo, timing.pauseSeconds,
                driver.plan().lengthMs() / 1000.0);

    QTimer steps, notes;
    for (QTimer *timer : {&steps, &notes}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    QObject::connect(&notes, &QTimer::timeout, [&] {
        sound.poll();
        arm(notes, sound.nextDueMs(), clock);
    });
    sound.onPlanned = [&] { arm(notes, sound.nextDueMs(), clock); };
    QObject::connect(&steps, &QTimer::timeout, [&] {
        const double now = msNow();
        for (const ExamCue &cue : driver.poll()) {
            lateness.steps.push_back(now - static_cast<double>(cue.atMs));
            if (cue.finished) {
                app.quit();
                return;
            }
            for (const ExamNote &note : driver.plan().steps[cue.step].notes) {
                const std::int64_t on = cue.atMs + note.atMs;
                lateness.planned[Lateness::key(0x90 | note.channel, note.note)].push_back(on);
                lateness.planned[Lateness::key(0x80 | note.channel, note.note)].push_back(
                    on + std::max(note.lengthMs, 1));
                sound.plan(on, note.channel, note.note, note.lengthMs);
            }
        }
        arm(steps, driver.nextDueMs(), clock);
    });
    driver.start();
    arm(steps, driver.nextDueMs(), clock);
    app.exec();
    sound.stop();

    report("plain sleeps (machine)", plainSleeps());
    report("steps (cues)", lateness.steps);
    report("notes on and off", lateness.notes);
    std::vector<double> all = lateness.steps;
    all.insert(all.end(), lateness.notes.begin(), lateness.notes.end());
    report("all", all);
    return 0;
}
