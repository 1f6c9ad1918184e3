// The rhythm and melody pages: a piece played for fifteen seconds through the media commands,
// its score picture as the model answer, and the learner's own marks.
#include "tests/support/FormHarness.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

using Command = RecordingMediaControl::Command;

/// A working folder holding ./data/ with the given score pictures, current while it lives.
class DataFolder {
public:
    explicit DataFolder(const std::vector<QString> &pictures) : previous(QDir::currentPath()) {
        QDir(folder.path()).mkdir("data");
        for (const QString &name : pictures) {
            QImage picture(550, 160, QImage::Format_RGB32);
            picture.fill(Qt::white);
            picture.setPixel(10, 10, qRgb(name.size(), 0, 0)); // tells the pictures apart
            picture.save(folder.path() + "/data/" + name, "BMP");
        }
        QDir::setCurrent(folder.path());
    }
    ~DataFolder() { QDir::setCurrent(previous); }

    static QImage expected(const QString &name) {
        return QImage(QDir::currentPath() + "/data/" + name).convertToFormat(QImage::Format_RGB32);
    }

private:
    QTemporaryDir folder;
    QString previous;
};

class PiecePage : public ::testing::Test {
protected:
    /// The calendar second at which the next pick chooses piece `number` (1..20).
    static std::int64_t secondPicking(int number) { return secondWhoseFirstDraw(20, number - 1); }

