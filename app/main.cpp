// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow/Form1.h"
#include "app/services/ExitSignals.h"
#include "app/services/Theme.h"
#include "app/services/WindowWait.h"
#include "base/CalendarClock.h"
#include "music/DictationCommand.h"
#include "sound/backends/SoundSystem.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char *argv[]) {
    // --write-dictation and --dictation-levels ask for the command-line mode, which ends before
    // any window or sound is made. Otherwise the program takes nothing from its command line, not
    // even Qt's own options.
    if (argc > 1 && miminomi::music::isDictationCommand(argv[1]))
        return miminomi::music::runDictationCommand({argv + 1, argv + argc}, std::cout, std::cerr);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // The learner's settings: ~/.config/miminomi/miminomi.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("miminomi"));
    QCoreApplication::setApplicationName(QStringLiteral("miminomi"));
    miminomi::Theme::apply();
    // Lets the desktop match the window to its installed entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.miminomi.Miminomi"));

    // Choosing the backend loads nothing: the synthesiser starts at the first sound.
    const std::unique_ptr<miminomi::SoundSystem> sound = miminomi::SoundSystem::fromEnvironment();
    miminomi::WindowWait wait;
    const miminomi::SystemCalendarClock clock;

    // The pieces and the learner's files: beside a data/ folder in the working folder, else where
    // the program is installed and in the learner's own data folder.
    const miminomi::FileLocations locations =
        miminomi::FileLocations::find(QCoreApplication::applicationDirPath().toStdString(),
                                      std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    miminomi::Form1 form(sound->midiOut(), sound->mediaControl(), wait, clock, locations);
    form.show();
    // A signal to end, or the desktop session ending, closes the window as its menu does, so
    // that the run's record is kept.
    const miminomi::ExitSignals exitSignals([&form] { form.close(); });
    QApplication::exec();
    return 0;
}
