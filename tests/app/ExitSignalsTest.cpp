// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every way a run ends (the menu, the close box, termination signals, the session ending) closes
// the main window on the user-interface thread, which keeps the run's record once.
#include "app/services/ExitSignals.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

#include <csignal>

namespace miminomi::testing {

TEST(EndingARun, EveryWayOfEndingClosesTheWindowWhichKeepsTheRecordOnceAndARunWithoutAnswersNone) {
    constexpr int menu = -1, closeBox = -2, sessionEnd = -3, noAnswers = -4;
    for (int way : {SIGTERM, SIGINT, SIGHUP, menu, closeBox, sessionEnd, noAnswers}) {
        QFile::remove("record.txt");
        {
            FormHarness h;
            h.click("buttonNext");
            if (way != noAnswers)
                h.click("buttonCheck"); // nothing chosen: one wrong single note
            ExitSignals exitSignals([&h] { h.form.close(); });
            if (way > 0) {
                std::raise(way);
                std::raise(SIGTERM); // a second request, as when a terminal and its session end
                EXPECT_TRUE(h.form.isVisible()) << "nothing runs inside the signal handler";
            } else if (way == menu) {
                h.form.findChild<QAction *>("menuItem3")->trigger();
            } else if (way == sessionEnd) {
                QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
            } else {
                h.form.close();
            }
            QCoreApplication::processEvents();
            EXPECT_FALSE(h.form.isVisible()) << way;
        } // the window is destroyed too, which must not write a second line
        QFile record("record.txt");
        EXPECT_EQ(record.open(QIODevice::ReadOnly) ? QString::fromLatin1(record.readAll()) : "",
                  way == noAnswers ? "" : "1970/01/12,0,1,0,0,0,0,0,0,0,0\r\n") // the calendar's
            << way;
    }
}

} // namespace miminomi::testing
