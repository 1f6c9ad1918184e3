// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace miminomi {

/// The pictures compiled into the program, drawn as SVG and rendered at their fixed pixel size.
class Pictures {
public:
    /// Renders :/assets/<name>.svg at exactly `size`; a null pixmap when there is no such picture.
    static QPixmap load(const QString &name, QSize size);
    /// The part `part` of picture `name`, in the picture's own coordinates, at its own size: a
    /// small region of a large picture costs a small pixmap.
    static QPixmap loadPart(const QString &name, QRect part);
    /// Puts the picture into `label` only when the label is first shown, so that pictures on
    /// pages nobody has opened yet cost nothing at start-up.
    static void loadWhenShown(QLabel *label, const QString &name, QSize size);
    /// Runs `action` once, when `widget` is first shown.
    static void onFirstShow(QWidget *widget, std::function<void()> action);
    /// The window icon, with its 32 × 32 and 16 × 16 images.
    static QIcon windowIcon();
};

} // namespace miminomi
