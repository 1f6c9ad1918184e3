// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/FileDescriptor.h"

#include <QObject>

#include <array>
#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace miminomi {

/// Turns the requests to end the program from outside its window (SIGTERM, SIGINT, SIGHUP and the
/// desktop session ending) into one call of `closeMainWindow` on the user-interface thread, so
/// that the program ends the way its menu ends it. Requests may come more than once (SIGTERM and
/// SIGHUP together when a terminal and its session end), so closing must be safe to repeat, as
/// closing a window is. At most one may exist at a time.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> handledSignals = {SIGTERM, SIGINT, SIGHUP};

    /// Installs the signal handlers (a signal the program was started with ignored stays ignored)
    /// and listens to the application's quit notification, which the session's end raises.
    explicit ExitSignals(std::function<void()> closeMainWindow, QObject *parent = nullptr);
    /// Restores the signal handlers that were in place before.
    ~ExitSignals() override;

    ExitSignals(const ExitSignals &) = delete;
    ExitSignals &operator=(const ExitSignals &) = delete;

private:
    void readSignals();
    void requestClose();

    std::function<void()> closeMainWindow;
    std::array<struct sigaction, handledSignals.size()> previous{};
    std::array<bool, handledSignals.size()> installed{};
    FileDescriptor pipeRead;
    FileDescriptor pipeWrite;
    std::unique_ptr<QSocketNotifier> notifier;
};

} // namespace miminomi
