// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/WindowWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <chrono>

namespace miminomi {

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

void WindowWait::Sleep(std::uint32_t milliseconds) {
    using Clock = WaitDeadlines::Clock;
    const Clock::time_point deadline = deadlines.next(Clock::now(), milliseconds);

    QCoreApplication *app = QCoreApplication::instance();
    const bool outermost = !waiting;
    if (outermost) {
        waiting = true;
        app->installEventFilter(this);
    }
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(left));
        loop.exec();
    }
    if (outermost) {
        app->removeEventFilter(this);
        waiting = false;
    }
}

std::int64_t WindowWait::nowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               WaitDeadlines::Clock::now().time_since_epoch())
        .count();
}

bool WindowWait::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && onStopAsked) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && !(key->modifiers() & ~Qt::KeypadModifier) &&
            !key->isAutoRepeat())
            onStopAsked();
    }
    if (isUserInput(event->type()))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace miminomi
