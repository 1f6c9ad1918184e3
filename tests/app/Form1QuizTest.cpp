// The question cycle of the single-note, scale and chord pages, driven through the window's own
// buttons with the virtual clock and the recording MIDI sink.
#include "tests/support/FormHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

using Message = RecordingMidiSink::Message;

class QuizPage : public ::testing::Test {
protected:
    FormHarness h;

    void tick(const char *box, bool on) { h.find<QCheckBox>(box)->setChecked(on); }
    QString text(const char *box) { return h.find<QLineEdit>(box)->text(); }
    int markerY(const char *marker) { return h.find(marker)->y(); }

    /// Whether a shown mark carries the right-answer picture (else the wrong-answer one).
    bool markIsRight(const char *mark) {
        const QImage shown = h.find<QLabel>(mark)->pixmap().toImage();
        return shown == h.find<QLabel>("pictureBoxBitmapRight")->pixmap().toImage();
    }

    /// Asks a single-note question and returns the notes it asked, without the reference A.
    std::vector<int> askNotes(int count) {
        h.select("comboBoxNoteNum", count - 1);
        h.sink.clear();
        h.click("buttonNext");
        std::vector<int> notes = h.notesPlayed();
        if (h.find<QCheckBox>("checkBoxStandardA")->isChecked() && !notes.empty())
            notes.erase(notes.begin());
        return notes;
    }

    /// Answers row `row` (0..3) of the note page with note `n`.
    void answerRow(int row, int n) {
        const std::string index = std::to_string(row);
        h.select(("comboBoxNoteName" + index).c_str(), n % 12 + 1);
        h.select(("comboBoxNoteHeight" + index).c_str(), n / 12 + 1);
    }

    /// Asks one note and marks it right or wrong.
    void markOneNote(bool right) {
        const int n = askNotes(1).back();
        answerRow(0, right ? n : n + 1);
        h.click("buttonCheck");
    }
};

std::vector<std::vector<std::uint8_t>> shortBytes(const std::vector<Message> &messages) {
    std::vector<std::vector<std::uint8_t>> bytes;
    for (const Message &m : messages)
        if (m.kind == Message::Kind::shortMsg)
            bytes.push_back(m.bytes);
    return bytes;
}

TEST_F(QuizPage, ANoteQuestionSoundsTheReferenceAThenEachNoteForOneSecond) {
    // GIVEN the reference A ticked WHEN one note is asked
    h.sink.clear();
    const std::int64_t start = h.clock.nowMs();
    h.click("buttonNext");
    const auto on = h.notesOn();
    ASSERT_EQ(on.size(), 2u);
    EXPECT_EQ(on[0], std::make_pair(start, 69));
    EXPECT_EQ(on[1].first, start + 2000);
    const int n = on[1].second;
    EXPECT_EQ(shortBytes(h.sink.sent()),
              (std::vector<std::vector<std::uint8_t>>{{0xC0, 0, 0},
                                                      {0x90, 69, 100},
                                                      {0x80, 69, 100},
                                                      {0xC0, 0, 0},
                                                      {0x90, std::uint8_t(n), 100},
                                                      {0x80, std::uint8_t(n), 100}}));
    EXPECT_EQ(h.sink.sent().back().timeMs, start + 3000);
    EXPECT_EQ(h.sink.log().back().kind, Message::Kind::close);

    // WITHOUT the A, four notes follow each other at once, one second apart.
    tick("checkBoxStandardA", false);
    const std::vector<int> four = askNotes(4);
    ASSERT_EQ(four.size(), 4u);
    const auto fourOn = h.notesOn();
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(fourOn[i].first - fourOn[i - 1].first, 1000);
    for (int note : four) {
        EXPECT_GE(note, 60);
        EXPECT_LE(note, 79);
        EXPECT_FALSE(QList<int>({1, 3, 6, 8, 10}).contains(note % 12)) << "white keys only";
    }
}

