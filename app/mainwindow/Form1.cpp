// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow/Form1.h"

#include "app/mainwindow/KeptSettings.h"
#include "app/services/ItemNames.h"
#include "app/services/ScheduleTimer.h"
#include "app/widgets/Controls.h"
#include "app/widgets/PictureButton.h"
#include "app/widgets/TabControl.h"
#include "app/windows/AboutDlg.h"
#include "app/windows/ExamWindow.h"
#include "app/windows/KeyGuide.h"
#include "app/windows/MelodyEntryWindow.h"
#include "app/windows/Record.h"
#include "app/windows/ReviewWindow.h"
#include "app/windows/RhythmTapWindow.h"
#include "app/windows/StatisticsWindow.h"
#include "app/windows/ToolWindow.h"
#include "base/CalendarClock.h"
#include "history/History.h"
#include "practice/Practice.h"
#include "practice/QuestionHistory.h"
#include "practice/WeakSpots.h"
#include "quiz/Answers.h"
#include "quiz/MidiChord.h"
#include "quiz/MusicScale.h"
#include "quiz/SharedRandom.h"
#include "quiz/SingleNote.h"
#include "records/RecordDate.h"
#include "records/RecordFile.h"
#include "records/Score.h"
#include "sound/MidiSound.h"
#include "sound/backends/rtmidi/RtMidiInput.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>

