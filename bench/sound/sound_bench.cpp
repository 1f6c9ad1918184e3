// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the embedded synthesiser where the user meets it:
//   load     first use including the SoundFont load, and resident memory after the first sound,
//            with and without dynamic sample loading;
//   click    "送信" to the note on reaching the synthesiser, SoundFont already loaded;
//   grid     onsets of 15 notes of 1000 ms against the ideal grid, with a plain sleeping wait
//            and with a wait that chains deadlines;
//   idle     CPU of the process over 10 s after a sound, and when the audio output stops.
// Usage: bench_sound load [SoundFont] [dynamic|static]
//        bench_sound click [SoundFont] [ALSA device]
//        bench_sound grid [SoundFont]
//        bench_sound idle [SoundFont] [ALSA device]
// (an empty SoundFont argument "" takes the standard one).
#include "bench/ResidentMemory.h"
#include "sound/MediaControl.h"
#include "sound/MidiSound.h"
#include "sound/MidiTestNote.h"
#include "sound/backends/SoundSystem.h"
#include "base/WaitDeadlines.h"
#include "sound/backends/fluid/FluidMidiOut.h"
#include "sound/backends/fluid/FluidSynthEngine.h"
#include "sound/backends/silent/SilentMedia.h"

#include "base/CalendarClock.h"
#include "quiz/SharedRandom.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

using namespace miminomi;
using Clock = std::chrono::steady_clock;

namespace {

using miminomi::bench::residentMiB;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

/// Sleeps for real; remembers when each wait began, which in NotePlay is right after the note on.
class SleepingWait : public Wait {
public:
    explicit SleepingWait(bool chained) : chained(chained) {}
    void Sleep(std::uint32_t milliseconds) override {
        const auto now = Clock::now();
        calls.push_back(now);
        if (chained)
            std::this_thread::sleep_until(deadlines.next(now, milliseconds));
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    std::int64_t nowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   Clock::now().time_since_epoch())
            .count();
    }
    std::vector<Clock::time_point> calls;

private:
    bool chained;
    WaitDeadlines deadlines;
};

class EpochCalendar : public CalendarClock {
public:
    std::int64_t nowSeconds() const override { return std::time(nullptr); }
};

FluidOptions offlineOptions(const std::string &font, bool dynamic) {
    FluidOptions options;
    options.output = FluidOutput::offline;
    options.soundFont = font;
    options.dynamicSampleLoading = dynamic;
    return options;
}

void load(const std::string &font, bool dynamic) {
    FluidSynthEngine engine(offlineOptions(font, dynamic), std::cerr);
    FluidMidiOut out(engine);
    SilentMedia media;
    SleepingWait wait(false);
    EpochCalendar calendar;
    SharedRandom random(calendar);
    MidiSound sound(out, media, wait, random);
    const double before = residentMiB();
    const auto start = Clock::now();
    sound.OpenMidiDevice();
    sound.NotePlay(0); // the piano's samples are loaded here when loading is dynamic
    const double firstUse = msSince(start);
    std::vector<float> l(4096), r(4096);
    engine.render(l, r);
    sound.allOff();
    sound.CloseMidiDevice();
    std::printf("load  %-28s dynamic=%d  first use %.1f ms  resident after first sound %.1f MiB "
                "(%.1f before)\n",
                font.c_str(), dynamic, firstUse, residentMiB(), before);
}

