// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A long session in one process: many questions across all five exercises on the main window
// (offscreen, over the recording MIDI sink and media player and the virtual clock, so pieces
// "play" at once), with marking, showing answers, self-marking, tab switches, the reset button and
// the record viewer opened and closed now and then. Reports the resident memory after warming up,
// after 1 000 and after the last question, and the growth from 1 000 to the end.
//
//   bench_soak [questions] [--keep-logs] [--data <folder>] [--pages <digits>] [--no-viewer]
//
// questions: 10 000 unless given (at least 1 000). --pages keeps to the given exercise pages
// (0 single notes, 1 scales, 2 chords, 3 rhythm, 4 melody; all five unless given) and --no-viewer
// leaves the record viewer closed: both for finding out where memory goes. The test fakes keep
// every call they see; they are emptied after each question so that only the program's own memory
// is measured, unless --keep-logs is given (to see how much they would add). The window runs in a
// temporary working folder (it appends its record there when it goes away) holding a record history
// for the viewer and a link to the pieces' folder `data/` (the repository's unless --data is
// given).
#include "app/services/Theme.h"
#include "bench/ResidentMemory.h"
#include "tests/support/FormHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#ifndef MIMINOMI_SOURCE_DIR
#define MIMINOMI_SOURCE_DIR "."
#endif

namespace {

using miminomi::bench::residentMiB;

using miminomi::testing::FormHarness;

/// A small fixed-seed generator for the learner's choices, independent of the program's own.
class Choices {
public:
    int below(int n) {
        state = state * 1103515245u + 12345u;
        return n > 0 ? static_cast<int>((state >> 16) % static_cast<unsigned>(n)) : 0;
    }
    bool oneIn(int n) { return below(n) == 0; }

private:
    std::uint32_t state = 20240601u;
};

/// A plausible history of runs for the record viewer to read and draw.
void writeHistory(const QString &path, int lines) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    Choices c;
    for (int i = 0; i < lines; ++i) {
        out << "2006/04/" << (1 + i % 28);
        for (int field = 0; field < 10; ++field)
            out << ',' << c.below(60);
        out << "\r\n";
    }
}

/// The window's controls the session uses; all must exist before it starts.
// clang-format off
constexpr const char *controlsUsed[] = {
    "tabControl1", "buttonNext", "buttonRetry", "buttonCheck", "buttonShowAnswer",
    "buttonShowRecord", "button1", "checkBoxStandardA",
    "comboBoxRange", "checkBoxOnlyWhite", "comboBoxNoteNum",
    "comboBoxNoteName0", "comboBoxNoteName1", "comboBoxNoteName2", "comboBoxNoteName3",
    "comboBoxNoteHeight0", "comboBoxNoteHeight1", "comboBoxNoteHeight2", "comboBoxNoteHeight3",
    "comboBoxScale", "comboBoxKey", "comboBoxScaleType", "comboBoxJPScaleType",
    "checkBoxChordHint", "checkBoxChordWhite", "checkBox7Chord", "checkBox6Chord",
    "checkBox69Chord", "checkBoxSus4Chord", "checkBox7SusChord", "checkBoxDimChord",
    "checkBoxAugChord", "comboBoxChordRoot", "comboBoxChordType",
    "comboBoxRisumSelfCheck", "buttonSelfcheckRisum", "comboBoxMelodySelfCheck",
    "buttonSelfCheckMelody"};
// clang-format on

class Session {
public:
    Session(bool keepLogs, std::string pages, bool viewer)
        : keepLogs(keepLogs), pages(std::move(pages)), viewer(viewer) {
        harness = std::make_unique<FormHarness>(baseSecond);
    }

    bool controlsPresent() const {
        bool all = true;
        for (const char *name : controlsUsed)
            if (!harness->form.findChild<QWidget *>(QString::fromLatin1(name))) {
                std::fprintf(stderr, "the window has no control named %s\n", name);
                all = false;
            }
        return all;
    }