TEST_F(QuizPage, ShowingTheAnswerFillsInThePlayedNotesInBlueInOrder) {
    const std::vector<int> notes = askNotes(4);
    h.click("buttonShowAnswer");
    for (int row = 0; row < 4; ++row) {
        const std::string index = std::to_string(row);
        EXPECT_EQ(h.selected(("comboBoxNoteName" + index).c_str()), notes[row] % 12 + 1);
        EXPECT_EQ(h.selected(("comboBoxNoteHeight" + index).c_str()), notes[row] / 12 + 1);
        EXPECT_EQ(h.find<QComboBox>(("comboBoxNoteName" + index).c_str())
                      ->lineEdit()
                      ->palette()
                      .color(QPalette::Text),
                  QColor(0, 0, 255));
    }
    EXPECT_FALSE(h.enabled("buttonCheck")) << "an answer that was shown cannot be marked";
    EXPECT_FALSE(h.enabled("buttonShowAnswer"));
    EXPECT_TRUE(h.enabled("buttonRetry"));
}

TEST_F(QuizPage, ReplaySoundsTheSameNotesEvenAfterTheCountOrRangeChanged) {
    const std::vector<int> asked = askNotes(3);
    // The learner changes the count and the range after hearing the question.
    h.select("comboBoxNoteNum", 0);
    h.select("comboBoxRange", 1);
    tick("checkBoxOnlyWhite", false);
    h.sink.clear();
    h.click("buttonRetry");
    EXPECT_EQ(h.notesPlayed(), (std::vector<int>{69, asked[0], asked[1], asked[2]}));

    // Marking takes part with the three rows asked, no more and no fewer.
    for (int row = 0; row < 3; ++row)
        answerRow(row, asked[row]);
    h.click("buttonCheck");
    for (const char *mark : {"pictureBoxNote1Chek", "pictureBoxNote2Chek", "pictureBoxNote3Chek"})
        EXPECT_TRUE(h.shown(mark) && markIsRight(mark)) << mark;
    EXPECT_FALSE(h.shown("pictureBoxNote4Chek"));
    EXPECT_EQ(text("textBoxRight"), "3");
    EXPECT_EQ(text("textBoxFalse"), "0");
}

TEST_F(QuizPage, TypedCountNamingAnItemAsksThatManyNotesOtherTextAsksOne) {
    auto *count = h.find<QComboBox>("comboBoxNoteNum");
    count->setCurrentIndex(-1);
    count->setEditText("3");
    h.sink.clear();
    h.click("buttonNext");
    EXPECT_EQ(h.notesPlayed().size(), 4u) << "the A and three notes";

    count->setEditText("many");
    h.sink.clear();
    h.click("buttonNext");
    EXPECT_EQ(h.notesPlayed().size(), 2u);
    h.click("buttonCheck");
    EXPECT_TRUE(h.shown("pictureBoxNote1Chek"));
    EXPECT_FALSE(h.shown("pictureBoxNote2Chek"));
    EXPECT_EQ(text("textBoxFalse"), "1") << "one blank row, one wrong tally";
}

TEST_F(QuizPage, EachNoteRowIsMarkedOnItsOwnByNameAndOctaveInOrder) {
    tick("checkBoxStandardA", false);
    std::vector<int> notes;
    // Find a question whose first two notes differ, so that swapping them is wrong.
    do {
        notes = askNotes(4);
    } while (notes[0] == notes[1]);
    answerRow(0, notes[1]); // right notes in the wrong order
    answerRow(1, notes[0]);
    answerRow(2, notes[2] + 12); // right name, wrong octave
    answerRow(3, notes[3]);
    h.click("buttonCheck");
    EXPECT_FALSE(markIsRight("pictureBoxNote1Chek"));
    EXPECT_FALSE(markIsRight("pictureBoxNote2Chek"));
    EXPECT_FALSE(markIsRight("pictureBoxNote3Chek"));
    EXPECT_TRUE(markIsRight("pictureBoxNote4Chek"));
    EXPECT_EQ(text("textBoxRight"), "1");
    EXPECT_EQ(text("textBoxFalse"), "3");
    EXPECT_FALSE(h.enabled("buttonCheck")) << "a question is marked once";
}