void click(const std::string &font, const std::string &device) {
    FluidOptions options = offlineOptions(font, true);
    if (!device.empty()) {
        // A real audio output that has stopped while idle, so every click starts it again.
        options.output = FluidOutput::audioDriver;
        options.audioDriver = "alsa";
        options.extraSettings = {{"audio.alsa.device", device}};
        options.idleStop = std::chrono::milliseconds(0);
    }
    FluidSynthEngine engine(options, std::cerr);
    FluidMidiOut out(engine);
    SilentMedia media;
    EpochCalendar calendar;
    SharedRandom random(calendar);
    std::vector<double> times;
    for (int i = 0; i < 51; ++i) {
        MidiTestNote note;
        // The wait is entered right after the note on; timing stops there.
        struct Stop : Wait {
            Clock::time_point at;
            void Sleep(std::uint32_t) override { at = Clock::now(); }
            std::int64_t nowMs() const override { return 0; }
        } stop;
        MidiSound timed(out, media, stop, random);
        const auto start = Clock::now();
        note.send(timed);
        if (i > 0) // the first includes the SoundFont load
            times.push_back(std::chrono::duration<double, std::milli>(stop.at - start).count());
        while (!device.empty() && engine.isOutputRunning())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::sort(times.begin(), times.end());
    std::printf("click 送信 to note on, SoundFont loaded, %s (50 runs): median %.3f ms, max %.3f "
                "ms\n",
                device.empty() ? "no audio driver" : ("ALSA \"" + device + "\" restarted").c_str(),
                times[times.size() / 2], times.back());
}

void grid(const std::string &font, bool chained) {
    FluidSynthEngine engine(offlineOptions(font, true), std::cerr);
    FluidMidiOut out(engine);
    SilentMedia media;
    SleepingWait wait(chained);
    EpochCalendar calendar;
    SharedRandom random(calendar);
    MidiSound sound(out, media, wait, random);
    sound.OpenMidiDevice();
    for (int i = 0; i < 15; ++i) {
        sound.setMidiNoteNum(static_cast<std::uint8_t>(60 + i));
        sound.NotePlay(1000);
    }
    sound.CloseMidiDevice();
    double worst = 0;
    for (std::size_t i = 0; i < wait.calls.size(); ++i) {
        const double off =
            std::chrono::duration<double, std::milli>(wait.calls[i] - wait.calls[0]).count() -
            1000.0 * static_cast<double>(i);
        worst = std::max(worst, std::abs(off));
    }
    const double last =
        std::chrono::duration<double, std::milli>(wait.calls.back() - wait.calls[0]).count() -
        14000.0;
    std::printf("grid  %s wait: 15 onsets, worst %.3f ms off the grid, last %.3f ms (drift)\n",
                chained ? "chained " : "sleeping", worst, last);
}

void idle(const std::string &font, const std::string &device) {
    FluidOptions options;
    options.soundFont = font;
    options.audioDriver = "alsa";
    options.extraSettings = {{"audio.alsa.device", device}};
    FluidSynthEngine engine(options, std::cerr);
    FluidMidiOut out(engine);
    SilentMedia media;
    SleepingWait wait(true);
    EpochCalendar calendar;
    SharedRandom random(calendar);
    MidiSound sound(out, media, wait, random);
    MidiTestNote{}.send(sound);
    const auto start = Clock::now();
    const double cpuStart = processCpuSeconds();
    double stoppedAt = -1;
    double cpuAtFive = 0;
    while (msSince(start) < 10000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (stoppedAt < 0 && !engine.isOutputRunning())
            stoppedAt = msSince(start);
        if (cpuAtFive == 0 && msSince(start) >= 5000)
            cpuAtFive = processCpuSeconds();
    }
    const double cpuEnd = processCpuSeconds();
    std::printf("idle  ALSA device \"%s\": audio output stopped %.0f ms after the note off; CPU "
                "over the 10 s %.1f %%, over its last 5 s %.2f %%\n",
                device.c_str(), stoppedAt, (cpuEnd - cpuStart) / 10 * 100,
                (cpuEnd - cpuAtFive) / 5 * 100);
}

} // namespace

int main(int argc, char **argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    std::string font = argc > 2 ? argv[2] : "";
    for (const auto &candidate : SoundConfig{}.standardSoundFonts)
        if (font.empty() && looksLikeSoundFont(candidate))
            font = candidate;
    quietenSoundLibraries();
    if (what == "load")
        load(font, argc > 3 ? std::string(argv[3]) != "static" : true);
    else if (what == "click")
        click(font, argc > 3 ? argv[3] : "");
    else if (what == "grid") {
        grid(font, false);
        grid(font, true);
    } else if (what == "idle")
        idle(font, argc > 3 ? argv[3] : "default");
    else {
        std::fprintf(stderr,
                     "usage: bench_sound load|click|grid|idle [SoundFont] [static|device]\n");
        return 2;
    }
}
