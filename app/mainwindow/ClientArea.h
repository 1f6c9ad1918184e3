// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

namespace miminomi {

/// The main window's client area: a fixed-size field that draws its background picture from the
/// top-left corner, clipped to the area.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    ClientArea(QSize size, const QPixmap &background, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture;
};

} // namespace miminomi
