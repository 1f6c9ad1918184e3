// Requests to end the program from outside its window (termination signals, the session ending)
// close the main window on the user-interface thread, which keeps the run's record once, and the
// signal dispositions are as they were once the handling ends.
#include "app/ExitSignals.h"
#include "tests/support/FormHarness.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>

namespace miminomi::testing {
namespace {

void (*handlerOf(int signal))(int) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

extern "C" void otherHandler(int) {}

TEST(ExitSignals, EachSignalAndTheSessionsEndCloseTheWindowWhichKeepsTheRecordOnce) {
    for (int way : {SIGTERM, SIGINT, SIGHUP, 0}) {
        QFile::remove("record.txt");
        FormHarness h;
        h.click("buttonNext");
        h.click("buttonCheck");
        ExitSignals exitSignals([&h] { h.form.close(); });
        if (way != 0) {
            std::raise(way);
            std::raise(SIGTERM); // a second request, as when a terminal and its session end
            EXPECT_TRUE(h.form.isVisible()) << "nothing runs inside the signal handler";
        } else {
            QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
        }
        QCoreApplication::processEvents();
        EXPECT_FALSE(h.form.isVisible()) << way;
        QFile record("record.txt");
        ASSERT_TRUE(record.open(QIODevice::ReadOnly)) << way;
        EXPECT_EQ(record.readAll().count("\r\n"), 1) << way;
    }
}

TEST(ExitSignals, PreviousHandlersComeBackAndASignalIgnoredAtStartStaysIgnored) {
    // As under nohup: hanging up the terminal must not end the program.
    const auto savedTerm = std::signal(SIGTERM, otherHandler);
    const auto savedHup = std::signal(SIGHUP, SIG_IGN);
    int requests = 0;
    {
        ExitSignals exitSignals([&requests] { ++requests; });
        EXPECT_NE(handlerOf(SIGTERM), otherHandler);
        EXPECT_EQ(handlerOf(SIGHUP), SIG_IGN);
        std::raise(SIGHUP);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(handlerOf(SIGTERM), otherHandler);
    std::signal(SIGTERM, savedTerm);
    std::signal(SIGHUP, savedHup);
}

} // namespace
} // namespace miminomi::testing
