// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/WaitDeadlines.h"
#include "sound/Wait.h"

#include <QObject>

namespace miminomi {

/// The program's blocking wait: until the deadline the windows keep painting and timers keep
/// running, while every click, key press and wheel turn is dropped, so that nothing the learner
/// does during a sound is carried out afterwards. Consecutive waits are chained on absolute
/// deadlines so that a sequence of notes does not drift. A plain Escape is also dropped, after
/// telling onStopAsked, when it is set.
class WindowWait : public QObject, public Wait {
    Q_OBJECT
public:
    void Sleep(std::uint32_t milliseconds) override;
    /// Milliseconds on the system's steady clock, which the waits' deadlines are on.
    std::int64_t nowMs() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WaitDeadlines deadlines;
    bool waiting = false;
};

} // namespace miminomi