namespace miminomi {

Form1::Form1(MidiOut &midiOut, MediaControl &media, Wait &wait, const CalendarClock &clock,
             const FileLocations &locations, QWidget *parent)
    : QMainWindow(parent), wait(wait), clock(clock), locations(locations) {
    buildFrame();
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The sound device and the generators come after the layout, in this order; they share the
    // program's one random generator.
    random = std::make_unique<SharedRandom>(clock);
    midi = std::make_unique<MidiSound>(midiOut, media, wait, *random);
    midi->setDataFolder(locations.dataFolder());
    singleNote = std::make_unique<SingleNote>(*random);
    musicScale = std::make_unique<MusicScale>(*random);
    answers = std::make_unique<Answers>();
    midiChord = std::make_unique<MidiChord>(*random);
    score = std::make_unique<Score>();
    history = std::make_shared<History>(locations.historyPath(), clock);
    weakSpots = std::make_unique<WeakSpots>(
        [this](Exercise exercise) { return history->recentTallies(exercise); },
        static_cast<std::uint32_t>(clock.nowSeconds()));
    practice = std::make_unique<Practice>(*midi, wait, *singleNote, *musicScale, *answers,
                                          *midiChord, *score);
    practice->onChanged = [this] {
        showButtons();
        placeMarkers();
    };
    pieceTicker = new QTimer(this);
    connect(pieceTicker, &QTimer::timeout, this, [this] { showPieceProgress(true); });
    practice->onPiecePlaying = [this](bool playing) {
        if (playing) {
            pieceStartedMs = this->wait.nowMs();
            pieceTicker->start(250);
        } else {
            pieceTicker->stop();
            showPieceProgress(false);
        }
    };

    // The count-in and the notes entered sound without holding the windows.
    new ScheduleTimer(practice->sounds(), wait, this);
    // A grade the program proposes goes into the self-mark list; the learner confirms it or
    // chooses another.
    practice->onGradeProposed = [this](Exercise piece, Choice grade) {
        (piece == Exercise::risum ? comboBoxRisumSelfCheck : comboBoxMelodySelfCheck)
            ->setCurrentIndex(grade);
    };
    practice->onQuestionEnded = [this](const MarkedQuestion &question) {
        // A question that cannot be kept is said on standard error; the quiz goes on.
        history->add(storedQuestionOf(question));
        // The open statistics show it at once.
        if (statisticsWindow)
            statisticsWindow->questionMarked(question.exercise);
    };

    bindHandlers();
    bindKeys();

    // The settings of the last run, through the handlers, as if the learner chose them again.
    kept = std::make_unique<KeptSettings>(std::vector<KeptSettings::Kept>{
        {"referenceA", checkBoxStandardA},
        {"notes/range", comboBoxRange},
        {"notes/onlyWhiteKeys", checkBoxOnlyWhite},
        {"notes/count", comboBoxNoteNum},
        {"scales/family", comboBoxScale},
        {"chords/hint", checkBoxChordHint},
        {"chords/whiteKeyRoots", checkBoxChordWhite},
        {"chords/rotation", checkBoxCodeRotaition},
        {"chords/sevenths", checkBox7Chord},
        {"chords/sixths", checkBox6Chord},
        {"chords/sixNines", checkBox69Chord},
        {"chords/suspendedFourth", checkBoxSus4Chord},
        {"chords/seventhSuspendedFourth", checkBox7SusChord},
        {"chords/diminishedSeventh", checkBoxDimChord},
        {"chords/augmented", checkBoxAugChord},
        {"practice/weakSpots", menuWeakSpots},
        {"practice/noteNaming", noteNamings},
        {"practice/instrument", instruments},
    });
    QSettings settings;
    kept->restore(settings);
    // The program names notes one way at a time: this window's, from its first run on.
    menuNoteNaming_Changed();
}

Form1::~Form1() {
    // The secondary windows share what they show with this window (the history, a dictation),
    // so they may outlive its members until its children go.
    endRun();
    // The exam window plays through this window's sound schedule and MIDI keyboard: it goes first.
    delete examWindow.data();
}

void Form1::bindHandlers() {
    connect(menuItem3, &QAction::triggered, this, &Form1::menuItem3_Click);
    connect(menuItem4, &QAction::triggered, this, &Form1::menuItem4_Click);
    connect(menuKeyGuide, &QAction::triggered, this, &Form1::menuKeyGuide_Click);
    connect(menuStatistics, &QAction::triggered, this, &Form1::menuStatistics_Click);
    connect(menuExportHistory, &QAction::triggered, this, &Form1::menuExportHistory_Click);
    connect(menuReview, &QAction::triggered, this, &Form1::menuReview_Click);
    connect(menuPractice, &QMenu::aboutToShow, this, &Form1::showReviewCount);
    connect(menuWeakSpots, &QAction::toggled, this, &Form1::menuWeakSpots_Toggled);
    connect(menuExam, &QAction::triggered, this, &Form1::menuExam_Click);
    for (QAction *naming : noteNamings->actions())
        connect(naming, &QAction::toggled, this, [this](bool checked) {
            if (checked)
                menuNoteNaming_Changed();
        });
    connect(menuResetSettings, &QAction::triggered, this, &Form1::menuResetSettings_Click);
    connect(menuCompare, &QAction::triggered, this, &Form1::menuCompare_Click);
    connect(menuReferenceA, &QAction::triggered, this, &Form1::menuReferenceA_Click);
    connect(menuTapRhythm, &QAction::triggered, this, &Form1::menuTapRhythm_Click);
    connect(menuEnterMelody, &QAction::triggered, this, &Form1::menuEnterMelody_Click);
    // Alt and the menu's first letter open it, without a mnemonic in its caption.
    for (const auto &[key, menu] :
         {std::pair{Qt::Key_F, menuItem1}, std::pair{Qt::Key_P, menuPractice},
          std::pair{Qt::Key_H, menuItem2}})
        connect(new QShortcut(QKeyCombination(Qt::AltModifier, key), this), &QShortcut::activated,
                this, [this, menu = menu] {
                    menuBar()->setActiveAction(menu->menuAction());
                    // As in any menu opened from the keyboard, its first item is ready for Enter.
                    if (!menu->actions().isEmpty())
                        menu->setActiveAction(menu->actions().front());
                });

    connect(tabControl1, &QTabWidget::currentChanged, this,
            &Form1::tabControl1_SelectedIndexChanged);
    connect(comboBoxRange, &QComboBox::currentIndexChanged, this,
            &Form1::comboBoxRange_SelectedIndexChanged);
    connect(checkBoxOnlyWhite, &QCheckBox::toggled, this, &Form1::checkBoxOnlyWhite_CheckedChanged);
    connect(buttonNext, &QPushButton::clicked, this, &Form1::buttonNext_Click);
    connect(buttonRetry, &QPushButton::clicked, this, &Form1::buttonRetry_Click);
    connect(buttonCheck, &QPushButton::clicked, this, &Form1::buttonCheck_Click);
    connect(buttonShowAnswer, &QPushButton::clicked, this, &Form1::button2_Click);
    connect(buttonSelfcheckRisum, &QPushButton::clicked, this, &Form1::buttonSelfcheckRisum_Click);
    connect(buttonSelfCheckMelody, &QPushButton::clicked, this,
            &Form1::buttonSelfCheckMelody_Click);
    connect(button1, &QPushButton::clicked, this, &Form1::button1_Click);
    connect(buttonShowRecord, &QPushButton::clicked, this, &Form1::buttonShowRecord_Click);

    connect(numericUpDownInst, &QSpinBox::valueChanged, this,
            &Form1::numericUpDownInst_ValueChanged);
    connect(numericUpDownNoteNum, &QSpinBox::valueChanged, this,
            &Form1::numericUpDownNoteNum_ValueChanged);
    connect(numericUpDownVelocity, &QSpinBox::valueChanged, this,
            &Form1::numericUpDownVelocity_ValueChanged);
    connect(numericUpDownMidiCh, &QSpinBox::valueChanged, this,
            &Form1::numericUpDownMidiCh_ValueChanged);
    connect(radioButtonPiano, &QRadioButton::toggled, this,
            &Form1::radioButtonPiano_CheckedChanged);
    connect(radioButtonViolin, &QRadioButton::toggled, this,
            &Form1::radioButtonViolin_CheckedChanged);
    connect(radioButtonFlute, &QRadioButton::toggled, this,
            &Form1::radioButtonFlute_CheckedChanged);
    connect(radioButtonGuiter, &QRadioButton::toggled, this,
            &Form1::radioButtonGuiter_CheckedChanged);
    connect(radioButtonTubularBells, &QRadioButton::toggled, this,
            &Form1::radioButtonglocken_CheckedChanged);
    connect(radioButtonTimpani, &QRadioButton::toggled, this,
            &Form1::radioButtonTrumpet_CheckedChanged);
    connect(buttonSendMidi, &QPushButton::clicked, this, &Form1::buttonSendMidi_Click);
}

void Form1::endRun() {
    if (runEnded)
        return;
    runEnded = true;
    if (kept) {
        QSettings settings;
        kept->save(settings);
    }
    // A record that cannot be kept is explained on standard error; the program still ends.
    RecordFile::SaveCsvFile(*score, RecordDate::localToday(clock), locations.recordPath());
    history->close(History::closingPatience);
}

void Form1::closeEvent(QCloseEvent *event) {
    if (soundingDepth > 0) {
        // Closing in the middle of a sound would cut the action short; it is carried out as
        // soon as the action ends.
        closeRequested = true;
        event->ignore();
        return;
    }
    endRun();
    event->accept();
}

void Form1::menuItem3_Click() {
    close();
}

void Form1::menuItem4_Click() {
    // Every request makes a new dialog; it closes itself as soon as the main window is used.
    ToolWindow::bringForward(new AboutDlg(this));
}

void Form1::menuKeyGuide_Click() {
    ToolWindow::showOne(keyGuide, [this] { return new KeyGuide(this); });
}

void Form1::menuStatistics_Click() {
    // Built when first asked for, so that nothing of it costs time at start.
    ToolWindow::showOne(statisticsWindow, [this] {
        return new StatisticsWindow(history, practice->page().value_or(Exercise::note), this);
    });
}

void Form1::menuReview_Click() {
    ToolWindow::showOne(reviewWindow, [this] {
        auto *window = new ReviewWindow(
            history, *midi, practice->sounds(), wait, clock, [this] { return settings(); }, this);
        window->onMarked = [this] { showReviewCount(); };
        return window;
    });
}

void Form1::showReviewCount() {
    const auto log = history->sharedAnswerLog();
    const std::size_t due =
        log ? ReviewQueue::dueCount(**log, RecordDate::localDateAt(clock.nowSeconds()).dayNumber())
            : 0;
    menuReview->setText(QStringLiteral("今日の復習（%1）…").arg(due));
}

void Form1::menuWeakSpots_Toggled(bool checked) {
    practice->favourWeakSpots(checked ? weakSpots.get() : nullptr);
}

void Form1::menuExam_Click() {
    ToolWindow::showOne(examWindow, [this] {
        if (!midiInput)
            midiInput = std::make_unique<RtMidiInput>();
        auto *window =
            new ExamWindow({practice->sounds(), wait, history, midiInput.get(),
                            [this] { return menuWeakSpots->isChecked(); },
                            // Items of their own, apart from the questions' draws.
                            [] { return QRandomGenerator::global()->bounded(1u, 10000u); }},
                           this);
        // The open statistics show a marked item at once, as they show a question.
        window->onMarked = [this] {
            if (statisticsWindow)
                statisticsWindow->examMarked();
        };
        return window;
    });
}

std::vector<QComboBox *> Form1::pitchLists() const {
    return {comboBoxNoteName0, comboBoxNoteName1, comboBoxNoteName2,
            comboBoxNoteName3, comboBoxKey,       comboBoxChordRoot};
}

void Form1::menuNoteNaming_Changed() {
    const auto naming =
        static_cast<NoteNaming>(noteNamings->actions().indexOf(noteNamings->checkedAction()));
    setNoteNaming(naming);
    const QStringList names = AnswerLists::noteNames(naming);
    // Each item also answers to its Japanese name, so that kana such as へ or へんろ choose it in
    // every naming, as the guide says.
    const QStringList japanese = AnswerLists::noteNames(NoteNaming::japanese);
    for (QComboBox *list : pitchLists()) {
        // The same items stay chosen, and a text typed that names no item stays as it is.
        const int shown = Controls::shownItem(list);
        const QString typed = list->currentText();
        for (int item = 1; item < names.size(); ++item) {
            list->setItemText(item, names[item]);
            list->setItemData(item, japanese[item], Qt::UserRole);
        }
        list->setEditText(shown >= 0 ? names[shown] : typed);
    }
    if (statisticsWindow)
        statisticsWindow->namesChanged();
    if (melodyWindow)
        melodyWindow->namesChanged();
    if (keyGuide)
        keyGuide->namesChanged();
}

void Form1::menuResetSettings_Click() {
    // Asked first, since the learner's own choices are lost: Enter confirms, Escape cancels.
    auto *ask = new QMessageBox(QMessageBox::Question, QStringLiteral("みみのみ"),
                                QStringLiteral("問題の範囲やチェックの設定を，はじめて使ったとき"
                                               "の状態に戻しますか？"),
                                QMessageBox::NoButton, this);
    ask->setObjectName(QStringLiteral("resetSettingsQuestion"));
    ask->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *reset = ask->addButton(QStringLiteral("戻す"), QMessageBox::AcceptRole);
    ask->setEscapeButton(ask->addButton(QStringLiteral("やめる"), QMessageBox::RejectRole));
    ask->setDefaultButton(reset);
    connect(reset, &QPushButton::clicked, this, [this] {
        kept->resetToStart();
        practice->resetNoteRange();
    });
    ask->open();
}

void Form1::buttonShowRecord_Click() {
    // Every click makes a new viewer, showing the tallies as they stand.
    ToolWindow::bringForward(new Record(score->tallies(), this, locations.recordPath()));
}

} // namespace miminomi
