// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/FileLocations.h"
#include "practice/Choices.h"
#include "practice/PracticeSettings.h"
#include "records/Exercise.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace miminomi {

class Answers;
class CalendarClock;
class ClientArea;
class History;
class KeyGuide;
class KeptSettings;
class MediaControl;
class MelodyEntryWindow;
class ExamWindow;
class MidiInput;
class MidiChord;
class MidiOut;
class MidiSound;
class MusicScale;
class PictureButton;
class Practice;
class ReviewWindow;
class RhythmTapWindow;
class Score;
class SharedRandom;
class SingleNote;
class StatisticsWindow;
class TabControl;
class Wait;
class WeakSpots;

/// The main window: a fixed layout of the five exercises and the MIDI test page in a tab control,
/// the question buttons below it and the right/wrong race on its right.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window, then the sound device over `midiOut` and `media` (waiting through
    /// `wait`) and the question generators, seeded from `clock`. The pieces are read and the
    /// record and history kept where `locations` says.
    Form1(MidiOut &midiOut, MediaControl &media, Wait &wait, const CalendarClock &clock,
          const FileLocations &locations = {}, QWidget *parent = nullptr);
    ~Form1() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void menuItem3_Click();
    void menuItem4_Click();
    void menuKeyGuide_Click();
    void buttonShowRecord_Click();
    void menuStatistics_Click();
    /// Writes the history, whole or of a chosen period, to a CSV file the learner names.
    void menuExportHistory_Click();
    /// "今日の復習…": opens the review window, or brings the open one forward.
    void menuReview_Click();
    /// Shows in the review item how many items are due today.
    void showReviewCount();
    void menuWeakSpots_Toggled(bool checked);
    /// Shows the notes, keys and roots in the naming now checked, wherever they are shown.
    void menuNoteNaming_Changed();
    void menuResetSettings_Click();
    void menuCompare_Click();
    void menuReferenceA_Click();
    void menuTapRhythm_Click();
    void menuEnterMelody_Click();
    void menuExam_Click();

    // Questions, marking and the race.
    void buttonNext_Click();
    void buttonRetry_Click();
    void buttonCheck_Click();
    void button2_Click();
    void button1_Click();
    void tabControl1_SelectedIndexChanged(int index);
    void comboBoxRange_SelectedIndexChanged();
    void checkBoxOnlyWhite_CheckedChanged();
    void buttonSelfcheckRisum_Click();
    void buttonSelfCheckMelody_Click();

    // MIDI test page.
    void buttonSendMidi_Click();
    void numericUpDownInst_ValueChanged(int value);
    void numericUpDownNoteNum_ValueChanged(int value);
    void numericUpDownVelocity_ValueChanged(int value);
    void numericUpDownMidiCh_ValueChanged(int value);
    void radioButtonPiano_CheckedChanged(bool checked);
    void radioButtonViolin_CheckedChanged(bool checked);
    void radioButtonFlute_CheckedChanged(bool checked);
    void radioButtonGuiter_CheckedChanged(bool checked);
    void radioButtonglocken_CheckedChanged(bool checked);
    void radioButtonTrumpet_CheckedChanged(bool checked);