    QImage answerPicture(FormHarness &f, const char *box) {
        return f.find<QLabel>(box)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QString text(FormHarness &f, const char *box) { return f.find<QLineEdit>(box)->text(); }
};

TEST_F(PiecePage, ARhythmPlaysFifteenSecondsWithTheButtonsLockedThenOffersReplayAndAnswer) {
    FormHarness f(secondPicking(7));
    f.selectTab(3);
    EXPECT_TRUE(f.shown("pictureBoxOpenRisum"));
    EXPECT_FALSE(f.enabled("buttonRetry"));

    std::vector<bool> duringPlay;
    f.clock.duringNextWait = [&] {
        for (const char *b : {"buttonNext", "buttonRetry", "buttonCheck", "buttonShowAnswer"})
            duringPlay.push_back(f.enabled(b));
        duringPlay.push_back(f.shown("progressRisum"));
    };
    const std::int64_t start = f.clock.nowMs();
    f.click("buttonNext");

    EXPECT_EQ(duringPlay, std::vector<bool>({false, false, false, false, false}));
    EXPECT_EQ(f.media.log(), (std::vector<Command>{{start, "open ./data/risum7.mid alias music "},
                                                   {start, "play music"},
                                                   {start + 15000, "stop music"},
                                                   {start + 15000, "close music"}}));
    EXPECT_TRUE(f.sink.log().empty()) << "no reference A before a rhythm";
    EXPECT_TRUE(f.enabled("buttonNext"));
    EXPECT_TRUE(f.enabled("buttonRetry"));
    EXPECT_TRUE(f.enabled("buttonShowAnswer"));
    EXPECT_FALSE(f.enabled("buttonCheck"));
    EXPECT_FALSE(f.shown("progressRisum"));
    EXPECT_EQ(answerPicture(f, "pictureBoxRisum"), answerPicture(f, "pictureBoxOpenRisum"))
        << "the previous answer is covered by the question-opened picture";

    f.click("buttonRetry");
    EXPECT_EQ(f.media.log().at(4).text, "open ./data/risum7.mid alias music ");
}

TEST_F(PiecePage, AMelodyHasTheReferenceAFirstAndSharesThePieceNumberWithTheRhythm) {
    FormHarness f(secondPicking(12));
    f.selectTab(3);
    f.click("buttonNext");
    f.selectTab(4);
    f.click("buttonNext");
    ASSERT_EQ(f.media.log().size(), 8u);
    EXPECT_EQ(f.media.log().at(4).text, "open ./data/melody12.mid alias music ");
    // The A sounds and the device is closed before the piece starts.
    const auto &midi = f.sink.log();
    ASSERT_FALSE(midi.empty());
    EXPECT_EQ(midi.back().kind, RecordingMidiSink::Message::Kind::close);
    EXPECT_EQ(f.notesPlayed(), std::vector<int>{69});
    EXPECT_EQ(f.media.log().at(4).timeMs, midi.back().timeMs);
    EXPECT_GE(f.media.log().at(4).timeMs - f.notesOn().front().first, 2000);
}

TEST_F(PiecePage, WithoutItsFilesThePageShowsTheMissingFilesPictureAtOnce) {
    FormHarness f;
    f.media.failOpens = true;
    f.selectTab(3);
    const std::int64_t start = f.clock.nowMs();
    f.click("buttonNext");
    EXPECT_TRUE(f.shown("pictureBoxNoRisumMidiData"));
    EXPECT_EQ(f.clock.nowMs(), start) << "no fifteen seconds of silence";
    EXPECT_FALSE(f.enabled("buttonRetry"));
    EXPECT_FALSE(f.enabled("buttonShowAnswer"));
    EXPECT_TRUE(f.enabled("buttonNext"));

    f.media.failOpens = false;
    f.click("buttonNext");
    EXPECT_FALSE(f.shown("pictureBoxNoRisumMidiData"));
}

TEST_F(PiecePage, TheAnswerShowsThePictureOfThePiecePlayed) {
    DataFolder data({"risum7.bmp", "risum8.bmp", "melody7.bmp"});
    FormHarness f(secondPicking(7));
    f.selectTab(3);
    f.click("buttonNext");
    f.click("buttonShowAnswer");
    EXPECT_EQ(answerPicture(f, "pictureBoxRisum"), DataFolder::expected("risum7.bmp"));
    EXPECT_FALSE(f.shown("pictureBoxOpenRisum"));
    EXPECT_TRUE(f.enabled("buttonSelfcheckRisum"));
    EXPECT_FALSE(f.enabled("buttonShowAnswer"));

    f.selectTab(4);
    f.click("buttonNext");
    f.click("buttonShowAnswer");
    EXPECT_EQ(answerPicture(f, "pictureBoxMelody"), DataFolder::expected("melody7.bmp"));
}

TEST_F(PiecePage, AMissingScorePictureIsReportedInsideThePictureArea) {
    DataFolder data({});
    FormHarness f(secondPicking(3));
    f.selectTab(4);
    f.click("buttonNext");
    const QImage opened = answerPicture(f, "pictureBoxOpenMelody");
    f.click("buttonShowAnswer");
    const QImage shown = answerPicture(f, "pictureBoxMelody");
    ASSERT_EQ(shown.size(), opened.size());
    EXPECT_EQ(shown.copy(0, 0, 550, 100), opened.copy(0, 0, 550, 100))
        << "the question-opened picture stays";
    EXPECT_NE(shown, opened) << "with a notice naming the missing file";
    EXPECT_TRUE(f.enabled("buttonSelfCheckMelody")) << "the learner can still mark";
}

TEST_F(PiecePage, SelfMarksAddTheirPointsToTheExerciseAndTheGame) {
    FormHarness f;
    f.selectTab(3);
    f.click("buttonNext");
    f.click("buttonShowAnswer");
    f.select("comboBoxRisumSelfCheck", 0);
    f.click("buttonSelfcheckRisum");
    EXPECT_EQ(text(f, "textBoxRight"), "2");
    EXPECT_EQ(f.find("pictureBoxRight")->y(), 336 - 2 * 27);
    EXPECT_FALSE(f.enabled("buttonSelfcheckRisum"));

    // The empty choice adds nothing and still uses up the button.
    f.click("buttonNext");
    f.click("buttonShowAnswer");
    f.click("buttonSelfcheckRisum");
    EXPECT_EQ(text(f, "textBoxRight"), "2");
    EXPECT_EQ(text(f, "textBoxFalse"), "0");
    EXPECT_FALSE(f.enabled("buttonSelfcheckRisum"));

    f.selectTab(4);
    f.click("buttonNext");
    f.click("buttonShowAnswer");
    f.select("comboBoxMelodySelfCheck", 4);
    f.click("buttonSelfCheckMelody");
    EXPECT_EQ(text(f, "textBoxRight"), "0");
    EXPECT_EQ(text(f, "textBoxFalse"), "2");
    EXPECT_EQ(f.find("pictureBoxWrong")->y(), 336 - 2 * 27);
}

TEST_F(PiecePage, ShowingAMelodyAnswerHidesTheLosingPictureARhythmAnswerDoesNot) {
    for (const int page : {3, 4}) {
        FormHarness f;
        f.selectTab(page);
        const char *choice = page == 3 ? "comboBoxRisumSelfCheck" : "comboBoxMelodySelfCheck";
        const char *confirm = page == 3 ? "buttonSelfcheckRisum" : "buttonSelfCheckMelody";
        for (int i = 0; i < 5; ++i) {
            f.click("buttonNext");
            f.click("buttonShowAnswer");
            f.select(choice, 4);
            f.click(confirm);
        }
        ASSERT_TRUE(f.shown("pictureBoxBadGameOver")) << page;
        f.click("buttonRetry");
        f.click("buttonShowAnswer");
        EXPECT_EQ(f.shown("pictureBoxBadGameOver"), page == 3) << page;
    }
}

} // namespace
} // namespace miminomi::testing
