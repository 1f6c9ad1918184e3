// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exam dictation window: an item written with the keys (one note from the MIDI keyboard),
// marked and kept; then the same item with one wrong pitch, heard against the item. The exam's
// schedule paused, resumed and skipped; playings kept; notes written heard; the leaning drawn.
#include "app/windows/ExamWindow.h"

#include "history/History.h"
#include "music/Tonality.h"
#include "practice/SoundSchedule.h"
#include "quiz/SharedRandom.h"
#include "sound/MidiSound.h"
#include "tests/support/FakeMidiInput.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/VirtualClock.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace miminomi::testing {

namespace {

struct Rig {
    VirtualClock clock;
    RecordingMidiSink sink{clock};
    RecordingMediaControl media{clock};
    FixedCalendarClock calendar{1'000'000};
    SharedRandom random{calendar};
    MidiSound midi{sink, media, clock, random};
    SoundSchedule sounds{midi, clock};
    TemporaryFolder folder;
    std::shared_ptr<History> history =
        std::make_shared<History>(folder.filePath("history.sqlite3"), calendar);
    FakeMidiInput keyboard;
    bool leaning = false;
    bool firstRun = (QSettings().clear(), true);
    ExamWindow window{
        {sounds, clock, history, &keyboard, [this] { return leaning; }, [] { return 77u; }}};

    template <typename T = QPushButton> T *find(const char *name) {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name) { find(name)->click(); }
    QString status() { return find<QLabel>("examStatus")->text(); }
    /// Runs the virtual clock to `untilMs`, driving the window and its sounds whenever either is
    /// due, as their timers do.
    void runTo(std::int64_t untilMs) {
        for (std::int64_t next = clock.nowMs(); next < untilMs;) {
            next = untilMs;
            for (const auto due : {window.nextDueMs(), sounds.nextDueMs()})
                next = due ? std::clamp(*due, clock.nowMs(), next) : next;
            clock.Sleep(std::uint32_t(next - clock.nowMs()));
            window.drive();
            sounds.poll();
        }
    }
    int keptPlayings() { return history->pastExams()->front().exam.playings; }
};

const Qt::Key letterKeys[] = {Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F,
                              Qt::Key_G, Qt::Key_A, Qt::Key_B};

/// Writes the item's notes after the given first one as a learner would with the keys, the
/// note numbered `byMidi` struck on the MIDI keyboard instead.
void writeItem(Rig &rig, int byMidi = -1) {
    auto *staff = rig.window.findChild<QWidget *>(QStringLiteral("examStaff"));
    const music::Score &item = rig.window.item();
    music::NoteValue value{music::NoteType::quarter, 0};
    bool tied = false;
    int count = 0;
    for (const auto &bar : item.bars)
        for (const auto &note : bar.upper) {
            if (count++ == 0) {
                tied = note.tieToNext;
                continue; // given
            }
            if (note.value != value) {
                QTest::keyClick(staff, Qt::Key(Qt::Key_7 - int(note.value.type)));
                if (note.value.dots)
                    QTest::keyClick(staff, Qt::Key_Period);
                value = note.value;
            }
            if (tied)
                QTest::keyClick(staff, Qt::Key_Plus);
            else if (!note.pitch)
                QTest::keyClick(staff, Qt::Key_0);
            else if (count - 1 == byMidi) {
                rig.keyboard.strike(static_cast<std::uint8_t>(note.pitch->midi()));
                QCoreApplication::processEvents();
            } else {
                QTest::keyClick(staff, letterKeys[int(note.pitch->step)]);
                const auto &bars = rig.window.entry().bars();
                int b = int(bars.size()) - 1;
                while (bars[std::size_t(b)].empty())
                    --b;
                const music::Pitch written = *bars[std::size_t(b)].back().pitch;
                for (int k = written.alter; k < note.pitch->alter; ++k)
                    QTest::keyClick(staff, Qt::Key_NumberSign);
                for (int k = written.alter; k > note.pitch->alter; --k)
                    QTest::keyClick(staff, Qt::Key_Minus);
                for (int k = written.octave; k != note.pitch->octave;)
                    k < note.pitch->octave
                        ? (QTest::keyClick(staff, Qt::Key_Up, Qt::ControlModifier), ++k)
                        : (QTest::keyClick(staff, Qt::Key_Down, Qt::ControlModifier), --k);
            }
            tied = note.tieToNext;
        }
}

} // namespace

