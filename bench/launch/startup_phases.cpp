// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the start-up time goes: the steps of app/main.cpp, taken the same way and in the same
// order, each timed, up to the end of the main window's first paint, after which the run ends at
// once (nothing is kept: no settings, no record, no history).
//
//   bench_startup_phases [runs]           (under an X server, e.g. xvfb-run; 15 runs unless given)
//   bench_startup_phases --once           (one run, for a profiler: valgrind, perf, strace)
//
// Each run is a fresh process started by this one, which passes the moment it started it, so the
// first figure is what happens before main(): loading and relocating the shared libraries and
// the static initialisers. Runs are 0.7 s apart, as launch_bench's are. The median of each step
// over the runs is printed, one step a line, with the running sum of those medians.
//
// A run writes nothing (it ends before the window would keep its settings, record and history)
// but reads the learner's settings as the program does: point XDG_CONFIG_HOME and XDG_DATA_HOME
// at a scratch folder to start from chosen ones.
#include "app/mainwindow/Form1.h"
#include "app/services/ExitSignals.h"
#include "app/services/Theme.h"
#include "app/services/WindowWait.h"
#include "base/CalendarClock.h"
#include "sound/backends/SoundSystem.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char *steps[] = {
    "before main (libraries, relocation, static initialisers)",
    "QApplication (platform plugin, X connection)",
    "Theme::apply (fonts, palette)",
    "SoundSystem::fromEnvironment",
    "FileLocations::find",
    "Form1 constructed",
    "Form1::show returned",
    "first paint of the window started",
    "first paint ended",
};
constexpr int stepCount = sizeof steps / sizeof *steps;

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/// Marks the end of the window's first paint and ends the run right after it.
class FirstPaint : public QObject {
public:
    FirstPaint(std::vector<double> &marks, double started) : marks(marks), started(started) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            marks.push_back(nowMs() - started);
            // Runs once the paint and the flush to the X server that follows it are done.
            QTimer::singleShot(0, [this] {
                marks.push_back(nowMs() - started);
                for (const double mark : marks)
                    std::printf("%.3f ", mark);
                std::printf("\n");
                std::fflush(stdout);
                std::_Exit(0); // nothing of the run is kept
            });
        }
        return false;
    }

private:
    std::vector<double> &marks;
    double started;
    bool seen = false;
};

/// One start-up, as app/main.cpp does it; prints the marks on one line.
int child(char *program, double started) {
    std::vector<double> marks;
    const auto mark = [&] { marks.push_back(nowMs() - started); };
    mark();

    int qtArgc = 1;
    char *qtArgv[] = {program, nullptr};
    QApplication app(qtArgc, qtArgv);
    QCoreApplication::setOrganizationName(QStringLiteral("miminomi"));
    QCoreApplication::setApplicationName(QStringLiteral("miminomi"));
    mark();
    miminomi::Theme::apply();
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.miminomi.Miminomi"));
    mark();

    const std::unique_ptr<miminomi::SoundSystem> sound = miminomi::SoundSystem::fromEnvironment();
    miminomi::WindowWait wait;
    const miminomi::SystemCalendarClock clock;
    mark();
    const miminomi::FileLocations locations =
        miminomi::FileLocations::find(QCoreApplication::applicationDirPath().toStdString(),
                                      std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    mark();
    miminomi::Form1 form(sound->midiOut(), sound->mediaControl(), wait, clock, locations);
    mark();
    FirstPaint firstPaint(marks, started);
    form.installEventFilter(&firstPaint);
    form.show();
    mark();
    const miminomi::ExitSignals exitSignals([&form] { form.close(); });
    return QApplication::exec();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Starts `program` as a child run and reads its marks; empty when it failed.
std::vector<double> runOnce(const char *program) {
    // Runs started right after one another are slowed by the end of the one before (the X
    // server and the kernel releasing its memory), by as much as the whole start takes: each
    // waits as launch_bench's runs do.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    int out[2];
    if (pipe(out) != 0)
        return {};
    const std::string started = std::to_string(nowMs());
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program, program, "--child", started.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    std::vector<double> marks;
    for (const char *p = text.c_str(); *p;) {
        char *end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p)
            break;
        marks.push_back(value);
        p = end;
    }
    if (marks.size() != stepCount)
        return {};
    return marks;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return child(argv[0], std::strtod(argv[2], nullptr));
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0)
        return child(argv[0], nowMs());

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const char *self = "/proc/self/exe";
    runOnce(self); // warm-up: libraries and fonts into the page cache
    std::vector<std::vector<double>> byStep(stepCount);
    for (int i = 0; i < runs; ++i) {
        const std::vector<double> marks = runOnce(self);
        if (marks.empty()) {
            std::fprintf(stderr, "run %d did not reach the first paint\n", i + 1);
            return 1;
        }
        for (int step = 0; step < stepCount; ++step)
            byStep[step].push_back(marks[step] - (step > 0 ? marks[step - 1] : 0.0));
    }
    std::printf("start-up steps, median of %d runs (ms for the step; running sum):\n", runs);
    double total = 0;
    for (int step = 0; step < stepCount; ++step) {
        const double ms = median(byStep[step]);
        total += ms;
        std::printf("  %-58s %7.2f  %7.2f\n", steps[step], ms, total);
    }
    return 0;
}
