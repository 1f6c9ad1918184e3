// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/ToolWindow.h"

#include "app/services/Pictures.h"

#include <QDialog>
#include <QShortcut>

namespace miminomi::ToolWindow {

void setUp(QWidget *window, const QString &title, Kind kind) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (kind == Kind::note)
        flags |= Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint;
    window->setWindowFlags(flags);
    window->setWindowTitle(title);
    window->setWindowIcon(Pictures::windowIcon());
    // A dialog closes on Escape by itself (and may give the key another meaning first); another
    // window is given the shortcut.
    if (!qobject_cast<QDialog *>(window))
        QObject::connect(new QShortcut(QKeySequence::Cancel, window), &QShortcut::activated, window,
                         &QWidget::close);
}

void bringForward(QWidget *window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace miminomi::ToolWindow
