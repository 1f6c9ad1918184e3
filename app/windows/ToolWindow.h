// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace miminomi::ToolWindow {

/// How a secondary window stands beside the main window.
enum class Kind {
    /// Fixed in size and kept on top of the main window: the About dialog, the record viewer.
    note,
    /// A window of its own that the learner may move and resize: statistics, dictation.
    tool,
};

/// Makes `window` a secondary window of the program: deleted once closed, its closing never ends
/// the program, Escape closes it, it carries `title` and the program's icon.
void setUp(QWidget *window, const QString &title, Kind kind);

/// Brings `window` forward, showing it first if need be.
void bringForward(QWidget *window);

/// The window kept in `open` brought forward; else a new one from `make` (which may give
/// nullptr when there is nothing to show), kept in `open` and shown. `placed` is called with a
/// new window before it is first shown.
template <class Window, class Make, class Place = void (*)(Window *)>
Window *showOne(
    QPointer<Window> &open, Make make, Place placed = [](Window *) {}) {
    // A window closed and not yet deleted is on its way out: a new one takes its place.
    if (!open || !open->isVisible()) {
        open = make();
        if (!open)
            return nullptr;
        placed(open.data());
    }
    bringForward(open);
    return open;
}

} // namespace miminomi::ToolWindow
