// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace miminomi {

/// The small "about" window: modeless, always on top, and gone as soon as it loses activation.
class AboutDlg : public QWidget {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;

private slots:
    void button1_Click();

private:
    void AboutDlg_Deactivate();

    QPushButton *button1 = nullptr;
};

} // namespace miminomi
