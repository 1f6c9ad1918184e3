// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What only MidiSound itself shows, through the recording sink and virtual clock. The exercises'
// own bytes and media commands are checked in tests/practice/DrillTest.cpp.
#include "sound/MidiSound.h"

#include "tests/support/FixedCalendarClock.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"

#include <gmock/gmock.h>

#include <set>

namespace miminomi::testing {

using Kind = RecordingMidiSink::Message::Kind;

class MidiSoundTest : public ::testing::Test {
protected:
    VirtualClock clock;
    RecordingMidiSink sink{clock};
    RecordingMediaControl media{clock};
    FixedCalendarClock calendar{1'700'000'000};
    SharedRandom random{calendar};
    MidiSound sound{sink, media, clock, random};
};

TEST_F(MidiSoundTest, EveryOpenResetsToPianoA440OnChannel1AndResultsTellWhatReallyHappened) {
    const auto systemOn = [](std::int64_t ms) {
        return RecordingMidiSink::Message{Kind::longMsg, ms, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}};
    };
    EXPECT_TRUE(sound.OpenMidiDevice());
    sound.setMidiCh(3);
    sound.setMidiInstrument(200); // setters are unchecked
    sound.setMidiNoteNum(60);
    sound.setMidiVelocity(20);
    sound.NoteAPlay(2000); // plays note 69, which stays set
    sound.NotePlay(0);     // only a positive hold ends the note
    sound.NotePlay(-5);
    sound.allOff();
    EXPECT_TRUE(sound.OpenMidiDevice());
    EXPECT_TRUE(sound.NotePlay(1000));
    sound.allOff();
    EXPECT_THAT(
        sink.sent(),
        ::testing::ElementsAreArray(
            {systemOn(0), shortAt(0, 0xC3, 200, 0), shortAt(0, 0x93, 69, 20),
             shortAt(2000, 0x83, 69, 20), shortAt(2000, 0xC3, 200, 0), shortAt(2000, 0x93, 69, 20),
             shortAt(2000, 0xC3, 200, 0), shortAt(2000, 0x93, 69, 20), shortAt(2000, 0xB3, 123, 0),
             systemOn(2000), shortAt(2000, 0xC0, 0, 0), shortAt(2000, 0x90, 69, 100),
             shortAt(3000, 0x80, 69, 100), shortAt(3000, 0xB0, 123, 0)}));

    EXPECT_TRUE(sound.CloseMidiDevice());
    EXPECT_FALSE(sound.CloseMidiDevice()) << "a second close closes nothing";
    EXPECT_FALSE(sound.NotePlay(10)) << "notes after the close reach no output";
    sink.neverDone = true; // takes the reset but never says so
    MidiSound{sink, media, clock, random}.OpenMidiDevice();
    EXPECT_EQ(clock.nowMs(), 3010 + MidiSound::gmResetWaitLimitMs);
    EXPECT_EQ(clock.waits().back(), 1u) << "the done flag is looked at again between short waits";
    EXPECT_EQ(sink.log().back().kind, Kind::close) << "destroying the sound closes its device";
    sink.refuseOpen = true;
    EXPECT_FALSE(sound.OpenMidiDevice());
    EXPECT_EQ(clock.nowMs(), 3010 + MidiSound::gmResetWaitLimitMs) << "no wait for a refused reset";
    EXPECT_FALSE(sound.NotePlay(0));
    EXPECT_FALSE(sound.CloseMidiDevice());
}

TEST_F(MidiSoundTest, PicksReseedFromTheCalendarReachEveryPieceAndShareOneIndex) {
    EXPECT_EQ(sound.getRisumMidiFile(1), "") << "only pick modes 0 and 2 give a path";
    std::set<std::string> seen;
    for (calendar.seconds = 0; calendar.seconds < 200; ++calendar.seconds) {
        const std::string first = sound.getRisumMidiFile(0);
        random.rand(); // other users of the generator in between change nothing
        EXPECT_EQ(sound.getRisumMidiFile(0), first);
        seen.insert(sound.getMelodyMidiFile(2));
    }
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_TRUE(seen.contains("./data/melody20.mid"));
}

} // namespace miminomi::testing
