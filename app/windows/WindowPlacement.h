// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace miminomi::WindowPlacement {

/// Where a window of `size` goes so that it covers nothing of `keep` (in screen coordinates):
/// beside the window `owner` (right, left, below, above), else below or above `keep`, always
/// within `screen`; where nothing fits, the place that covers least of it.
QPoint beside(QSize size, QRect keep, QRect owner, QRect screen);

/// Moves `window` (its frame included) beside `owner` so that it leaves `keep`, a widget of the
/// owner, in view.
void placeBeside(QWidget *window, const QWidget *owner, const QWidget *keep);

} // namespace miminomi::WindowPlacement
