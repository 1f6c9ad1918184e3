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
    /// `cornerArt`, the only part of the background picture that is not its plain field, is drawn
    /// at `cornerAt`; the field itself is painted.
    ClientArea(QSize size, const QPixmap &cornerArt, QPoint cornerAt, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap corner;
    QPoint cornerAt;
};

} // namespace miminomi
