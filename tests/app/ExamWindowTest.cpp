// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The exam dictation window: an item written with the keys (one note from the MIDI keyboard),
// marked and kept; then the same item with one wrong pitch.
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
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

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
    bool firstRun = (QSettings().clear(), true);
    ExamWindow window{
        {sounds, clock, history, &keyboard, [] { return false; }, [] { return 77u; }}};
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

} // namespace miminomi::testing
