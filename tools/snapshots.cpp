// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every page of the main window, the race at its end and the About dialog to PNG files,
// so that a developer can look at the layout without clicking through the program:
//   QT_QPA_PLATFORM=offscreen build-dev/tools/miminomi_snapshots <folder>
#include "app/mainwindow/Form1.h"
#include "app/services/Theme.h"
#include "app/services/WindowWait.h"
#include "app/windows/AboutDlg.h"
#include "base/CalendarClock.h"
#include "sound/backends/SoundSystem.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTabWidget>

#include <cstdio>
#include <sstream>

namespace {

void save(QWidget &widget, const QString &path) {
    QApplication::processEvents();
    widget.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    miminomi::Theme::apply();

    miminomi::SoundConfig silent;
    silent.standardSoundFonts.clear();
    std::ostringstream ignored;
    const auto sound = miminomi::SoundSystem::create(silent, ignored);
    miminomi::WindowWait wait;
    const miminomi::SystemCalendarClock clock;
    miminomi::Form1 form(sound->midiOut(), sound->mediaControl(), wait, clock);
    form.show();

    auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("tabControl1"));
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        save(form, QStringLiteral("%1/page%2.png").arg(folder).arg(page));
    }

    // The rhythm page's three pictures, front-most first.
    tabs->setCurrentIndex(3);
    auto *missing = form.findChild<QLabel *>(QStringLiteral("pictureBoxNoRisumMidiData"));
    auto *opened = form.findChild<QLabel *>(QStringLiteral("pictureBoxOpenRisum"));
    missing->hide();
    save(form, folder + QStringLiteral("/risum-opened.png"));
    opened->hide();
    save(form, folder + QStringLiteral("/risum-initial.png"));

    // The race: the right marker at the goal with the winning picture, then the losing one.
    auto *right = form.findChild<QLabel *>(QStringLiteral("pictureBoxRight"));
    auto *wrong = form.findChild<QLabel *>(QStringLiteral("pictureBoxWrong"));
    auto *good = form.findChild<QLabel *>(QStringLiteral("pictureBoxGoodGameOver"));
    auto *bad = form.findChild<QLabel *>(QStringLiteral("pictureBoxBadGameOver"));
    tabs->setCurrentIndex(0);
    right->move(642, 66);
    wrong->move(718, 336 - 27 * 6);
    good->show();
    save(form, folder + QStringLiteral("/race-won.png"));
    good->hide();
    right->move(642, 336 - 27 * 4);
    wrong->move(718, 66);
    bad->show();
    save(form, folder + QStringLiteral("/race-lost.png"));

    miminomi::AboutDlg about;
    about.show();
    save(about, folder + QStringLiteral("/about.png"));
    return 0;
}