TEST_F(QuizPage, AScaleSoundsUpAndDownWithoutItsEndMarkAndReplaysFromItsRoot) {
    h.selectTab(1);
    tick("checkBoxStandardA", false);
    h.sink.clear();
    h.click("buttonNext");
    const std::vector<int> notes = h.notesPlayed();
    ASSERT_TRUE(notes.size() == 15 || notes.size() == 11) << notes.size();
    EXPECT_EQ(notes.front(), notes.back());
    EXPECT_EQ(notes[notes.size() / 2] - notes.front(), 12) << "one octave up, then down";
    for (int n : notes)
        EXPECT_LT(n, 100);

    // The shown answer names the root played first; a Western scale needs key and type.
    h.click("buttonShowAnswer");
    const int key = h.selected("comboBoxKey");
    const int type = h.selected("comboBoxScaleType");
    EXPECT_EQ(key, notes.front() % 12 + 1);
    ASSERT_GT(type, 0) << "family 0 asks Western scales only";

    h.sink.clear();
    h.click("buttonRetry");
    EXPECT_EQ(h.notesPlayed(), notes) << "the replay sounds the same scale from its root";
}

/// The answer a question will have: a twin window with the same calendar asks the same
/// question after the same steps, and shows its answer.
template <class Steps> std::vector<int> twinAnswer(Steps steps, std::vector<const char *> boxes) {
    FormHarness twin;
    steps(twin);
    twin.click("buttonNext");
    twin.click("buttonShowAnswer");
    std::vector<int> answer;
    for (const char *box : boxes)
        answer.push_back(twin.selected(box));
    return answer;
}

TEST_F(QuizPage, AWesternScaleNeedsKeyAndTypeAJapaneseScaleOnlyItsType) {
    const auto western = [](FormHarness &f) { f.selectTab(1); };
    const std::vector<int> answer = twinAnswer(western, {"comboBoxKey", "comboBoxScaleType"});
    western(h);
    h.click("buttonNext");
    h.select("comboBoxKey", answer[0] % 12 + 1);
    h.select("comboBoxScaleType", answer[1]);
    h.click("buttonCheck");
    EXPECT_TRUE(h.shown("pictureBoxScaleCheck"));
    EXPECT_FALSE(markIsRight("pictureBoxScaleCheck")) << "right type, wrong key";

    FormHarness again;
    western(again);
    again.click("buttonNext");
    again.select("comboBoxKey", answer[0]);
    again.select("comboBoxScaleType", answer[1]);
    again.click("buttonCheck");
    EXPECT_EQ(again.find<QLineEdit>("textBoxRight")->text(), "1");

    const auto japanese = [](FormHarness &f) {
        f.selectTab(1);
        f.select("comboBoxScale", 2);
    };
    const std::vector<int> jp = twinAnswer(japanese, {"comboBoxKey", "comboBoxJPScaleType"});
    ASSERT_GT(jp[1], 0);
    FormHarness third;
    japanese(third);
    third.click("buttonNext");
    third.select("comboBoxKey", jp[0] % 12 + 1);
    third.select("comboBoxJPScaleType", jp[1]);
    third.click("buttonCheck");
    EXPECT_TRUE(third.shown("pictureBoxScaleJCheck"));
    EXPECT_FALSE(third.shown("pictureBoxScaleCheck"));
    EXPECT_EQ(third.find<QLineEdit>("textBoxRight")->text(), "1") << "the key is not asked";
}