private:
    /// Ends the run: everything that must happen exactly once when the window goes away.
    /// Safe to call more than once; only the first call has an effect.
    void endRun();
    void bindHandlers();
    /// Keys for the question actions, the Tab order and Enter on buttons.
    void bindKeys();

    // Reading the pages.
    /// How the pages' settings shape the next question.
    PracticeSettings settings() const;
    /// The answer lists of an exercise's page, in page order.
    std::vector<QComboBox *> answerLists(Exercise exercise) const;
    /// The mark pictures of an exercise's page, by the number the practice gives them.
    std::vector<QLabel *> markPictures(Exercise exercise) const;
    /// What the answer lists of the page on show show.
    Choices chosenOnPage() const;
    /// The lists of pitch classes: the note names, the scale's key and the chord's root.
    std::vector<QComboBox *> pitchLists() const;

    // Showing what the practice answers.
    void showButtons();
    void showTotals();
    void doCheck();
    void showRightAnswer();
    void showPieceAnswer(Exercise exercise);
    void resetAnswers();
    void selfCheck(Exercise exercise, QComboBox *grade);
    /// Places the race's markers where its steps stand.
    void placeMarkers();
    /// Places the markers and shows the game-over picture once a game has ended.
    void ScoreImageMove();
    /// Shows how far the piece has played, or hides the bar once it has ended.
    void showPieceProgress(bool playing);

    /// Runs a sounding action: the window keeps painting but takes no input meanwhile, and a
    /// request to close it is carried out when the action has ended.
    void sounding(const std::function<void()> &action);

    // The windows that answer a piece.
    /// F7: marks the question on show, by the program or by the grade chosen on a piece's page.
    void markQuestion();
    /// Places a new window that answers the piece on show beside the main window, leaving `keep`
    /// (the score picture) in view; F7 and F8 work in it as in the main window.
    void placeDictationWindow(QWidget *window, const QWidget *keep);
    /// Closes the windows of a question that is no longer on show.
    void closeDictationWindows();

    void buildFrame();
    void buildMenu();
    void buildNotePage(QWidget *page);
    void buildScalePage(QWidget *page);
    void buildChordPage(QWidget *page);
    void buildRisumPage(QWidget *page);
    void buildMelodyPage(QWidget *page);
    void buildTestPage(QWidget *page);
    void stackWindowControls();

    bool runEnded = false;
    int soundingDepth = 0;
    bool closeRequested = false;

    Wait &wait;
    const CalendarClock &clock;
    const FileLocations locations;
    std::unique_ptr<SharedRandom> random;
    std::unique_ptr<MidiSound> midi;
    std::unique_ptr<SingleNote> singleNote;
    std::unique_ptr<MusicScale> musicScale;
    std::unique_ptr<Answers> answers;
    std::unique_ptr<MidiChord> midiChord;
    std::unique_ptr<Score> score;
    /// Every question as it ends, beside the record file; opened when first needed.
    std::shared_ptr<History> history;
    /// Leans the draws towards weak items while "苦手な問題を多めに出す" is checked.
    std::unique_ptr<WeakSpots> weakSpots;
    /// The question cycle over the objects above.
    std::unique_ptr<Practice> practice;

    /// The learner's settings, kept from one run to the next.
    std::unique_ptr<KeptSettings> kept;

    ClientArea *client = nullptr;

    QMenu *menuItem1 = nullptr;
    QMenu *menuItem2 = nullptr;
    QAction *menuItem3 = nullptr;
    QAction *menuItem4 = nullptr;
    QAction *menuKeyGuide = nullptr;
    QMenu *menuPractice = nullptr;
    QAction *menuStatistics = nullptr;
    QAction *menuExportHistory = nullptr;
    /// "今日の復習（12）…": its text tells how many items are due today.
    QAction *menuReview = nullptr;
    QAction *menuWeakSpots = nullptr;
    /// "音名の表記": one exclusive item per naming, in NoteNaming's order.
    QMenu *menuNoteNaming = nullptr;
    QActionGroup *noteNamings = nullptr;
    /// "音色": one exclusive item per instrument, its General MIDI program as its data.
    QMenu *menuInstrument = nullptr;
    QActionGroup *instruments = nullptr;
    QAction *menuResetSettings = nullptr;
    QAction *menuCompare = nullptr;
    QAction *menuReferenceA = nullptr;
    QAction *menuTapRhythm = nullptr;
    QAction *menuEnterMelody = nullptr;
    QAction *menuExam = nullptr;

    // Controls placed directly on the window.
    QCheckBox *checkBoxStandardA = nullptr;
    TabControl *tabControl1 = nullptr;
    PictureButton *buttonNext = nullptr;
    PictureButton *buttonRetry = nullptr;
    PictureButton *buttonCheck = nullptr;
    PictureButton *buttonShowAnswer = nullptr;
    PictureButton *button1 = nullptr;
    PictureButton *buttonShowRecord = nullptr;
    QLabel *pictureBoxResult = nullptr;
    QLabel *pictureBoxRight = nullptr;
    QLabel *pictureBoxWrong = nullptr;
    QLabel *pictureBoxGoodGameOver = nullptr;
    QLabel *pictureBoxBadGameOver = nullptr;
    QLineEdit *textBoxRight = nullptr;
    QLineEdit *textBoxFalse = nullptr;
    QLabel *label19 = nullptr;
    QLabel *label42 = nullptr;
    /// Says what a comparison sounds while it sounds; made at the first comparison.
    QLabel *compareCue = nullptr;
    QLabel *pictureBoxBitmapRight = nullptr;
    QLabel *pictureBoxBitmapBatu = nullptr;

    // Pages.
    QWidget *tabNote = nullptr;
    QWidget *tabScale = nullptr;
    QWidget *tabCode = nullptr;
    QWidget *tabRisum = nullptr;
    QWidget *tabMelody = nullptr;
    QWidget *tabTest = nullptr;

    // Single notes.
    QComboBox *comboBoxRange = nullptr;
    QCheckBox *checkBoxOnlyWhite = nullptr;
    QComboBox *comboBoxNoteNum = nullptr;
    QLabel *pictureBoxNote1Chek = nullptr;
    QLabel *pictureBoxNote2Chek = nullptr;
    QLabel *pictureBoxNote3Chek = nullptr;
    QLabel *pictureBoxNote4Chek = nullptr;
    QComboBox *comboBoxNoteName0 = nullptr;
    QComboBox *comboBoxNoteName1 = nullptr;
    QComboBox *comboBoxNoteName2 = nullptr;
    QComboBox *comboBoxNoteName3 = nullptr;
    QComboBox *comboBoxNoteHeight0 = nullptr;
    QComboBox *comboBoxNoteHeight1 = nullptr;
    QComboBox *comboBoxNoteHeight2 = nullptr;
    QComboBox *comboBoxNoteHeight3 = nullptr;

    // Scales.
    QComboBox *comboBoxScale = nullptr;
    QComboBox *comboBoxKey = nullptr;
    QComboBox *comboBoxScaleType = nullptr;
    QComboBox *comboBoxJPScaleType = nullptr;
    QLabel *pictureBoxScaleCheck = nullptr;
    QLabel *pictureBoxScaleJCheck = nullptr;

    // Chords.
    QCheckBox *checkBoxChordHint = nullptr;
    QCheckBox *checkBoxChordWhite = nullptr;
    QCheckBox *checkBoxCodeRotaition = nullptr;
    QCheckBox *checkBoxTriChord = nullptr;
    QCheckBox *checkBox7Chord = nullptr;
    QCheckBox *checkBox6Chord = nullptr;
    QCheckBox *checkBox69Chord = nullptr;
    QCheckBox *checkBoxSus4Chord = nullptr;
    QCheckBox *checkBox7SusChord = nullptr;
    QCheckBox *checkBoxDimChord = nullptr;
    QCheckBox *checkBoxAugChord = nullptr;
    QComboBox *comboBoxChordRoot = nullptr;
    QComboBox *comboBox1 = nullptr;
    QComboBox *comboBoxChordType = nullptr;
    QLabel *pictureBoxChordCheck = nullptr;

    // Rhythm and melody.
    QLabel *pictureBoxNoRisumMidiData = nullptr;
    QLabel *pictureBoxOpenRisum = nullptr;
    QLabel *pictureBoxRisum = nullptr;
    QComboBox *comboBoxRisumSelfCheck = nullptr;
    QPushButton *buttonSelfcheckRisum = nullptr;
    QProgressBar *progressRisum = nullptr;
    QLabel *pictureBoxNoMelodyMidiData = nullptr;
    QLabel *pictureBoxOpenMelody = nullptr;
    QLabel *pictureBoxMelody = nullptr;
    QComboBox *comboBoxMelodySelfCheck = nullptr;
    QPushButton *buttonSelfCheckMelody = nullptr;
    QProgressBar *progressMelody = nullptr;
    QTimer *pieceTicker = nullptr;
    /// When the piece on show began to play, on the wait's clock.
    std::int64_t pieceStartedMs = 0;
    /// The statistics and dictation windows, one of each at most: a menu item brings the open one
    /// forward. (The About dialog and the record viewer are made anew at every request and close
    /// themselves when the main window is used.)
    QPointer<StatisticsWindow> statisticsWindow;
    QPointer<ReviewWindow> reviewWindow;
    QPointer<KeyGuide> keyGuide;
    QPointer<RhythmTapWindow> tapWindow;
    QPointer<MelodyEntryWindow> melodyWindow;
    QPointer<ExamWindow> examWindow;
    /// The MIDI keyboard the exam window writes from; made when that window first opens.
    std::unique_ptr<MidiInput> midiInput;

    // MIDI test page.
    QSpinBox *numericUpDownInst = nullptr;
    QSpinBox *numericUpDownNoteNum = nullptr;
    QSpinBox *numericUpDownMidiCh = nullptr;
    QSpinBox *numericUpDownVelocity = nullptr;
    QSpinBox *numericUpDownDuration = nullptr;
    QGroupBox *groupBox1 = nullptr;
    QRadioButton *radioButtonPiano = nullptr;
    QRadioButton *radioButtonViolin = nullptr;
    QRadioButton *radioButtonFlute = nullptr;
    QRadioButton *radioButtonGuiter = nullptr;
    QRadioButton *radioButtonTubularBells = nullptr;
    QRadioButton *radioButtonTimpani = nullptr;
    PictureButton *buttonSendMidi = nullptr;
};

} // namespace miminomi
