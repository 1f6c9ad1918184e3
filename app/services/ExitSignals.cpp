// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/ExitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace miminomi {

namespace {

// The write end of the self-pipe; the handler may touch nothing else.
volatile std::sig_atomic_t signalPipe = -1;

extern "C" void onExitSignal(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // Non-blocking: when the pipe is full, a close request is already waiting to be read.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe, &byte, 1);
    errno = savedErrno;
}

} // namespace

ExitSignals::ExitSignals(std::function<void()> closeMainWindow, QObject *parent)
    : QObject(parent), closeMainWindow(std::move(closeMainWindow)) {
    if (!FileDescriptor::makePipe(pipeRead, pipeWrite)) {
        std::perror("miminomi: termination signals will end the program without its record");
        return;
    }
    signalPipe = pipeWrite.get();
    notifier = std::make_unique<QSocketNotifier>(pipeRead.get(), QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &ExitSignals::readSignals);

    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        struct sigaction current {};
        if (::sigaction(handledSignals[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue; // e.g. SIGHUP under nohup: the starter asked for it to be ignored
        struct sigaction action {};
        action.sa_handler = onExitSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        installed[i] = ::sigaction(handledSignals[i], &action, &previous[i]) == 0;
    }

    // The desktop session ending: the session manager's last word ("die") makes the application
    // quit, as does any other quit request; the window is closed first, so the run ends as from
    // the menu. The session manager's requests to save (commitDataRequest) are not taken as an
    // end: they also come for checkpoints, after which the learner goes on working.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &ExitSignals::requestClose);
}

ExitSignals::~ExitSignals() {
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        if (installed[i])
            ::sigaction(handledSignals[i], &previous[i], nullptr);
    // The handlers are gone; the pipe and its notifier follow as members.
    signalPipe = -1;
}

void ExitSignals::readSignals() {
    unsigned char bytes[64];
    while (::read(pipeRead.get(), bytes, sizeof bytes) > 0) {
    }
    requestClose();
}

void ExitSignals::requestClose() {
    closeMainWindow();
}

} // namespace miminomi
