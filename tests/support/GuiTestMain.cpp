// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the window tests inside one QApplication on Qt's offscreen platform, with the program's
// fonts and colours, at the scale the layout is designed for.
#include "app/services/Theme.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char *argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("QT_SCALE_FACTOR");
    unsetenv("QT_FONT_DPI");
    unsetenv("QT_SCREEN_SCALE_FACTORS");
    QApplication app(argc, argv);
    // Windows keep their record in the working folder: give the run a folder of its own.
    QTemporaryDir workingFolder;
    QDir::setCurrent(workingFolder.path());
    // And settings of its own, so that no learner's settings reach the windows under test.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(workingFolder.path() + QStringLiteral("/config")));
    miminomi::Theme::apply();
    return RUN_ALL_TESTS();
}
