// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's question buttons, answer lists, marks, counters, race and piece pages wired to
// the practice: what a learner clicks reaches it, and what it answers shows.
#include "app/services/ScorePicture.h"
#include "app/windows/StatisticsWindow.h"
#include "history/History.h"
#include "tests/support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace miminomi::testing {

class Form1Practice : public ::testing::Test {
protected:
    FormHarness h;

    /// The right and wrong counters, as "right/wrong".
    QString counters() {
        return h.find<QLineEdit>("textBoxRight")->text() + "/" +
               h.find<QLineEdit>("textBoxFalse")->text();
    }
    QImage picture(const char *box) {
        return h.find<QLabel>(box)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }
    /// Whether a mark is shown with the right-answer picture (else the wrong-answer one).
    bool markedRight(const char *mark) {
        EXPECT_TRUE(h.shown(mark)) << mark;
        return picture(mark) == picture("pictureBoxBitmapRight");
    }
    bool blue(const char *box) {
        return h.find<QComboBox>(box)->lineEdit()->palette().color(QPalette::Text) == Qt::blue;
    }
    void tick(const char *box, bool on) { h.find<QCheckBox>(box)->setChecked(on); }
    /// Asks a single-note question and returns its notes, without the reference A.
    std::vector<int> askNotes(int count) {
        tick("checkBoxStandardA", false);
        h.select("comboBoxNoteNum", count - 1);
        h.sink.clear();
        h.click("buttonNext");
        return h.notesPlayed();
    }
    void answerRow(int row, int n) {
        const std::string index = std::to_string(row);
        h.select(("comboBoxNoteName" + index).c_str(), n % 12 + 1);
        h.select(("comboBoxNoteHeight" + index).c_str(), n / 12 + 1);
    }
};

TEST_F(Form1Practice, ListsAreReadByTheItemTheyShowMarkedRowByRowAndTheAnswerShownInBlue) {
    const std::vector<int> notes = askNotes(3);
    answerRow(0, notes[0]);
    answerRow(1, notes[1]);
    h.find<QComboBox>("comboBoxNoteName1")->setEditText(QString()); // cleared after choosing
    auto *name = h.find<QComboBox>("comboBoxNoteName2");
    answerRow(2, notes[2]);
    name->setCurrentIndex(0);
    name->setEditText(name->itemText(notes[2] % 12 + 1)); // the right name typed over the blank
    h.click("buttonCheck");
    EXPECT_TRUE(markedRight("pictureBoxNote1Chek"));
    EXPECT_FALSE(markedRight("pictureBoxNote2Chek"));
    EXPECT_TRUE(markedRight("pictureBoxNote3Chek"));
    EXPECT_FALSE(h.shown("pictureBoxNote4Chek"));
    EXPECT_EQ(counters(), "2/1");
    EXPECT_FALSE(h.enabled("buttonCheck"));

    h.click("buttonShowAnswer");
    EXPECT_EQ(h.selected("comboBoxNoteName1"), notes[1] % 12 + 1);
    EXPECT_TRUE(blue("comboBoxNoteName1"));
    EXPECT_EQ(h.selected("comboBoxNoteName3"), 0) << "a row not asked is left alone";
    EXPECT_TRUE(h.shown("pictureBoxNote2Chek")) << "the marks stay";

    // The wrong row can be heard against what was asked; the reference A on its own.
    for (const auto &[item, played] : {std::pair{"menuCompare", 2u}, {"menuReferenceA", 1u}}) {
        ASSERT_TRUE(h.find<QAction>(item)->isEnabled()) << item;
        h.sink.clear();
        h.find<QAction>(item)->trigger();
        EXPECT_EQ(h.notesPlayed().size(), played) << item;
    }
    h.selectTab(5);
    EXPECT_FALSE(h.find<QAction>("menuReferenceA")->isEnabled() ||
                 h.find<QAction>("menuCompare")->isEnabled());
    h.selectTab(0);

    // A count that names no item asks one note.
    for (const auto &[typed, asked] : {std::pair{"3", 3u}, {"many", 1u}}) {
        h.find<QComboBox>("comboBoxNoteNum")->setEditText(typed);
        h.sink.clear();
        h.click("buttonNext");
        EXPECT_EQ(h.notesPlayed().size(), asked) << typed;
    }
}