TEST(ExamWindow, AnItemWrittenRightScores100AndOneWrongPitchLosesHalfItsNote) {
    Rig rig;
    rig.window.show();
    auto *ports = rig.window.findChild<QComboBox *>(QStringLiteral("examMidiInput"));
    ports->setCurrentIndex(1);
    emit ports->activated(1);
    rig.window.openItem(5, 1234);
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("聴音 レベル 5 ・ 第 1234 問"));
    writeItem(rig, 3);
    auto *staff = rig.window.findChild<QWidget *>(QStringLiteral("examStaff"));
    QTest::keyClick(staff, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(rig.window.marking());
    EXPECT_EQ(rig.window.marking()->score, 100);

    // The same item with the first note of bar 2 a semitone too high.
    rig.window.openItem(5, 1234);
    const music::Score &item = rig.window.item();
    ASSERT_FALSE(item.bars[0].pickup || item.bars[0].upper.back().tieToNext ||
                 item.bars[1].upper.front().tieToNext);
    writeItem(rig);
    for (std::size_t b = 1; b < item.bars.size(); ++b)
        for (std::size_t k = 0; k < item.bars[b].upper.size(); ++k)
            QTest::keyClick(staff, Qt::Key_Left);
    QTest::keyClick(staff, Qt::Key_Up);
    QTest::keyClick(staff, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(rig.window.marking());
    // Bar 2 is one of the item's equal bars; its notes share it, and a wrong pitch costs half.
    int notes = 0;
    for (const auto &note : item.bars[1].upper)
        notes += note.pitch ? 1 : 0;
    const double lost = 100.0 / double(item.bars.size()) / notes / 2;
    EXPECT_EQ(rig.window.marking()->score, int(std::lround(100 - lost)));
    ASSERT_EQ(rig.window.marking()->errors.size(), 1u);
    EXPECT_EQ(rig.window.marking()->errors[0].bar, 2);

    // "聴き比べる": the answer, a second's silence after its last note, then the item, which is
    // the answer with the one note a semitone lower.
    rig.sink.clear();
    rig.click("examCompare");
    rig.runTo(60000);
    const auto on = rig.sink.notesOn();
    const std::size_t half = on.size() / 2;
    ASSERT_EQ(on.size(), 2 * half);
    EXPECT_EQ(on.front().first, 300);
    std::int64_t lastOff = 0;
    for (const auto &m : rig.sink.sent())
        if ((m.bytes[0] & 0xF0) == 0x80 && m.timeMs < on[half].first)
            lastOff = m.timeMs;
    EXPECT_EQ(on[half].first - lastOff, 1000);
    std::vector<int> answerNotes, itemNotes;
    for (std::size_t k = 0; k < on.size(); ++k)
        (k < half ? answerNotes : itemNotes).push_back(on[k].second);
    const auto wrong =
        std::mismatch(answerNotes.begin(), answerNotes.end(), itemNotes.begin()).first;
    ASSERT_NE(wrong, answerNotes.end());
    --*wrong;
    EXPECT_EQ(answerNotes, itemNotes);

    const auto past = rig.history->pastExams();
    ASSERT_TRUE(past);
    ASSERT_EQ(past->size(), 2u);
    EXPECT_EQ((*past)[0].exam.score, int(std::lround(100 - lost)));
    EXPECT_EQ((*past)[1].exam.score, 100);
    EXPECT_EQ((*past)[1].exam.seed, 1234u);

    // "もう一度この問題" brings the item back from the history, blank.
    rig.window.openItem(3, 99);
    rig.window.findChild<QComboBox *>(QStringLiteral("examPast"))->setCurrentIndex(1);
    rig.window.findChild<QPushButton *>(QStringLiteral("examAgain"))->click();
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("聴音 レベル 5 ・ 第 1234 問"));
    EXPECT_TRUE(rig.window.entry().empty() && !rig.window.marking());
}

