// The question cycle of the main window: new question and replay on every exercise, marking,
// showing the answer, self-marking the pieces, the race to ten, switching tabs and the reset.
#include "app/Form1.h"

#include "app/PictureButton.h"
#include "app/ScorePicture.h"
#include "app/TabControl.h"
#include "quiz/Answers.h"
#include "quiz/MidiChord.h"
#include "quiz/MusicScale.h"
#include "quiz/SingleNote.h"
#include "records/Score.h"
#include "sound/MidiSound.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <array>

namespace miminomi {

namespace {

constexpr int referenceAMs = 2000;
constexpr int noteMs = 1000;
constexpr int chordMs = 1000;
constexpr int markerStep = 27;
constexpr int markerStartY = 336;
constexpr int goalTally = 10;
constexpr QPoint rightMarkerStart(642, markerStartY);
constexpr QPoint wrongMarkerStart(718, markerStartY);

/// A value of 100 or more ends a scale or chord; it is never a note.
bool isEndMarker(std::int32_t value) {
    return value >= 100;
}

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

const QColor answerBlack(0, 0, 0);
const QColor answerBlue(0, 0, 255);

} // namespace

void Form1::sounding(const std::function<void()> &action) {
    ++soundingDepth;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    action();
    QApplication::restoreOverrideCursor();
    if (--soundingDepth == 0 && closeRequested) {
        closeRequested = false;
        // Deferred, so that the handler that sounded returns before the window goes away.
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

// ---------------------------------------------------------------------------------------------
// New question and replay

void Form1::buttonNext_Click() {
    if (score->getGameScore(true) >= goalTally || score->getGameScore(false) >= goalTally)
        ScoreImageInit();
    buttonRetry->setEnabled(true);
    buttonCheck->setEnabled(true);
    buttonShowAnswer->setEnabled(true);
    pictureBoxNoRisumMidiData->hide();
    pictureBoxNoMelodyMidiData->hide();
    resetAnswers();
    answers->clear();

    soundForPage(&Form1::askNoteQuestion, &Form1::askScaleQuestion, &Form1::askChordQuestion,
                 &Form1::askPiece);
}

void Form1::buttonRetry_Click() {
    soundForPage(&Form1::replayNoteQuestion, &Form1::replayScale, &Form1::replayChord,
                 &Form1::replayPiece);
}

void Form1::soundForPage(void (Form1::*onNote)(), void (Form1::*onScale)(),
                         void (Form1::*onChord)(), void (Form1::*onPiece)(Exercise)) {
    const auto page = Exercise(tabControl1->currentIndex());
    switch (page) {
    case note:
        sounding([&] { (this->*onNote)(); });
        break;
    case scale:
        sounding([&] { (this->*onScale)(); });
        break;
    case chord:
        sounding([&] { (this->*onChord)(); });
        break;
    case risum:
    case melody:
        sounding([&] { (this->*onPiece)(page); });
        break;
    default:
        break;
    }
}

void Form1::playReferenceAIfTicked() {
    if (checkBoxStandardA->isChecked())
        midi->NoteAPlay(referenceAMs);
}

int Form1::noteCountChosen() const {
    // The count box is editable: typed text that names one of its items counts as that item;
    // anything else asks a single note.
    int index = comboBoxNoteNum->currentIndex();
    if (index < 0 || comboBoxNoteNum->currentText() != comboBoxNoteNum->itemText(index))
        index = comboBoxNoteNum->findText(comboBoxNoteNum->currentText());
    return index < 0 ? 1 : index + 1;
}

void Form1::askNoteQuestion() {
    askedNoteCount = noteCountChosen();
    midi->OpenMidiDevice();
    playReferenceAIfTicked();
    singleNote->setOldNoteNum();
    for (int k = 0; k < askedNoteCount; ++k) {
        const std::int32_t n = singleNote->playSingleNote();
        answers->setAnswer(n);
        midi->setMidiNoteNum(static_cast<std::uint8_t>(n));
        midi->NotePlay(noteMs);
    }
    midi->CloseMidiDevice();
}

void Form1::replayNoteQuestion() {
    // The notes asked are in the answer sheet; replaying them from there sounds exactly the
    // question that will be marked, even if the note pool was refilled meanwhile.
    midi->OpenMidiDevice();
    playReferenceAIfTicked();
    answers->setHead();
    for (int k = 0; k < askedNoteCount; ++k) {
        midi->setMidiNoteNum(static_cast<std::uint8_t>(answers->getAnswer()));
        midi->NotePlay(noteMs);
    }
    midi->CloseMidiDevice();
}

void Form1::playScaleNotes() {
    for (std::int32_t n = musicScale->playScale(); !isEndMarker(n); n = musicScale->playScale()) {
        midi->setMidiNoteNum(static_cast<std::uint8_t>(n));
        midi->NotePlay(noteMs);
    }
}

void Form1::askScaleQuestion() {
    midi->OpenMidiDevice();
    musicScale->clear();
    musicScale->selectScale(comboBoxScale->currentIndex());
    playReferenceAIfTicked();
    answers->setAnswer(musicScale->getRootNote());
    answers->setAnswer(musicScale->getScaleType());
    playScaleNotes();
    midi->CloseMidiDevice();
}

void Form1::replayScale() {
    midi->OpenMidiDevice();
    musicScale->clear();
    musicScale->rewindNoteNum();
    playReferenceAIfTicked();
    playScaleNotes();
    midi->CloseMidiDevice();
}

void Form1::playChordNotes() {
    if (checkBoxChordHint->isChecked()) {
        for (std::int32_t n = midiChord->playChord(); !isEndMarker(n); n = midiChord->playChord()) {
            midi->setMidiNoteNum(static_cast<std::uint8_t>(n));
            midi->NotePlay(noteMs);
        }
    }
    midiChord->rewindNoteNum();
    for (std::int32_t n = midiChord->playChord(); !isEndMarker(n); n = midiChord->playChord()) {
        midi->setMidiNoteNum(static_cast<std::uint8_t>(n));
        midi->NotePlay(0);
    }
    wait.Sleep(chordMs);
    midi->allOff();
    midiChord->rewindNoteNum();
}

void Form1::askChordQuestion() {
    midi->OpenMidiDevice();
    midiChord->clearChords();
    const std::array<QCheckBox *, 12> boxOfType = {
        checkBox7Chord,    checkBox7Chord,    checkBox7Chord,   checkBox7Chord,
        checkBox6Chord,    checkBox6Chord,    checkBox69Chord,  checkBox69Chord,
        checkBoxSus4Chord, checkBox7SusChord, checkBoxDimChord, checkBoxAugChord};
    for (std::int32_t type = 2; type <= 13; ++type)
        midiChord->setPermitedChords(type, boxOfType[type - 2]->isChecked());
    midiChord->setUseBlackKey(!checkBoxChordWhite->isChecked());
    midiChord->makeChord();
    playReferenceAIfTicked();
    playChordNotes();
    midi->CloseMidiDevice();
}

void Form1::replayChord() {
    midi->OpenMidiDevice();
    playReferenceAIfTicked();
    midiChord->rewindNoteNum();
    playChordNotes();
    midi->CloseMidiDevice();
}

// ---------------------------------------------------------------------------------------------
// Rhythm and melody pieces

bool Form1::playPiece(std::int32_t mode, Exercise exercise) {
    // The question buttons wait while the piece sounds; a melody starts from the reference A,
    // with the device closed again before the piece plays.
    for (PictureButton *button : {buttonShowAnswer, buttonCheck, buttonNext, buttonRetry})
        button->setEnabled(false);
    if (exercise == melody) {
        midi->OpenMidiDevice();
        playReferenceAIfTicked();
        midi->CloseMidiDevice();
    }

    QProgressBar *progress = exercise == risum ? progressRisum : progressMelody;
    progress->setMaximum(static_cast<int>(MidiSound::pieceMilliseconds / 1000));
    progress->setValue(0);
    QElapsedTimer elapsed;
    QTimer tick;
    connect(&tick, &QTimer::timeout, progress, [&] {
        progress->show();
        progress->setValue(std::min(progress->maximum(), int(elapsed.elapsed() / 1000)));
    });
    elapsed.start();
    tick.start(250);
    const bool played = midi->playFile(mode);
    tick.stop();
    progress->hide();
    return played;
}

void Form1::askPiece(Exercise exercise) {
    QLabel *answerBox = exercise == risum ? pictureBoxRisum : pictureBoxMelody;
    QLabel *opened = exercise == risum ? pictureBoxOpenRisum : pictureBoxOpenMelody;
    QLabel *missing = exercise == risum ? pictureBoxNoRisumMidiData : pictureBoxNoMelodyMidiData;
    answerBox->setPixmap(opened->pixmap());
    if (playPiece(exercise == risum ? 0 : 1, exercise)) {
        buttonRetry->setEnabled(true);
        buttonShowAnswer->setEnabled(true);
    } else {
        missing->show();
    }
    buttonNext->setEnabled(true);
}

void Form1::replayPiece(Exercise exercise) {
    playPiece(exercise == risum ? 2 : 3, exercise);
    buttonShowAnswer->setEnabled(true);
    buttonNext->setEnabled(true);
    buttonRetry->setEnabled(true);
}

void Form1::showPieceAnswer(Exercise exercise) {
    const QString name =
        QStringLiteral("%1%2.bmp")
            .arg(exercise == risum ? QStringLiteral("risum") : QStringLiteral("melody"))
            .arg(midi->getImageFileNum() + 1);
    const QString path = QStringLiteral("./data/") + name;
    QLabel *answerBox = exercise == risum ? pictureBoxRisum : pictureBoxMelody;
    QLabel *opened = exercise == risum ? pictureBoxOpenRisum : pictureBoxOpenMelody;

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
        QFont font = answerBox->font();
        painter.setFont(font);
        const QRect band(0, notice.height() - 30, notice.width(), 30);
        painter.fillRect(band, QColor(255, 255, 255, 230));
        painter.setPen(QColor(192, 0, 0));
        painter.drawText(band.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("正解の楽譜 %1 を読み込めませんでした．").arg(path));
        painter.end();
        answerBox->setPixmap(notice);
    }
    opened->hide();
    if (exercise == melody)
        pictureBoxBadGameOver->hide();
    buttonShowAnswer->setEnabled(false);
    buttonCheck->setEnabled(false);
    (exercise == risum ? buttonSelfcheckRisum : buttonSelfCheckMelody)->setEnabled(true);
}

void Form1::buttonSelfcheckRisum_Click() {
    selfCheck(risum);
}

void Form1::buttonSelfCheckMelody_Click() {
    selfCheck(melody);
}

void Form1::selfCheck(Exercise exercise) {
    QPushButton *button = exercise == risum ? buttonSelfcheckRisum : buttonSelfCheckMelody;
    QComboBox *choice = exercise == risum ? comboBoxRisumSelfCheck : comboBoxMelodySelfCheck;
    button->setEnabled(false);

    // Points for the five grades, from "よくできた" to "ひどい間違い"; typed text or no choice
    // gives nothing.
    constexpr std::array<int, 5> rightPoints = {2, 1, 0, 0, 0};
    constexpr std::array<int, 5> wrongPoints = {0, 0, 0, 1, 2};
    int grade = choice->currentIndex();
    if (grade >= 0 && choice->currentText() != choice->itemText(grade))
        grade = -1;
    if (grade >= 0) {
        for (int i = 0; i < rightPoints[grade]; ++i)
            score->addScore(miminomi::Exercise(exercise), true);
        for (int i = 0; i < wrongPoints[grade]; ++i)
            score->addScore(miminomi::Exercise(exercise), false);
    }
    showTotals(exercise);
    ScoreImageMove();
}

// ---------------------------------------------------------------------------------------------
// Marking and showing the answer

std::int32_t Form1::getNoteNameIndex(std::int32_t i) {
    return Answers::noteNameIndex(i);
}

std::int32_t Form1::getNoteHeightIndex(std::int32_t i) {
    return Answers::noteHeightIndex(i);
}

void Form1::showMark(QLabel *mark, bool right) {
    mark->setPixmap((right ? pictureBoxBitmapRight : pictureBoxBitmapBatu)->pixmap());
    mark->show();
}

void Form1::showTotals(int exercise) {
    const auto shown = exerciseAt(exercise);
    const auto count = [&](bool right) {
        return shown ? score->getScore(*shown, right) : score->getGameScore(right);
    };
    textBoxRight->setText(QString::number(count(true)));
    textBoxFalse->setText(QString::number(count(false)));
}

Form1::NoteRow Form1::noteRow(int row) const {
    const std::array<NoteRow, 4> rows = {
        NoteRow{comboBoxNoteName0, comboBoxNoteHeight0, pictureBoxNote1Chek},
        NoteRow{comboBoxNoteName1, comboBoxNoteHeight1, pictureBoxNote2Chek},
        NoteRow{comboBoxNoteName2, comboBoxNoteHeight2, pictureBoxNote3Chek},
        NoteRow{comboBoxNoteName3, comboBoxNoteHeight3, pictureBoxNote4Chek}};
    return rows[row];
}

void Form1::buttonCheck_Click() {
    const int tab = tabControl1->currentIndex();
    doCheck();
    buttonCheck->setEnabled(false);
    showTotals(tab);
    ScoreImageMove();
}

void Form1::doCheck() {
    answers->setHead();
    switch (tabControl1->currentIndex()) {
    case note: {
        for (int row = 0; row < askedNoteCount; ++row) {
            const NoteRow boxes = noteRow(row);
            const std::int32_t n = answers->getAnswer();
            const bool right = boxes.name->currentIndex() == getNoteNameIndex(n) &&
                               boxes.height->currentIndex() == getNoteHeightIndex(n);
            showMark(boxes.mark, right);
            score->addScore(miminomi::Exercise::note, right);
        }
        break;
    }
    case scale: {
        const std::int32_t key = getNoteNameIndex(answers->getAnswer());
        const std::int32_t type = answers->getAnswer();
        bool right;
        if (!Answers::isJapaneseScale(type)) {
            right = comboBoxKey->currentIndex() == key &&
                    comboBoxScaleType->currentIndex() == Answers::scaleTypeIndex(type);
            showMark(pictureBoxScaleCheck, right);
        } else {
            right = comboBoxJPScaleType->currentIndex() == Answers::jpScaleTypeIndex(type);
            showMark(pictureBoxScaleJCheck, right);
        }
        score->addScore(miminomi::Exercise::scale, right);
        break;
    }
    case chord: {
        const bool right =
            comboBoxChordRoot->currentIndex() == getNoteNameIndex(midiChord->getRootName()) &&
            comboBoxChordType->currentIndex() == Answers::chordTypeIndex(midiChord->getChordName());
        showMark(pictureBoxChordCheck, right);
        score->addScore(miminomi::Exercise::chord, right);
        break;
    }
    default:
        break;
    }
}

void Form1::button2_Click() {
    showRightAnswer();
    buttonShowAnswer->setEnabled(false);
    buttonCheck->setEnabled(false);
}

void Form1::showRightAnswer() {
    answers->setHead();
    switch (tabControl1->currentIndex()) {
    case note: {
        for (int row = 0; row < askedNoteCount; ++row) {
            const NoteRow boxes = noteRow(row);
            const std::int32_t n = answers->getAnswer();
            selectWithColour(boxes.name, getNoteNameIndex(n), answerBlue);
            selectWithColour(boxes.height, getNoteHeightIndex(n), answerBlue);
        }
        break;
    }
    case scale: {
        const std::int32_t key = getNoteNameIndex(answers->getAnswer());
        const std::int32_t type = answers->getAnswer();
        selectWithColour(comboBoxKey, key, answerBlue);
        if (!Answers::isJapaneseScale(type))
            selectWithColour(comboBoxScaleType, Answers::scaleTypeIndex(type), answerBlue);
        else
            selectWithColour(comboBoxJPScaleType, Answers::jpScaleTypeIndex(type), answerBlue);
        break;
    }
    case chord:
        selectWithColour(comboBoxChordRoot, getNoteNameIndex(midiChord->getRootName()), answerBlue);
        selectWithColour(comboBoxChordType, Answers::chordTypeIndex(midiChord->getChordName()),
                         answerBlue);
        break;
    case risum:
    case melody:
        showPieceAnswer(Exercise(tabControl1->currentIndex()));
        break;
    default:
        break;
    }
}

void Form1::resetAnswers() {
    for (QComboBox *box :
         {comboBoxNoteName0, comboBoxNoteHeight0, comboBoxNoteName1, comboBoxNoteHeight1,
          comboBoxNoteName2, comboBoxNoteHeight2, comboBoxNoteName3, comboBoxNoteHeight3})
        selectWithColour(box, 0, answerBlack);
    for (QLabel *mark :
         {pictureBoxNote1Chek, pictureBoxNote2Chek, pictureBoxNote3Chek, pictureBoxNote4Chek})
        mark->hide();
    for (QComboBox *box : {comboBoxJPScaleType, comboBoxKey, comboBoxScaleType})
        selectWithColour(box, 0, answerBlack);
    pictureBoxScaleCheck->hide();
    pictureBoxScaleJCheck->hide();
    for (QComboBox *box : {comboBoxChordRoot, comboBoxChordType})
        selectWithColour(box, 0, answerBlack);
    pictureBoxChordCheck->hide();
    comboBoxRisumSelfCheck->setCurrentIndex(2);
    comboBoxMelodySelfCheck->setCurrentIndex(2);
    pictureBoxOpenRisum->hide();
    pictureBoxOpenMelody->hide();
    pictureBoxGoodGameOver->hide();
    pictureBoxBadGameOver->hide();
}

// ---------------------------------------------------------------------------------------------
// The race

void Form1::ScoreImageMove() {
    const std::int32_t r = score->getGameScore(true);
    const std::int32_t w = score->getGameScore(false);
    if (r < goalTally && w < goalTally) {
        pictureBoxRight->move(rightMarkerStart.x(), markerStartY - markerStep * r);
        pictureBoxWrong->move(wrongMarkerStart.x(), markerStartY - markerStep * w);
    } else if (r >= goalTally) {
        pictureBoxRight->move(rightMarkerStart.x(), markerStartY - markerStep * goalTally);
        pictureBoxGoodGameOver->show();
    } else {
        pictureBoxWrong->move(wrongMarkerStart.x(), markerStartY - markerStep * goalTally);
        pictureBoxBadGameOver->show();
    }
}

void Form1::ScoreImageInit() {
    score->clearTmp();
    pictureBoxGoodGameOver->hide();
    pictureBoxBadGameOver->hide();
    pictureBoxRight->move(rightMarkerStart);
    pictureBoxWrong->move(wrongMarkerStart);
}

// ---------------------------------------------------------------------------------------------
// Tabs, the note range and the reset button

void Form1::tabControl1_SelectedIndexChanged(int index) {
    buttonRetry->setEnabled(false);
    buttonShowAnswer->setEnabled(false);
    buttonCheck->setEnabled(false);
    buttonSelfCheckMelody->setEnabled(false);
    buttonSelfcheckRisum->setEnabled(false);
    pictureBoxNoRisumMidiData->hide();
    pictureBoxNoMelodyMidiData->hide();
    showTotals(index);
    ScoreImageInit();

    switch (index) {
    case note:
        singleNote->makeNotes();
        for (QComboBox *box :
             {comboBoxNoteHeight0, comboBoxNoteName0, comboBoxNoteHeight1, comboBoxNoteName1,
              comboBoxNoteHeight2, comboBoxNoteName2, comboBoxNoteHeight3, comboBoxNoteName3})
            box->setCurrentIndex(0);
        for (QLabel *mark :
             {pictureBoxNote1Chek, pictureBoxNote2Chek, pictureBoxNote3Chek, pictureBoxNote4Chek})
            mark->hide();
        break;
    case scale:
        for (QComboBox *box : {comboBoxKey, comboBoxScaleType, comboBoxJPScaleType})
            box->setCurrentIndex(0);
        pictureBoxScaleCheck->hide();
        pictureBoxScaleJCheck->hide();
        break;
    case chord:
        comboBoxChordRoot->setCurrentIndex(0);
        comboBoxChordType->setCurrentIndex(0);
        pictureBoxChordCheck->hide();
        break;
    case risum:
        comboBoxRisumSelfCheck->setCurrentIndex(2);
        pictureBoxOpenRisum->show();
        break;
    case melody:
        comboBoxMelodySelfCheck->setCurrentIndex(2);
        pictureBoxOpenMelody->show();
        break;
    case test:
        radioButtonPiano->setChecked(true);
        numericUpDownMidiCh->setValue(1);
        numericUpDownNoteNum->setValue(69);
        numericUpDownVelocity->setValue(100);
        break;
    default:
        break;
    }
}

void Form1::comboBoxRange_SelectedIndexChanged() {
    const int index = comboBoxRange->currentIndex();
    if (index >= 0 && index < static_cast<int>(SingleNote::regionPresets.size())) {
        const auto &region = SingleNote::regionPresets[index];
        singleNote->setRegion(region.lowNote, region.highNote, checkBoxOnlyWhite->isChecked());
    }
    singleNote->makeNotes();
}

void Form1::checkBoxOnlyWhite_CheckedChanged() {
    comboBoxRange_SelectedIndexChanged();
}

void Form1::button1_Click() {
    const int tab = tabControl1->currentIndex();
    textBoxRight->setText(QStringLiteral("0"));
    textBoxFalse->setText(QStringLiteral("0"));
    if (const auto exercise = exerciseAt(tab))
        score->clearScore(*exercise);
    score->clearTmp();
    textBoxRight->setText(QStringLiteral("0"));
    textBoxFalse->setText(QStringLiteral("0"));
    ScoreImageMove();
}

} // namespace miminomi