TEST_F(Form1Practice, AMarkedQuestionIsInTheHistoryAtOnceAndTheMenuShowsItsStatistics) {
    History kept(History::defaultPath, h.calendar); // the working folder's, as the window's
    const auto questions = [&] {
        return kept.statistics(Exercise::note, Period::everything)->questions;
    };
    const std::int64_t before = questions();
    answerRow(0, askNotes(1)[0]);
    h.click("buttonCheck");
    EXPECT_EQ(questions(), before + 1);
    h.click("buttonShowAnswer");
    EXPECT_EQ(questions(), before + 1) << "a marked question's answer adds nothing";

    h.find<QAction>("menuStatistics")->trigger();
    const auto *window = h.form.findChild<StatisticsWindow *>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());

    // 履歴を書き出す: a period, a file name, then what was written or why not.
    const QTemporaryDir folder;
    const auto exportTo = [&](const QString &path) {
        QString said;
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *period = qobject_cast<QInputDialog *>(modal)) {
                period->setTextValue("今日");
                period->accept();
            } else if (auto *file = qobject_cast<QFileDialog *>(modal)) {
                file->selectFile(path);
                QMetaObject::invokeMethod(file, &QDialog::accept);
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                said = box->text();
                box->accept();
            }
        });
        answering.start(5);
        h.find<QAction>("menuExportHistory")->trigger();
        return said;
    };
    // Today's answers of every exercise the tests in this folder marked, the one above among them.
    const QString written = folder.filePath("履歴.csv");
    const QString said = exportTo(written);
    const qsizetype lines = said.section(u'行', 0, 0).toLongLong();
    EXPECT_GE(lines, 1);
    EXPECT_EQ(said, QString("%1行を「%2」に書き出しました．")
                        .arg(lines)
                        .arg(QDir::toNativeSeparators(written)));
    QFile csv(written);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count("\r\n"), lines + 1) << "the heading and a line an answer";
    EXPECT_FALSE(exportTo(folder.filePath("none/履歴.csv")).isEmpty());
    EXPECT_FALSE(QFile::exists(folder.filePath("none/履歴.csv")));
}

TEST_F(Form1Practice, AJapaneseScaleHasItsOwnMarkAFamilyNamingNoItemAsksItAgain) {
    tick("checkBoxStandardA", false);
    h.selectTab(1);
    h.select("comboBoxScale", 2);
    h.click("buttonNext");
    const std::vector<int> japanese = h.notesPlayed();
    h.click("buttonCheck");
    EXPECT_FALSE(markedRight("pictureBoxScaleJCheck"));
    EXPECT_FALSE(h.shown("pictureBoxScaleCheck"));
    h.click("buttonShowAnswer");
    EXPECT_EQ(h.selected("comboBoxKey"), japanese.front() % 12 + 1);
    EXPECT_GT(h.selected("comboBoxJPScaleType"), 0);
    EXPECT_EQ(h.selected("comboBoxScaleType"), 0);

    h.find<QComboBox>("comboBoxScale")->setEditText("和");
    h.sink.clear();
    h.click("buttonNext");
    EXPECT_EQ(h.notesPlayed(), japanese);
}

TEST_F(Form1Practice, TheMarkersClimbTheTrackAndTheWinningPictureStaysUntilTheNextQuestion) {
    for (int i = 0; i < 3; ++i) {
        askNotes(1);
        h.click("buttonCheck");
    }
    EXPECT_EQ(h.find("pictureBoxWrong")->y(), 336 - 3 * 27);
    for (int i = 0; i < 10; ++i) {
        answerRow(0, askNotes(1).front());
        h.click("buttonCheck");
    }
    EXPECT_EQ(h.find("pictureBoxRight")->y(), 66);
    EXPECT_TRUE(h.shown("pictureBoxGoodGameOver"));
    h.click("button1");
    EXPECT_EQ(counters(), "0/0");
    EXPECT_EQ(h.find("pictureBoxRight")->y(), 336);
    EXPECT_TRUE(h.shown("pictureBoxGoodGameOver")) << "the reset leaves the picture";
    askNotes(1);
    EXPECT_FALSE(h.shown("pictureBoxGoodGameOver"));
}