TEST(ExamWindow, PauseReplaysThePlayingUnderWaySkipMovesOnAndThePlayingsReachedAreKept) {
    Rig rig;
    rig.find<QSpinBox>("examPause")->setValue(5);
    rig.window.openItem(5, 1234);
    // Lead, cadence, 1/9 whole, a pause, 2/9 first half.
    const ExamPlan plan = examPlan(rig.window.item(), {76, 5, 60}, false);
    const ExamStep &first = plan.steps[2], &second = plan.steps[4];
    ASSERT_EQ(second.playing.label(), "2/9 前半 1回目");
    rig.click("examStart");
    rig.runTo(first.startMs + 700);
    rig.click("examStart");
    EXPECT_EQ(rig.status(), QStringLiteral("一時停止中"));
    rig.sink.clear();
    rig.runTo(first.startMs + 10000);
    EXPECT_TRUE(rig.sink.notesOn().empty());

    const std::int64_t resumed = rig.clock.nowMs();
    rig.click("examStart");
    rig.runTo(resumed + first.lengthMs + 1500);
    std::vector<std::pair<std::int64_t, int>> replayed;
    for (const ExamNote &note : first.notes)
        replayed.emplace_back(resumed + note.atMs, note.note);
    EXPECT_EQ(rig.sink.notesOn(), replayed);
    EXPECT_EQ(rig.status(), QStringLiteral("1/9 全体 1回目 ・ 次まで 4 秒"));

    // From the pause to the next playing, now; from the playing to the pause after it.
    rig.sink.clear();
    const std::int64_t skipped = rig.clock.nowMs();
    rig.click("examSkip");
    rig.runTo(skipped + second.notes[1].atMs);
    EXPECT_EQ(rig.sink.notesOn().front(),
              std::pair(skipped + second.notes[0].atMs, int(second.notes[0].note)));
    EXPECT_TRUE(rig.status().startsWith(QStringLiteral("2/9 前半 1回目 ・ 次まで ")));
    rig.click("examSkip");
    EXPECT_EQ(rig.status(), QStringLiteral("2/9 前半 1回目 ・ 次まで 5 秒"));
    rig.window.check();
    EXPECT_EQ(rig.keptPlayings(), 2);
}

TEST(ExamWindow, OnDemandEveryPlayingAskedForIsKeptAcrossAStop) {
    Rig rig;
    rig.find<QComboBox>("examSchedule")->setCurrentIndex(1);
    rig.window.openItem(5, 1234);
    // Started again after a stop, the cadence first: the playings before still count.
    for (const char *name :
         {"examWhole", "examStop", "examFirstHalf", "examStop", "examStart", "examBar"})
        rig.click(name);
    rig.window.check();
    EXPECT_EQ(rig.keptPlayings(), 3);
}

TEST(ExamWindow, ANoteWrittenSoundsOnItsOwnChannelExceptWhileTheExamPlays) {
    for (const bool onDemand : {true, false}) {
        Rig rig;
        rig.find<QComboBox>("examSchedule")->setCurrentIndex(onDemand);
        rig.window.openItem(5, 1234);
        rig.click(onDemand ? "examWhole" : "examStart");
        // Into the item's first playing, its first note sounding.
        const ExamPlan plan = examPlan(rig.window.item(), {76, 20, 60}, false);
        const std::int64_t at = onDemand ? 100 : plan.steps[2].startMs + 100;
        rig.runTo(at);
        rig.sink.clear();
        QTest::keyClick(rig.find<QWidget>("examStaff"), Qt::Key_E);
        const int written = rig.window.entry().bars()[0].back().pitch->midi();
        rig.runTo(at + 1000);
        // The echo on channel 2; nothing of the item's ended as it sounds.
        std::vector<RecordingMidiSink::Message> echo;
        for (const auto &m : rig.sink.sent()) {
            if ((m.bytes[0] & 0x0F) == 2)
                echo.push_back(m);
            else
                EXPECT_FALSE(m.timeMs == at && (m.bytes[0] & 0xF0) == 0x80) << m;
        }
        const std::vector<RecordingMidiSink::Message> heard{shortAt(at, 0xC2, 0, 0),
                                                            shortAt(at, 0x92, written, 100),
                                                            shortAt(at + 300, 0x82, written, 100)};
        EXPECT_EQ(echo, onDemand ? heard : decltype(heard){});
    }
}

TEST(ExamWindow, WithWeakSpotsTheSameSeedDrawsAnotherItem) {
    Rig rig;
    StoredExam missed;
    StoredExamError fifthUp;
    fifthUp.intervalSteps = 4;
    missed.errors.assign(3, fifthUp);
    rig.history->add(missed);
    rig.click("examNext");
    const music::Score plain = rig.window.item();
    rig.leaning = true;
    rig.click("examNext");
    const music::Score &leaning = rig.window.item();
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("聴音 レベル 5 ・ 第 77 問"));
    EXPECT_NE(leaning, plain);
}

} // namespace miminomi::testing
