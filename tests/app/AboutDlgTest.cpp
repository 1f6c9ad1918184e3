// The About dialog: a new modeless one per request, always on top, gone when it loses activation;
// and the main window's two ways of closing.
#include "app/AboutDlg.h"
#include "app/Form1.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

using miminomi::AboutDlg;
using miminomi::Form1;

namespace {

QAction *menuAction(Form1 &form, const char *name) {
    return form.findChild<QAction *>(QString::fromLatin1(name));
}

QList<AboutDlg *> openDialogs(Form1 &form) {
    QList<AboutDlg *> open;
    for (AboutDlg *dialog : form.findChildren<AboutDlg *>())
        if (dialog->isVisible())
            open << dialog;
    return open;
}

TEST(AboutDialog, EveryMenuClickOpensAnotherModelessDialogOnTop) {
    miminomi::testing::FormHarness harness;
    Form1 &form = harness.form;
    menuAction(form, "menuItem4")->trigger();
    menuAction(form, "menuItem4")->trigger();

    const QList<AboutDlg *> dialogs = openDialogs(form);
    ASSERT_EQ(dialogs.size(), 2);
    EXPECT_NE(dialogs[0], dialogs[1]);
    for (AboutDlg *dialog : dialogs) {
        EXPECT_FALSE(dialog->isModal());
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_EQ(dialog->size(), QSize(208, 269));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("みみのみ"));
    }
    EXPECT_TRUE(form.isEnabled()) << "the main window stays usable";
}

TEST(AboutDialog, ShowsItsLabelsAndPicture) {
    AboutDlg dialog;
    auto text = [&](const char *name) {
        return dialog.findChild<QLabel *>(QString::fromLatin1(name))->text();
    };
    EXPECT_EQ(text("label2"), QStringLiteral("えせ聴音ソフト"));
    EXPECT_EQ(text("label3"), QStringLiteral("みみのみ"));
    EXPECT_EQ(text("label1"), QStringLiteral("Ver.1.0"));
    EXPECT_FALSE(text("label5").isEmpty());
    auto *picture = dialog.findChild<QLabel *>(QStringLiteral("pictureBox1"));
    EXPECT_EQ(picture->geometry(), QRect(56, 64, 95, 135));
    EXPECT_EQ(picture->pixmap().size(), QSize(90, 136));
    EXPECT_EQ(dialog.findChild<QPushButton *>(QStringLiteral("button1"))->text(),
              QStringLiteral("閉じる"));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(240, 230, 140));
}

TEST(AboutDialog, ClosesOnDeactivationAndOnItsButton) {
    QPointer<AboutDlg> deactivated = new AboutDlg;
    deactivated->show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(deactivated, &deactivate);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(deactivated.isNull()) << "a deactivated dialog closes and is released";

    QPointer<AboutDlg> closed = new AboutDlg;
    closed->show();
    closed->findChild<QPushButton *>(QStringLiteral("button1"))->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

QStringList recordLines() {
    QFile file(QStringLiteral("record.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

TEST(MainWindowClosing, MenuAndCloseBoxEachKeepTheRunInOneRecordLine) {
    for (const bool byMenu : {true, false}) {
        QFile::remove(QStringLiteral("record.txt"));
        {
            miminomi::testing::FormHarness harness;
            harness.click("buttonNext");
            harness.click("buttonCheck"); // nothing chosen: one wrong single note
            if (byMenu)
                menuAction(harness.form, "menuItem3")->trigger();
            else
                EXPECT_TRUE(harness.form.close());
            EXPECT_FALSE(harness.form.isVisible());
            EXPECT_TRUE(harness.form.hasEndedRun());
        } // the window is destroyed too, which must not write a second line
        const QStringList lines = recordLines();
        ASSERT_EQ(lines.size(), 1) << (byMenu ? "menu" : "close box");
        EXPECT_TRUE(lines[0].endsWith(QStringLiteral(",0,1,0,0,0,0,0,0,0,0")))
            << lines[0].toStdString();
    }
}

TEST(MainWindowClosing, ARunWithoutAnswersLeavesNoRecord) {
    QFile::remove(QStringLiteral("record.txt"));
    {
        miminomi::testing::FormHarness harness;
        harness.click("buttonNext");
        harness.form.close();
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("record.txt")));
}

TEST(RecordViewerButton, EveryClickOpensAnotherViewer) {
    miminomi::testing::FormHarness harness;
    harness.click("buttonShowRecord");
    harness.click("buttonShowRecord");
    int open = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        open += window->isVisible() && window->windowTitle() == QStringLiteral("過去の成績");
    EXPECT_EQ(open, 2);
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->windowTitle() == QStringLiteral("過去の成績"))
            window->close();
}

} // namespace