    /// Question number `q`: seven questions on a page, then the next page; every fifth round
    /// also visits the MIDI test page on the way.
    void question(int q) {
        FormHarness &h = *harness;
        // The generators seed themselves from the calendar: let it move on, as time does.
        h.calendar.seconds = baseSecond + q;
        const int page = pages[(q / 7) % pages.size()] - '0';
        if (q % 7 == 0) {
            if (page == 0 && (q / 35) % 5 == 4)
                h.selectTab(5);
            h.selectTab(page);
        }
        if (choices.oneIn(10))
            toggle("checkBoxStandardA");
        switch (page) {
        case 0:
            notes(h);
            break;
        case 1:
            scale(h);
            break;
        case 2:
            chord(h);
            break;
        default:
            piece(h, page);
            break;
        }
        if (choices.oneIn(40))
            h.click("button1");
        if (q % 50 == 49 && viewer)
            viewRecords(h);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!keepLogs)
            forgetCalls();
    }

    int viewersOpened = 0;
    int viewersLeft = 0;

private:
    static constexpr std::int64_t baseSecond = 1'100'000'000;

    QComboBox *combo(const char *name) const {
        return harness->form.findChild<QComboBox *>(QString::fromLatin1(name));
    }
    void selectAny(const char *name) {
        QComboBox *box = combo(name);
        box->setCurrentIndex(choices.below(box->count()));
    }
    void toggle(const char *name) {
        harness->form.findChild<QCheckBox *>(QString::fromLatin1(name))->toggle();
    }

    /// Either the learner answers (a guess) and marks, or asks for the answer, then sometimes
    /// marks anyway (which the window refuses).
    void markOrShow(FormHarness &h, const std::initializer_list<const char *> &answerBoxes) {
        if (choices.oneIn(8))
            h.click("buttonRetry");
        if (choices.below(3) != 0) {
            for (const char *box : answerBoxes)
                selectAny(box);
            h.click("buttonCheck");
        } else {
            h.click("buttonShowAnswer");
            h.click("buttonCheck");
        }
    }

    void notes(FormHarness &h) {
        if (choices.oneIn(5))
            selectAny("comboBoxRange");
        if (choices.oneIn(9))
            toggle("checkBoxOnlyWhite");
        h.select("comboBoxNoteNum", choices.below(4));
        h.click("buttonNext");
        markOrShow(h, {"comboBoxNoteName0", "comboBoxNoteHeight0", "comboBoxNoteName1",
                       "comboBoxNoteHeight1", "comboBoxNoteName2", "comboBoxNoteHeight2",
                       "comboBoxNoteName3", "comboBoxNoteHeight3"});
    }

    void scale(FormHarness &h) {
        if (choices.oneIn(3))
            selectAny("comboBoxScale");
        h.click("buttonNext");
        markOrShow(h, {"comboBoxKey", "comboBoxScaleType", "comboBoxJPScaleType"});
    }

    void chord(FormHarness &h) {
        if (choices.oneIn(3)) {
            static constexpr const char *kinds[] = {
                "checkBox7Chord",    "checkBox6Chord",   "checkBox69Chord", "checkBoxSus4Chord",
                "checkBox7SusChord", "checkBoxDimChord", "checkBoxAugChord"};
            toggle(kinds[choices.below(7)]);
        }
        if (choices.oneIn(6))
            toggle("checkBoxChordHint");
        if (choices.oneIn(6))
            toggle("checkBoxChordWhite");
        h.click("buttonNext");
        markOrShow(h, {"comboBoxChordRoot", "comboBoxChordType"});
    }

    void piece(FormHarness &h, int page) {
        h.click("buttonNext");
        if (choices.oneIn(4))
            h.click("buttonRetry");
        h.click("buttonShowAnswer");
        const bool rhythm = page == 3;
        h.select(rhythm ? "comboBoxRisumSelfCheck" : "comboBoxMelodySelfCheck", choices.below(5));
        h.click(rhythm ? "buttonSelfcheckRisum" : "buttonSelfCheckMelody");
    }

    void viewRecords(FormHarness &h) {
        h.click("buttonShowRecord");
        QCoreApplication::processEvents(); // shown and painted
        ++viewersOpened;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->windowTitle() == QStringLiteral("過去の成績") && window->isVisible()) {
                window->grab(); // its graph drawn at least once
                window->close();
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->windowTitle() == QStringLiteral("過去の成績"))
                ++viewersLeft;
    }

    /// Empties the fakes. The sink can be cleared; the media player and the clock keep every
    /// call with no way to forget, so they are made afresh in place (the window holds references
    /// to them), the clock continuing from the time it had reached.
    void forgetCalls() {
        FormHarness &h = *harness;
        h.sink.clear();
        std::destroy_at(&h.media);
        std::construct_at(&h.media, h.clock);
        std::int64_t now = h.clock.nowMs();
        std::destroy_at(&h.clock);
        std::construct_at(&h.clock);
        for (constexpr std::int64_t step = 1'000'000'000; now > 0; now -= step)
            h.clock.VirtualClock::Sleep(static_cast<std::uint32_t>(std::min(now, step)));
    }

    bool keepLogs;
    std::string pages;
    bool viewer;
    Choices choices;
    std::unique_ptr<FormHarness> harness;
};

} // namespace