TEST_F(QuizPage, AChordSoundsBrokenFromTheRootThenTogetherThenAllNotesOff) {
    h.selectTab(2);
    tick("checkBoxStandardA", false);
    h.sink.clear();
    const std::int64_t start = h.clock.nowMs();
    h.click("buttonNext");
    const auto on = h.notesOn();
    ASSERT_EQ(on.size() % 2, 0u);
    const std::size_t size = on.size() / 2;
    ASSERT_GE(size, 3u);
    for (std::size_t i = 0; i < size; ++i) {
        EXPECT_EQ(on[i].first, start + 1000 * std::int64_t(i)) << "broken chord, one a second";
        EXPECT_EQ(on[size + i].first, start + 1000 * std::int64_t(size)) << "block chord";
        EXPECT_EQ(on[i].second, on[size + i].second);
        if (i > 0) {
            EXPECT_GT(on[i].second, on[i - 1].second) << "from the root upwards";
        }
    }
    const Message last = h.sink.sent().back();
    EXPECT_EQ(last, shortAt(start + 1000 * std::int64_t(size + 1), 0xB0, 0x7B, 0x00));

    // The answer: root name and type, whatever the octave.
    h.click("buttonShowAnswer");
    EXPECT_EQ(h.selected("comboBoxChordRoot"), on[0].second % 12 + 1);
    const int type = h.selected("comboBoxChordType");
    EXPECT_TRUE(type == 1 || type == 2) << "only major and minor without other boxes";

    // Without the hint only the block chord sounds, for one second; the replay redraws nothing.
    tick("checkBoxChordHint", false);
    h.sink.clear();
    h.click("buttonRetry");
    const auto block = h.notesOn();
    ASSERT_EQ(block.size(), size);
    for (std::size_t i = 0; i < size; ++i)
        EXPECT_EQ(block[i].second, on[i].second);
    EXPECT_EQ(h.sink.sent().back().timeMs - block.front().first, 1000);
}

TEST_F(QuizPage, AChordIsRightByRootNameAndTypeAndBlankAnswersAreWrong) {
    const auto chords = [](FormHarness &f) {
        f.selectTab(2);
        f.find<QCheckBox>("checkBox7Chord")->setChecked(true);
    };
    const std::vector<int> answer = twinAnswer(chords, {"comboBoxChordRoot", "comboBoxChordType"});
    chords(h);
    h.click("buttonNext");
    h.select("comboBoxChordRoot", answer[0]);
    h.select("comboBoxChordType", answer[1]);
    h.click("buttonCheck");
    EXPECT_TRUE(markIsRight("pictureBoxChordCheck"));
    EXPECT_EQ(text("textBoxRight"), "1");

    h.click("buttonNext");
    h.click("buttonCheck");
    EXPECT_FALSE(markIsRight("pictureBoxChordCheck")) << "blank answers are wrong";
    EXPECT_EQ(text("textBoxFalse"), "1");
}

TEST_F(QuizPage, NineAllThenOneRightOneWrongEndsTheGameGood) {
    tick("checkBoxStandardA", false);
    for (int i = 0; i < 9; ++i) {
        markOneNote(true);
        markOneNote(false);
    }
    EXPECT_EQ(markerY("pictureBoxRight"), 336 - 27 * 9);
    EXPECT_EQ(markerY("pictureBoxWrong"), 336 - 27 * 9);

    const std::vector<int> two = askNotes(2);
    answerRow(0, two[0]);
    answerRow(1, two[1] + 1);
    h.click("buttonCheck");
    EXPECT_EQ(markerY("pictureBoxRight"), 66);
    EXPECT_EQ(markerY("pictureBoxWrong"), 93);
    EXPECT_TRUE(h.shown("pictureBoxGoodGameOver"));
    EXPECT_FALSE(h.shown("pictureBoxBadGameOver"));

    // The next question starts a new game; the counters keep the exercise's totals.
    askNotes(1);
    EXPECT_FALSE(h.shown("pictureBoxGoodGameOver"));
    EXPECT_EQ(markerY("pictureBoxRight"), 336);
    EXPECT_EQ(markerY("pictureBoxWrong"), 336);
    EXPECT_EQ(text("textBoxRight"), "10");
    EXPECT_EQ(text("textBoxFalse"), "10");
}

TEST_F(QuizPage, FourRightFromEightStopTheMarkerAtTheGoalAndTenWrongLose) {
    tick("checkBoxStandardA", false);
    for (int i = 0; i < 8; ++i)
        markOneNote(true);
    const std::vector<int> four = askNotes(4);
    for (int row = 0; row < 4; ++row)
        answerRow(row, four[row]);
    h.click("buttonCheck");
    EXPECT_EQ(markerY("pictureBoxRight"), 66) << "never above the goal";
    EXPECT_TRUE(h.shown("pictureBoxGoodGameOver"));

    for (int i = 0; i < 10; ++i)
        markOneNote(false);
    EXPECT_EQ(markerY("pictureBoxWrong"), 66);
    EXPECT_TRUE(h.shown("pictureBoxBadGameOver"));
    EXPECT_EQ(markerY("pictureBoxRight"), 336);
}

