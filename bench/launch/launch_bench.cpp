// Measures how long the program takes from being started to its window being mapped on the X
// server, and its resident memory once the window is up:
//   launch_bench <program> [runs]      (run inside an X server, e.g. under xvfb-run)
// One warm-up run is made first; the median of the measured runs is reported.
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

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display; run under xvfb-run\n");
        return 2;
    }
    launchOnce(display, argv[1]); // warm-up: fonts and libraries into the page cache

    std::vector<double> mapped;
    std::vector<double> rss;
    for (int i = 0; i < runs; ++i) {
        const Launch launch = launchOnce(display, argv[1]);
        if (launch.mappedMs < 0) {
            std::fprintf(stderr, "the window was never mapped\n");
            return 1;
        }
        mapped.push_back(launch.mappedMs);
        rss.push_back(launch.rssKiB / 1024.0);
        std::printf("run %d: window mapped after %.1f ms, resident %.1f MiB\n", i + 1,
                    launch.mappedMs, launch.rssKiB / 1024.0);
    }
    std::printf("launch to window mapped (median of %d): %.1f ms   goal <= 60 ms\n", runs,
                median(mapped));
    std::printf("resident memory after start (median):   %.1f MiB  goal <= 45 MiB\n", median(rss));
    XCloseDisplay(display);
    return 0;
}