TEST_F(Form1Practice, AnotherPageIsPreparedAndTheLastQuestionCannotBeMarked) {
    answerRow(0, askNotes(1).front());
    h.click("buttonShowAnswer");
    h.selectTab(3);
    EXPECT_EQ(h.selected("comboBoxRisumSelfCheck"), 2);
    EXPECT_TRUE(h.shown("pictureBoxOpenRisum") && !h.shown("pictureBoxNoRisumMidiData"));
    h.selectTab(0);
    EXPECT_EQ(h.selected("comboBoxNoteName0"), 0);
    EXPECT_TRUE(blue("comboBoxNoteName0")) << "the colour stays until the next question";
    for (const char *button : {"buttonRetry", "buttonCheck", "buttonShowAnswer"})
        EXPECT_FALSE(h.enabled(button)) << button;

    h.selectTab(2);
    h.sink.clear();
    h.click("buttonNext");
    h.click("buttonShowAnswer");
    EXPECT_EQ(h.selected("comboBoxChordRoot"), h.notesPlayed().front() % 12 + 1);
    EXPECT_GT(h.selected("comboBoxChordType"), 0);
}

TEST(Form1Pieces, ThePageIsLockedWhileThePiecePlaysThenShowsItsPictureAndTakesAGrade) {
    FormHarness f(secondWhoseFirstDraw(20, 6));
    f.selectTab(3);
    std::vector<bool> duringPlay;
    f.clock.duringNextWait = [&] {
        for (const char *b : {"buttonNext", "buttonRetry", "buttonShowAnswer", "progressRisum"})
            duringPlay.push_back(f.enabled(b) && f.shown(b));
    };
    f.click("buttonNext");
    EXPECT_EQ(duringPlay, std::vector<bool>(4, false));
    EXPECT_TRUE(f.enabled("buttonRetry") && f.enabled("buttonShowAnswer"));
    EXPECT_FALSE(f.shown("progressRisum"));
    const QString testFolder = QDir::currentPath();
    QDir::setCurrent(MIMINOMI_SOURCE_DIR); // the program's own data/
    f.click("buttonShowAnswer");
    EXPECT_EQ(f.find<QLabel>("pictureBoxRisum")->pixmap().toImage(),
              QPixmap::fromImage(ScorePicture::load("./data/risum7.bmp")).toImage());
    QDir::setCurrent(testFolder);
    EXPECT_FALSE(f.shown("pictureBoxOpenRisum"));

    // The melody's picture is missing: the question-opened picture stays, with a notice.
    f.selectTab(4);
    f.click("buttonNext");
    const QImage opened = f.find<QLabel>("pictureBoxOpenMelody")->pixmap().toImage();
    f.click("buttonShowAnswer");
    const QImage shown = f.find<QLabel>("pictureBoxMelody")->pixmap().toImage();
    EXPECT_EQ(shown.copy(0, 0, 550, 100), opened.copy(0, 0, 550, 100));
    EXPECT_NE(shown, opened) << "with a notice naming the missing file";
    // Five grades of "ひどい間違い" lose the game; the next melody answer hides the picture.
    for (int i = 0; i < 5; ++i) {
        if (i > 0) {
            f.click("buttonNext");
            f.click("buttonShowAnswer");
        }
        f.select("comboBoxMelodySelfCheck", 4);
        f.click("buttonSelfCheckMelody");
    }
    EXPECT_EQ(f.find<QLineEdit>("textBoxFalse")->text(), "10");
    EXPECT_FALSE(f.enabled("buttonSelfCheckMelody"));
    EXPECT_TRUE(f.shown("pictureBoxBadGameOver"));
    EXPECT_EQ(f.find("pictureBoxWrong")->y(), 66);
    f.click("buttonRetry");
    f.click("buttonShowAnswer");
    EXPECT_FALSE(f.shown("pictureBoxBadGameOver"));

    f.media.failOpens = true;
    f.click("buttonNext");
    EXPECT_TRUE(f.shown("pictureBoxNoMelodyMidiData"));
    EXPECT_FALSE(f.enabled("buttonShowAnswer"));
}

TEST(Form1Closing, ClosingDuringAQuestionClosesWhenTheQuestionHasEnded) {
    FormHarness h;
    h.find<QCheckBox>("checkBoxAugChord")->setChecked(true);
    bool refused = false;
    h.clock.duringNextWait = [&] { refused = !h.form.close(); };
    h.click("buttonNext");
    EXPECT_TRUE(refused) << "the close waits for the sound";
    EXPECT_EQ(h.notesPlayed().size(), 2u) << "the whole question sounded";
    QApplication::processEvents();
    EXPECT_FALSE(h.form.isVisible());
    EXPECT_TRUE(QSettings().value("chords/augmented").toBool()) << "the run ended: settings kept";
}

} // namespace miminomi::testing