int main(int argc, char *argv[]) {
    int questions = 10000;
    bool keepLogs = false;
    bool viewer = true;
    std::string pages = "01234";
    std::string data = MIMINOMI_SOURCE_DIR "/data";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--keep-logs")
            keepLogs = true;
        else if (argument == "--no-viewer")
            viewer = false;
        else if (argument == "--pages" && i + 1 < argc)
            pages = argv[++i];
        else if (argument == "--data" && i + 1 < argc)
            data = argv[++i];
        else
            questions = std::atoi(argv[i]);
    }
    if (questions < 1000 || pages.empty() ||
        pages.find_first_not_of("01234") != std::string::npos) {
        std::fprintf(stderr,
                     "usage: bench_soak [questions >= 1000] [--keep-logs] [--data <folder>] "
                     "[--pages <digits 0-4>] [--no-viewer]\n");
        return 2;
    }

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("QT_SCALE_FACTOR");
    unsetenv("QT_FONT_DPI");
    unsetenv("QT_SCREEN_SCALE_FACTORS");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    miminomi::Theme::apply();

    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    if (!QFile::link(QDir(QString::fromStdString(data)).absolutePath(),
                     folder.filePath(QStringLiteral("data"))))
        std::fprintf(stderr, "no link to %s: pieces and pictures will be missing\n", data.c_str());
    writeHistory(folder.filePath(QStringLiteral("record.txt")), 300);
    QDir::setCurrent(folder.path());

    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    double atStart = 0, atThousand = 0, atEnd = 0;
    int viewersOpened = 0, viewersLeft = 0;
    {
        Session session(keepLogs, pages, viewer);
        if (!session.controlsPresent())
            return 1;
        constexpr int warmUp = 50; // every page and the viewer once
        for (int q = 0; q < questions; ++q) {
            session.question(q);
            if (q + 1 == warmUp)
                atStart = residentMiB();
            if (q + 1 == 1000)
                atThousand = residentMiB();
        }
        atEnd = residentMiB();
        viewersOpened = session.viewersOpened;
        viewersLeft = session.viewersLeft;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

    std::printf("soak: %d questions on pages %s in %.1f s (%d record viewers opened, %d left "
                "open)%s\n",
                questions, pages.c_str(), seconds, viewersOpened, viewersLeft,
                keepLogs ? ", test fakes keeping every call" : "");
    std::printf("soak resident memory: start %.1f MiB, after 1000 questions %.1f MiB, after %d "
                "questions %.1f MiB\n",
                atStart, atThousand, questions, atEnd);
    std::printf("soak growth from 1000 to %d questions: %.2f MiB   goal < 2 MiB\n", questions,
                atEnd - atThousand);
    return 0;
}
