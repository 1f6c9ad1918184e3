// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how long the program takes from being started to its window being mapped on the X
// server, and its resident memory once the window is up:
//   launch_bench <program> [runs] [bare-program]      (run inside an X server, e.g. under xvfb-run)
// One warm-up run is made first; the median of the measured runs is reported.
//
// Given a bare program too (bench_bare_window: a bare Qt window of the same size, menus and
// fonts), the two are started in turn, run for run, the order swapped every run, so that both see
// the same machine, and the program's launch is also given as a ratio to the bare one's: how much
// our start-up adds to what Qt, the X server and the dynamic linker take on any machine.
#include "bench/ResidentMemory.h"
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using miminomi::bench::residentKiB;

using Clock = std::chrono::steady_clock;

struct Launch {
    double mappedMs = -1;
    long rssKiB = -1;
};

Launch launchOnce(Display *display, const char *program) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }

    Launch result;
    const Clock::time_point give_up = start + std::chrono::seconds(20);
    while (Clock::now() < give_up) {
        if (XPending(display) == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            result.mappedMs =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    // Let it finish its first paint and settle before reading its memory.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    result.rssKiB = residentKiB(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    XSelectInput(display, root, NoEventMask);
    return result;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// The launches of one program over the measured runs.
struct Series {
    const char *program;
    std::vector<double> mappedMs;
    std::vector<double> rssMiB;

    bool launch(Display *display) {
        const Launch launch = launchOnce(display, program);
        if (launch.mappedMs < 0) {
            std::fprintf(stderr, "the window of %s was never mapped\n", program);
            return false;
        }
        mappedMs.push_back(launch.mappedMs);
        rssMiB.push_back(launch.rssKiB / 1024.0);
        return true;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [runs] [bare-program]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const bool compared = argc > 3;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display; run under xvfb-run\n");
        return 2;
    }
    Series ours{argv[1], {}, {}};
    Series bare{compared ? argv[3] : nullptr, {}, {}};
    // Warm-up: fonts and libraries into the page cache.
    launchOnce(display, ours.program);
    if (compared)
        launchOnce(display, bare.program);

    for (int i = 0; i < runs; ++i) {
        // The bare window first on even runs, second on odd ones.
        if (compared && i % 2 == 0 && !bare.launch(display))
            return 1;
        if (!ours.launch(display))
            return 1;
        if (compared && i % 2 == 1 && !bare.launch(display))
            return 1;
        std::printf("run %d: window mapped after %.1f ms, resident %.1f MiB", i + 1,
                    ours.mappedMs.back(), ours.rssMiB.back());
        if (compared)
            std::printf("; bare Qt window %.1f ms, %.1f MiB", bare.mappedMs.back(),
                        bare.rssMiB.back());
        std::printf("\n");
    }
    const double oursMs = median(ours.mappedMs);
    std::printf("launch to window mapped (median of %d): %.1f ms\n", runs, oursMs);
    std::printf("resident memory after start (median):   %.1f MiB  goal <= 45 MiB\n",
                median(ours.rssMiB));
    if (compared) {
        const double bareMs = median(bare.mappedMs);
        std::printf("bare Qt window mapped (median of %d): %.1f ms\n", runs, bareMs);
        std::printf("bare Qt window resident memory (median): %.1f MiB\n", median(bare.rssMiB));
        std::printf("launch as a ratio to a bare Qt window: %.2f  goal <= 1.4\n", oursMs / bareMs);
    }
    XCloseDisplay(display);
    return 0;
}
