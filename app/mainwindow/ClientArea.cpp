// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow/ClientArea.h"

#include <QPainter>

namespace miminomi {

ClientArea::ClientArea(QSize size, const QPixmap &cornerArt, QPoint cornerAt, QWidget *parent)
    : QWidget(parent), corner(cornerArt), cornerAt(cornerAt) {
    setFixedSize(size);
}

void ClientArea::paintEvent(QPaintEvent *) {
    // The background picture's field, a calm grey falling gently from top to bottom (its colours
    // are the picture's): painted, so that start-up renders no window-sized picture.
    QLinearGradient field(0, 0, 0, height());
    field.setColorAt(0, QColor(0xd9, 0xdc, 0xe1));
    field.setColorAt(1, QColor(0xc6, 0xca, 0xd1));
    QPainter painter(this);
    painter.fillRect(rect(), field);
    if (!corner.isNull())
        painter.drawPixmap(cornerAt, corner);
}

} // namespace miminomi
