// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/AboutDlg.h"

#include "app/services/Fonts.h"
#include "app/services/Pictures.h"
#include "app/widgets/Controls.h"
#include "app/widgets/PictureButton.h"
#include "app/windows/ToolWindow.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace miminomi {

namespace {
const QColor khaki(240, 230, 140);
const QColor orange(255, 165, 0);
const QColor gold(255, 215, 0);
} // namespace

AboutDlg::AboutDlg(QWidget *parent) : QWidget(parent) {
    ToolWindow::setUp(this, QStringLiteral("みみのみ"), ToolWindow::Kind::note);
    setFixedSize(208, 269);
    setFont(Fonts::make(Fonts::sansSerif, 8.25));
    Controls::setBackground(this, khaki);

    auto *label2 =
        Controls::label(this, "label2", {6, 6, 97, 19}, QStringLiteral("えせ聴音ソフト"));
    label2->setFont(Fonts::ui(10.2));
    auto *label3 = Controls::label(this, "label3", {17, 26, 175, 32}, QStringLiteral("みみのみ"));
    label3->setFont(Fonts::ui(19.8));
    QPalette orangeText = label3->palette();
    orangeText.setColor(QPalette::WindowText, orange);
    label3->setPalette(orangeText);
    auto *label1 = Controls::label(this, "label1", {152, 56, 46, 18}, QStringLiteral("Ver.1.0"));
    label1->setFont(Fonts::ui(10.2));
    auto *pictureBox1 = Controls::pictureBox(this, "pictureBox1", {56, 64, 95, 135},
                                             Pictures::load("about", {90, 136}));
    // There is no web site: the address line points the learner to the documentation that ships
    // with the program instead of inventing one.
    auto *label5 =
        Controls::label(this, "label5", {48, 216, 120, 16}, QStringLiteral("README.md を見てね"));
    button1 =
        Controls::pictureButton(this, "button1", {72, 232, 63, 26}, QStringLiteral("閉じる"), {});
    button1->setFont(Fonts::ui(12));
    Controls::setBackground(button1, gold);

    for (QWidget *widget : {static_cast<QWidget *>(label2), static_cast<QWidget *>(label3),
                            static_cast<QWidget *>(pictureBox1), static_cast<QWidget *>(button1),
                            static_cast<QWidget *>(label1), static_cast<QWidget *>(label5)})
        widget->raise();

    Controls::fitTexts(this, width());
    connect(button1, &QPushButton::clicked, this, &AboutDlg::button1_Click);
}

bool AboutDlg::event(QEvent *event) {
    if (event->type() == QEvent::WindowDeactivate)
        AboutDlg_Deactivate();
    return QWidget::event(event);
}

void AboutDlg::button1_Click() {
    close();
}

void AboutDlg::AboutDlg_Deactivate() {
    close();
}

} // namespace miminomi
