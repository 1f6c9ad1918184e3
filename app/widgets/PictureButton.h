// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace miminomi {

/// A push button that shows a picture in its middle and its text at the bottom centre, over the
/// picture (greyed while the button is disabled); without a picture its text is centred and
/// broken into two lines at a natural place when the button is too narrow for one.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    PictureButton(const QString &text, const QPixmap &picture, QWidget *parent);
    /// Puts `picture` in the button's middle.
    void setPicture(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap image;
    QPixmap greyed; // the picture as a disabled button shows it, made when first needed
};

} // namespace miminomi
