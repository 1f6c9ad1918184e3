// Termination signals reach the program as a request to close its window, on the user-interface
// thread, and leave the signal dispositions as they were once the handling ends.
#include "app/ExitSignals.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <csignal>

using miminomi::ExitSignals;

namespace {

void processPending() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void (*handlerOf(int signal))(int) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

extern "C" void otherHandler(int) {}

TEST(ExitSignals, EachSignalBecomesACloseRequestOnTheEventLoop) {
    for (int signal : ExitSignals::handledSignals) {
        int requests = 0;
        ExitSignals exitSignals([&requests] { ++requests; });
        std::raise(signal);
        EXPECT_EQ(requests, 0) << "nothing runs inside the signal handler";
        processPending();
        EXPECT_EQ(requests, 1) << strsignal(signal);
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
        processPending();
    }
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(handlerOf(SIGTERM), otherHandler);
    std::signal(SIGTERM, savedTerm);
    std::signal(SIGHUP, savedHup);
}

} // namespace
