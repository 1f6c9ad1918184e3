// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The About dialog and the record viewer: a new modeless window per request, closed by Escape;
// the menus opened from the keyboard.
#include "app/windows/AboutDlg.h"
#include "app/windows/KeyGuide.h"
#include "app/windows/Record.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

void trigger(Form1 &form, const char *menuItem) {
    form.findChild<QAction *>(QString::fromLatin1(menuItem))->trigger();
}

TEST(AboutDialog, EveryRequestOpensAnotherModelessOneOnTopThatClosesWhenLeftOrByItsButton) {
    FormHarness h;
    trigger(h.form, "menuItem4");
    trigger(h.form, "menuItem4");
    const QList<AboutDlg *> dialogs = h.form.findChildren<AboutDlg *>();
    ASSERT_EQ(dialogs.size(), 2);
    for (AboutDlg *dialog : dialogs) {
        EXPECT_TRUE(dialog->isVisible() && !dialog->isModal());
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(dialog->size(), QSize(208, 269));
    }
    EXPECT_EQ(dialogs[0]->findChild<QLabel *>("pictureBox1")->pixmap().size(), QSize(90, 136));
    EXPECT_EQ(dialogs[0]->palette().color(QPalette::Window), QColor(240, 230, 140));

    QPointer<AboutDlg> left = dialogs[0], closed = dialogs[1];
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(left, &deactivate);
    closed->findChild<QPushButton *>(QStringLiteral("button1"))->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(left.isNull() && closed.isNull()) << "closed and released";

    h.click("buttonShowRecord");
    h.click("buttonShowRecord");
    EXPECT_EQ(h.form.findChildren<Record *>().size(), 2u);

    // Escape closes the dialog and the viewer; Alt with a menu's first letter opens the menu.
    trigger(h.form, "menuItem4");
    for (QWidget *window : std::initializer_list<QWidget *>{h.form.findChild<AboutDlg *>(),
                                                            h.form.findChild<Record *>()}) {
        QApplication::setActiveWindow(window);
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    }
    QApplication::setActiveWindow(&h.form);
    QTest::keyClick(&h.form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(h.find<QMenu>("menuPractice")->isVisible());
    EXPECT_EQ(h.find<QMenu>("menuPractice")->title(), QStringLiteral("練習"));
}

TEST(KeyGuide, AltHThenEnterOpensItEveryKeyItListsIsBoundAndEveryBoundKeyIsListed) {
    FormHarness h;
    QApplication::setActiveWindow(&h.form);
    QTest::keyClick(&h.form, Qt::Key_H, Qt::AltModifier);
    auto *help = h.find<QMenu>("menuItem2");
    ASSERT_TRUE(help->isVisible());
    QTest::keyClick(help, Qt::Key_Return);
    auto *guide = h.form.findChild<KeyGuide *>();
    ASSERT_TRUE(guide && guide->isVisible()) << "the first item of the help menu";

    QList<QKeySequence> bound;
    for (const QShortcut *shortcut : h.form.findChildren<QShortcut *>())
        if (shortcut->parent() == &h.form)
            bound << shortcut->key();
    for (const QAction *action : h.form.findChildren<QAction *>())
        if (!action->shortcut().isEmpty())
            bound << action->shortcut();
    QList<QKeySequence> listed;
    for (const KeyGuide::Section &section : KeyGuide::sections())
        for (const KeyGuide::Line &line : section.lines)
            if (!line.keys.isEmpty() && line.keys != QKeySequence(Qt::Key_Escape))
                listed << line.keys;
    for (const QKeySequence &key : listed)
        EXPECT_TRUE(bound.contains(key)) << key.toString().toStdString() << " is not bound";
    for (const QKeySequence &key : bound)
        EXPECT_TRUE(listed.contains(key)) << key.toString().toStdString() << " is not listed";

    QApplication::setActiveWindow(guide);
    QTest::keyClick(guide, Qt::Key_Escape);
    EXPECT_FALSE(guide->isVisible());
}

} // namespace miminomi::testing
