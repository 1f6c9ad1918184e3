// The About dialog, the record viewer button and the main window's two ways of closing.
#include "app/AboutDlg.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

void trigger(Form1 &form, const char *menuItem) {
    form.findChild<QAction *>(QString::fromLatin1(menuItem))->trigger();
}

/// The visible top-level windows titled `title`.
QList<QWidget *> windowsTitled(const QString &title) {
    QList<QWidget *> found;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == title)
            found << window;
    return found;
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
    EXPECT_EQ(windowsTitled(QStringLiteral("過去の成績")).size(), 2);
    for (QWidget *viewer : windowsTitled(QStringLiteral("過去の成績")))
        viewer->close();
}

TEST(MainWindowClosing, MenuAndCloseBoxEachKeepTheRunInOneLineAndARunWithoutAnswersInNone) {
    for (const int way : {0, 1, 2}) {
        QFile::remove(QStringLiteral("record.txt"));
        {
            FormHarness h;
            h.click("buttonNext");
            if (way < 2)
                h.click("buttonCheck"); // nothing chosen: one wrong single note
            way == 0 ? trigger(h.form, "menuItem3") : void(h.form.close());
            EXPECT_FALSE(h.form.isVisible());
        } // the window is destroyed too, which must not write a second line
        QFile record(QStringLiteral("record.txt"));
        EXPECT_EQ(record.open(QIODevice::ReadOnly) ? QString::fromLatin1(record.readAll()) : "",
                  way == 2 ? "" : "1970/01/12,0,1,0,0,0,0,0,0,0,0\r\n") // the calendar's day
            << way;
    }
}

} // namespace
} // namespace miminomi::testing