TEST_F(QuizPage, ResetClearsOnlyTheCurrentExerciseAndKeepsAShownGameOver) {
    tick("checkBoxStandardA", false);
    markOneNote(true);
    h.selectTab(2);
    h.click("buttonNext");
    h.click("buttonCheck");
    EXPECT_EQ(text("textBoxFalse"), "1");
    h.click("button1");
    EXPECT_EQ(text("textBoxRight"), "0");
    EXPECT_EQ(text("textBoxFalse"), "0");
    h.selectTab(0);
    EXPECT_EQ(text("textBoxRight"), "1") << "the note totals are untouched";

    // On the test page the reset clears only the game.
    h.selectTab(5);
    h.click("button1");
    h.selectTab(0);
    EXPECT_EQ(text("textBoxRight"), "1");

    // A game-over picture already shown stays until the next question.
    for (int i = 0; i < 10; ++i)
        markOneNote(true);
    EXPECT_TRUE(h.shown("pictureBoxGoodGameOver"));
    h.click("button1");
    EXPECT_EQ(text("textBoxRight"), "0");
    EXPECT_EQ(markerY("pictureBoxRight"), 336);
    EXPECT_TRUE(h.shown("pictureBoxGoodGameOver"));
    askNotes(1);
    EXPECT_FALSE(h.shown("pictureBoxGoodGameOver"));
}

TEST_F(QuizPage, SwitchingTabsPreparesThePageAndStartsANewGame) {
    tick("checkBoxStandardA", false);
    markOneNote(true);
    markOneNote(false);
    askNotes(1);
    EXPECT_TRUE(h.enabled("buttonRetry"));

    // The test page shows the game as it stood before the switch.
    h.selectTab(5);
    EXPECT_EQ(text("textBoxRight"), "1");
    EXPECT_EQ(text("textBoxFalse"), "1");
    EXPECT_EQ(markerY("pictureBoxRight"), 336);
    for (const char *button : {"buttonRetry", "buttonCheck", "buttonShowAnswer"})
        EXPECT_FALSE(h.enabled(button)) << button;
    EXPECT_TRUE(h.enabled("buttonNext"));

    h.selectTab(0);
    EXPECT_EQ(text("textBoxRight"), "1");
    EXPECT_EQ(text("textBoxFalse"), "1");
    for (const char *box : {"comboBoxNoteName0", "comboBoxNoteHeight3"})
        EXPECT_EQ(h.selected(box), 0) << box;
    EXPECT_FALSE(h.shown("pictureBoxNote1Chek"));
    h.click("buttonCheck");
    EXPECT_EQ(text("textBoxFalse"), "1") << "the old question cannot be marked";

    h.selectTab(3);
    EXPECT_EQ(h.selected("comboBoxRisumSelfCheck"), 2);
    EXPECT_TRUE(h.shown("pictureBoxOpenRisum"));
    EXPECT_FALSE(h.shown("pictureBoxNoRisumMidiData"));
}

TEST_F(QuizPage, OnTheTestPageANewQuestionSoundsNothingAndMarkingRecordsNothing) {
    h.selectTab(5);
    h.sink.clear();
    h.click("buttonNext");
    EXPECT_TRUE(h.sink.log().empty());
    h.click("buttonRetry");
    h.click("buttonCheck");
    EXPECT_TRUE(h.sink.log().empty());
    EXPECT_EQ(text("textBoxRight"), "0");
    EXPECT_EQ(text("textBoxFalse"), "0");
}

TEST_F(QuizPage, ClosingDuringAQuestionClosesWhenTheQuestionHasEnded) {
    bool refused = false;
    h.clock.duringNextWait = [&] { refused = !h.form.close(); };
    h.click("buttonNext");
    EXPECT_TRUE(refused) << "the close waits for the sound";
    EXPECT_TRUE(h.form.isVisible());
    EXPECT_EQ(h.notesPlayed().size(), 2u) << "the whole question sounded";
    QApplication::processEvents();
    EXPECT_FALSE(h.form.isVisible());
    EXPECT_TRUE(h.form.hasEndedRun());
}

} // namespace
} // namespace miminomi::testing
