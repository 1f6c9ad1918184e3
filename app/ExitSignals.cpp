#include "app/ExitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace miminomi {

namespace {

// The write end of the self-pipe; the handler may touch nothing else.
volatile std::sig_atomic_t pipeWrite = -1;

extern "C" void onExitSignal(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // Non-blocking: when the pipe is full, a close request is already waiting to be read.
    [[maybe_unused]] const ssize_t written = ::write(pipeWrite, &byte, 1);
    errno = savedErrno;
}

} // namespace

ExitSignals::ExitSignals(std::function<void()> closeMainWindow, QObject *parent)
    : QObject(parent), closeMainWindow(std::move(closeMainWindow)) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("miminomi: termination signals will end the program without its record");
        return;
    }
    pipeRead = fds[0];
    pipeWrite = fds[1];
    notifier = new QSocketNotifier(pipeRead, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &ExitSignals::readSignals);

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
    if (pipeRead >= 0) {
        delete notifier;
        ::close(pipeWrite);
        pipeWrite = -1;
        ::close(pipeRead);
    }
}

void ExitSignals::readSignals() {
    unsigned char bytes[64];
    while (::read(pipeRead, bytes, sizeof bytes) > 0) {
    }
    requestClose();
}

void ExitSignals::requestClose() {
    closeMainWindow();
}

} // namespace miminomi
