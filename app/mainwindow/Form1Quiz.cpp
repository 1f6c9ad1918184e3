// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The question buttons, the tabs and the reset of the main window, mapped onto the practice: each
// handler reads the widgets, asks the practice, and shows what it answers.
#include "app/mainwindow/Form1.h"

#include "app/mainwindow/ClientArea.h"
#include "app/services/Pictures.h"
#include "app/services/ScorePicture.h"
#include "app/widgets/Controls.h"
#include "app/widgets/PictureButton.h"
#include "app/widgets/TabControl.h"
#include "app/windows/MelodyEntryWindow.h"
#include "app/windows/RhythmTapWindow.h"
#include "app/windows/ToolWindow.h"
#include "app/windows/WindowPlacement.h"
#include "practice/Practice.h"
#include "sound/MidiSound.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>

namespace miminomi {

namespace {

constexpr int markerStep = 27;
constexpr int markerStartY = 336;
constexpr int rightMarkerX = 642;
constexpr int wrongMarkerX = 718;

const QColor answerBlack(0, 0, 0);
const QColor answerBlue(0, 0, 255);

/// The self-mark item both piece pages start a question with: the blank grade.
constexpr int blankGrade = 2;

/// Colours the answer shown in an answer box. Only the box's text part changes its palette: the
/// style caches each drawn box under its palette, and a box whose own palette flipped between
/// black and blue at every question would leave a new cache entry behind each time.
void setTextColour(QComboBox *box, QColor colour) {
    QLineEdit *text = box->lineEdit();
    if (!text || text->palette().color(QPalette::Text) == colour)
        return;
    QPalette palette = text->palette();
    palette.setColor(QPalette::Text, colour);
    text->setPalette(palette);
}

void selectWithColour(QComboBox *box, int index, QColor colour) {
    setTextColour(box, colour);
    box->setCurrentIndex(index);
}

/// While it lives the window is sounding: the busy cursor shows and a close request waits.
class SoundingScope {
public:
    explicit SoundingScope(int &depth) : depth(depth) {
        ++depth;
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~SoundingScope() {
        QApplication::restoreOverrideCursor();
        --depth;
    }
    SoundingScope(const SoundingScope &) = delete;
    SoundingScope &operator=(const SoundingScope &) = delete;

private:
    int &depth;
};

} // namespace

void Form1::sounding(const std::function<void()> &action) {
    {
        const SoundingScope scope(soundingDepth);
        action();
    }
    if (soundingDepth == 0 && closeRequested) {
        closeRequested = false;
        // Deferred, so that the handler that sounded returns before the window goes away.
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

// ---------------------------------------------------------------------------------------------
// Reading the pages

PracticeSettings Form1::settings() const {
    PracticeSettings chosen;
    chosen.referenceA = checkBoxStandardA->isChecked();
    // A count box that names no count asks a single note.
    chosen.noteCount = std::max(Controls::shownItem(comboBoxNoteNum), 0) + 1;
    chosen.scaleFamily = Controls::shownItem(comboBoxScale);
    chosen.chordTypes = {checkBox7Chord->isChecked(),    checkBox6Chord->isChecked(),
                         checkBox69Chord->isChecked(),   checkBoxSus4Chord->isChecked(),
                         checkBox7SusChord->isChecked(), checkBoxDimChord->isChecked(),
                         checkBoxAugChord->isChecked()};
    chosen.chordWhiteKeys = checkBoxChordWhite->isChecked();
    chosen.chordHint = checkBoxChordHint->isChecked();
    if (const QAction *instrument = instruments->checkedAction())
        chosen.instrument = static_cast<std::uint8_t>(instrument->data().toUInt());
    return chosen;
}

std::vector<QComboBox *> Form1::answerLists(Exercise exercise) const {
    switch (exercise) {
    case Exercise::note:
        return {comboBoxNoteName0, comboBoxNoteHeight0, comboBoxNoteName1, comboBoxNoteHeight1,
                comboBoxNoteName2, comboBoxNoteHeight2, comboBoxNoteName3, comboBoxNoteHeight3};
    case Exercise::scale:
        return {comboBoxKey, comboBoxScaleType, comboBoxJPScaleType};
    case Exercise::chord:
        return {comboBoxChordRoot, comboBoxChordType};
    case Exercise::risum:
        return {comboBoxRisumSelfCheck};
    case Exercise::melody:
        break;
    }
    return {comboBoxMelodySelfCheck};
}

std::vector<QLabel *> Form1::markPictures(Exercise exercise) const {
    switch (exercise) {
    case Exercise::note:
        return {pictureBoxNote1Chek, pictureBoxNote2Chek, pictureBoxNote3Chek, pictureBoxNote4Chek};
    case Exercise::scale:
        return {pictureBoxScaleCheck, pictureBoxScaleJCheck};
    case Exercise::chord:
        return {pictureBoxChordCheck};
    default:
        return {};
    }
}

Choices Form1::chosenOnPage() const {
    Choices chosen;
    if (const auto page = practice->page())
        for (const QComboBox *list : answerLists(*page))
            chosen.push_back(Controls::shownItem(list));
    return chosen;
}

// ---------------------------------------------------------------------------------------------
// Showing the practice's answers

void Form1::showButtons() {
    const QuestionButtons &buttons = practice->buttons();
    buttonNext->setEnabled(buttons.next);
    buttonRetry->setEnabled(buttons.retry);
    buttonCheck->setEnabled(buttons.check);
    buttonShowAnswer->setEnabled(buttons.showAnswer);
    buttonSelfcheckRisum->setEnabled(buttons.selfCheck && practice->page() == Exercise::risum);
    buttonSelfCheckMelody->setEnabled(buttons.selfCheck && practice->page() == Exercise::melody);
    menuCompare->setEnabled(practice->canCompare());
    menuReferenceA->setEnabled(practice->page().has_value());
    // A rhythm can be tapped back once it has played and until its answer is shown.
    menuTapRhythm->setEnabled(practice->page() == Exercise::risum && buttons.showAnswer);
    menuEnterMelody->setEnabled(practice->page() == Exercise::melody && buttons.showAnswer);
}

void Form1::showTotals() {
    const Tally counters = practice->counters();
    textBoxRight->setText(QString::number(counters.right));
    textBoxFalse->setText(QString::number(counters.wrong));
}

void Form1::placeMarkers() {
    const Race &race = practice->race();
    pictureBoxRight->move(rightMarkerX, markerStartY - markerStep * race.rightStep());
    pictureBoxWrong->move(wrongMarkerX, markerStartY - markerStep * race.wrongStep());
}

void Form1::ScoreImageMove() {
    placeMarkers();
    if (practice->race().outcome() == Race::Outcome::won)
        pictureBoxGoodGameOver->show();
    else if (practice->race().outcome() == Race::Outcome::lost)
        pictureBoxBadGameOver->show();
}

void Form1::showPieceProgress(bool playing) {
    QProgressBar *progress = practice->page() == Exercise::risum ? progressRisum : progressMelody;
    if (!playing) {
        progress->hide();
        return;
    }
    const auto seconds = static_cast<int>((wait.nowMs() - pieceStartedMs) / 1000);
    progress->setMaximum(static_cast<int>(MidiSound::pieceMilliseconds / 1000));
    progress->setValue(std::min(progress->maximum(), seconds));
    progress->show();
}

// ---------------------------------------------------------------------------------------------
// New question and replay

void Form1::buttonNext_Click() {
    const std::optional<Exercise> page = practice->page();
    closeDictationWindows();
    pictureBoxNoRisumMidiData->hide();
    pictureBoxNoMelodyMidiData->hide();
    resetAnswers();
    if (isPiece(page)) {
        // The previous answer is covered by the question-opened picture.
        QLabel *answerBox = page == Exercise::risum ? pictureBoxRisum : pictureBoxMelody;
        QLabel *opened = page == Exercise::risum ? pictureBoxOpenRisum : pictureBoxOpenMelody;
        answerBox->setPixmap(opened->pixmap());
    }
    bool asked = true;
    sounding([&] { asked = practice->next(settings()); });
    if (!asked)
        (page == Exercise::risum ? pictureBoxNoRisumMidiData : pictureBoxNoMelodyMidiData)->show();
    showButtons();
    placeMarkers();
    // The answer is written next: the first answer list takes the keys.
    if (page && !isPiece(page))
        answerLists(*page).front()->setFocus();
}

void Form1::menuCompare_Click() {
    // Said above the pages, beside the reference-A box, and only while the comparison sounds.
    if (!compareCue) {
        compareCue = Controls::label(client, "labelCompareCue", {296, 8, 332, 24}, {});
        compareCue->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        compareCue->setIndent(6);
        compareCue->setAutoFillBackground(true);
        Controls::setBackground(compareCue, QColor(255, 255, 128));
        compareCue->hide();
    }
    // Escape during the comparison's waits stops it; the wait drops the key like any other.
    bool stopAsked = false;
    wait.onStopAsked = [&stopAsked] { stopAsked = true; };
    Drill::CompareCues cues;
    cues.heard = [this](Drill::Heard now) {
        compareCue->setText(now == Drill::Heard::asked
                                ? QStringLiteral("♪出題 → あなたの答え（Esc で止める）")
                                : QStringLiteral("出題 → ♪あなたの答え（Esc で止める）"));
        compareCue->show();
        compareCue->raise();
    };
    cues.stopped = [&stopAsked] { return stopAsked; };
    sounding([&] { practice->compare(cues); });
    wait.onStopAsked = nullptr;
    compareCue->hide();
}

void Form1::menuReferenceA_Click() {
    sounding([&] { practice->playReferenceA(); });
}

void Form1::menuTapRhythm_Click() {
    ToolWindow::showOne(
        tapWindow,
        [this]() -> RhythmTapWindow * {
            const auto dictation = practice->rhythmDictation();
            return dictation ? new RhythmTapWindow(dictation, this) : nullptr;
        },
        [this](QWidget *window) { placeDictationWindow(window, pictureBoxRisum); });
}

void Form1::menuEnterMelody_Click() {
    ToolWindow::showOne(
        melodyWindow,
        [this]() -> MelodyEntryWindow * {
            const auto dictation = practice->melodyDictation();
            return dictation ? new MelodyEntryWindow(dictation, this) : nullptr;
        },
        [this](QWidget *window) { placeDictationWindow(window, pictureBoxMelody); });
}

void Form1::placeDictationWindow(QWidget *window, const QWidget *keep) {
    connect(new QShortcut(Qt::Key_F7, window), &QShortcut::activated, this, &Form1::markQuestion);
    connect(new QShortcut(Qt::Key_F8, window), &QShortcut::activated, buttonShowAnswer,
            &QAbstractButton::click);
    WindowPlacement::placeBeside(window, this, keep);
}

void Form1::closeDictationWindows() {
    // Closed, each is deleted soon after; a menu item from now on makes a new one.
    for (QWidget *window :
         {static_cast<QWidget *>(tapWindow), static_cast<QWidget *>(melodyWindow)})
        if (window)
            window->close();
    tapWindow = nullptr;
    melodyWindow = nullptr;
}

void Form1::buttonRetry_Click() {
    sounding([&] { practice->replay(settings()); });
    showButtons();
}

// ---------------------------------------------------------------------------------------------
// Marking and showing the answer

void Form1::buttonCheck_Click() {
    doCheck();
    showButtons();
    showTotals();
    ScoreImageMove();
}

void Form1::doCheck() {
    const std::optional<MarkedQuestion> marked = practice->check(chosenOnPage());
    if (!marked)
        return;
    Drill &drill = practice->drill(marked->exercise);
    const std::vector<QLabel *> marks = markPictures(marked->exercise);
    // A wrong answer that can be heard against the question says how.
    const QString compareHint =
        practice->canCompare()
            ? QStringLiteral("聴き比べる（F9）で，出題とあなたの答えを続けて聴けます．")
            : QString();
    for (std::size_t row = 0; row < marked->rowsRight.size(); ++row) {
        QLabel *mark = marks.at(drill.markOfRow(row));
        const bool right = marked->rowsRight[row];
        QLabel *kept = right ? pictureBoxBitmapRight : pictureBoxBitmapBatu;
        if (kept->pixmap().isNull())
            kept->setPixmap(Pictures::load(right ? "markRight" : "markWrong", {40, 40}));
        mark->setPixmap(kept->pixmap());
        mark->setToolTip(right ? QString() : compareHint);
        mark->show();
    }
}

void Form1::button2_Click() {
    showRightAnswer();
    showButtons();
}

void Form1::showRightAnswer() {
    const std::optional<Exercise> page = practice->page();
    const Choices right = practice->showAnswer(chosenOnPage());
    if (isPiece(page)) {
        showPieceAnswer(*page);
        return;
    }
    if (!page)
        return;
    const std::vector<QComboBox *> lists = answerLists(*page);
    for (std::size_t list = 0; list < right.size() && list < lists.size(); ++list)
        if (right[list] != noChoice)
            selectWithColour(lists[list], right[list], answerBlue);
}

void Form1::showPieceAnswer(Exercise exercise) {
    const QString path = QString::fromStdString(practice->pieceDrill(exercise).scorePicturePath());
    QLabel *answerBox = exercise == Exercise::risum ? pictureBoxRisum : pictureBoxMelody;
    QLabel *opened = exercise == Exercise::risum ? pictureBoxOpenRisum : pictureBoxOpenMelody;

    const QImage picture = ScorePicture::load(path);
    if (!picture.isNull()) {
        answerBox->setPixmap(QPixmap::fromImage(picture));
    } else {
        // The piece played but its score picture cannot be read: keep the question-opened
        // picture and say, inside the picture area, which file is missing.
        QPixmap notice = opened->pixmap();
        if (notice.isNull()) {
            notice = QPixmap(550, 160);
            notice.fill(Qt::white);
        }
        QPainter painter(&notice);
        painter.setFont(answerBox->font());
        const QRect band(0, notice.height() - 30, notice.width(), 30);
        painter.fillRect(band, QColor(255, 255, 255, 230));
        painter.setPen(QColor(192, 0, 0));
        painter.drawText(band.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("正解の楽譜 %1 を読み込めませんでした．").arg(path));
        painter.end();
        answerBox->setPixmap(notice);
    }
    opened->hide();
    if (exercise == Exercise::melody)
        pictureBoxBadGameOver->hide();
}

void Form1::resetAnswers() {
    for (const Exercise exercise : {Exercise::note, Exercise::scale, Exercise::chord}) {
        for (QComboBox *list : answerLists(exercise))
            selectWithColour(list, 0, answerBlack);
        for (QLabel *mark : markPictures(exercise))
            mark->hide();
    }
    comboBoxRisumSelfCheck->setCurrentIndex(blankGrade);
    comboBoxMelodySelfCheck->setCurrentIndex(blankGrade);
    pictureBoxOpenRisum->hide();
    pictureBoxOpenMelody->hide();
    pictureBoxGoodGameOver->hide();
    pictureBoxBadGameOver->hide();
}

void Form1::buttonSelfcheckRisum_Click() {
    selfCheck(Exercise::risum, comboBoxRisumSelfCheck);
}

void Form1::buttonSelfCheckMelody_Click() {
    selfCheck(Exercise::melody, comboBoxMelodySelfCheck);
}

void Form1::selfCheck(Exercise exercise, QComboBox *grade) {
    practice->selfCheck(exercise, Controls::shownItem(grade));
    showButtons();
    showTotals();
    ScoreImageMove();
}

// ---------------------------------------------------------------------------------------------
// Tabs, the note range and the reset button

void Form1::tabControl1_SelectedIndexChanged(int index) {
    const std::optional<Exercise> page = exerciseAt(index);
    closeDictationWindows();
    practice->selectPage(page);
    showButtons();
    pictureBoxNoRisumMidiData->hide();
    pictureBoxNoMelodyMidiData->hide();
    showTotals();
    pictureBoxGoodGameOver->hide();
    pictureBoxBadGameOver->hide();
    placeMarkers();

    if (!page) {
        radioButtonPiano->setChecked(true);
        numericUpDownMidiCh->setValue(1);
        numericUpDownNoteNum->setValue(midi::referenceA);
        numericUpDownVelocity->setValue(100);
    } else if (isPiece(page)) {
        answerLists(*page).front()->setCurrentIndex(blankGrade);
        (page == Exercise::risum ? pictureBoxOpenRisum : pictureBoxOpenMelody)->show();
    } else {
        // The colour of a shown answer stays until the next question.
        for (QComboBox *list : answerLists(*page))
            list->setCurrentIndex(0);
        for (QLabel *mark : markPictures(*page))
            mark->hide();
    }
}

void Form1::comboBoxRange_SelectedIndexChanged() {
    practice->setNoteRange({Controls::shownItem(comboBoxRange), checkBoxOnlyWhite->isChecked()});
}

void Form1::checkBoxOnlyWhite_CheckedChanged() {
    comboBoxRange_SelectedIndexChanged();
}

void Form1::button1_Click() {
    practice->resetScore();
    showTotals();
    ScoreImageMove();
}

} // namespace miminomi
