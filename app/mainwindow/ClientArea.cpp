// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow/ClientArea.h"

#include <QPainter>

namespace miminomi {

ClientArea::ClientArea(QSize size, const QPixmap &background, QWidget *parent)
    : QWidget(parent), picture(background) {
    setFixedSize(size);
}

void ClientArea::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!picture.isNull())
        painter.drawPixmap(0, 0, picture);
}

} // namespace miminomi
