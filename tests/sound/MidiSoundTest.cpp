// MidiSound's messages and waits, byte for byte, through the recording sink and virtual clock.
#include "sound/MidiSound.h"
#include "sound/MidiTestNote.h"

#include "quiz/CalendarClock.h"
#include "quiz/SharedRandom.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"
#include "tests/support/VirtualClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace miminomi::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = RecordingMidiSink::Message::Kind;

class SettableCalendarClock : public CalendarClock {
public:
    std::int64_t seconds = 1'700'000'000;
    std::int64_t nowSeconds() const override { return seconds; }
};

const std::vector<std::uint8_t> systemOn = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};

class MidiSoundTest : public ::testing::Test {
protected:
    VirtualClock clock;
    RecordingMidiSink sink{clock};
    RecordingMediaControl media{clock};
    SettableCalendarClock calendar;
    SharedRandom random{calendar};
    MidiSound sound{sink, media, clock, random};

    /// Opens the device and forgets what the open sent, so a test sees only its own messages.
    void openQuietly() {
        sound.OpenMidiDevice();
        sink.clear();
    }
};

// --- Opening, closing and the General MIDI reset ---

TEST_F(MidiSoundTest, OpenSendsTheSystemOnAsOneLongMessageAndNothingElse) {
    EXPECT_TRUE(sound.OpenMidiDevice());
    ASSERT_EQ(sink.log().size(), 2u);
    EXPECT_EQ(sink.log()[0].kind, Kind::open);
    EXPECT_EQ(sink.log()[1], (RecordingMidiSink::Message{Kind::longMsg, 0, systemOn}));
    EXPECT_EQ(clock.nowMs(), 0) << "an output that marks the message done at once costs no wait";
}

TEST_F(MidiSoundTest, OpeningTwiceSendsTheResetTwiceAndKeepsTheDefaults) {
    sound.OpenMidiDevice();
    sound.setMidiCh(5);
    sound.setMidiInstrument(40);
    sound.OpenMidiDevice();
    sink.clear();
    sound.NotePlay(1000);
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC0, 0x00, 0x00), shortAt(0, 0x90, 0x45, 0x64),
                                         shortAt(1000, 0x80, 0x45, 0x64)));
}

TEST_F(MidiSoundTest, EveryOpenRestoresTheDefaultsAfterTheReset) {
    sound.OpenMidiDevice();
    sound.setMidiCh(3);
    sound.setMidiInstrument(73);
    sound.setMidiNoteNum(60);
    sound.setMidiVelocity(20);
    sound.CloseMidiDevice();
    EXPECT_TRUE(sound.OpenMidiDevice());
    sink.clear();
    sound.NotePlay(0);
    EXPECT_THAT(sink.sent(),
                ElementsAre(shortAt(0, 0xC0, 0x00, 0x00), shortAt(0, 0x90, 0x45, 0x64)));
}

TEST_F(MidiSoundTest, ResultsTellWhetherTheOutputReallyOpenedClosedAndSent) {
    EXPECT_TRUE(sound.OpenMidiDevice());
    EXPECT_TRUE(sound.NotePlay(10));
    EXPECT_TRUE(sound.CloseMidiDevice());
    EXPECT_FALSE(sound.CloseMidiDevice()) << "a second close is harmless but closes nothing";
    EXPECT_FALSE(sound.NotePlay(10)) << "notes after the close reach no output";

    sink.refuseOpen = true;
    EXPECT_FALSE(sound.OpenMidiDevice());
    EXPECT_FALSE(sound.NotePlay(0));
    EXPECT_FALSE(sound.CloseMidiDevice());
}

TEST_F(MidiSoundTest, ARefusedOpenStillTriesTheResetWithoutWaitingAndKeepsTheDefaults) {
    sink.refuseOpen = true;
    sound.setMidiNoteNum(50);
    sound.OpenMidiDevice();
    EXPECT_EQ(clock.nowMs(), 0);
    sink.clear();
    sound.NotePlay(1000);
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC0, 0x00, 0x00), shortAt(0, 0x90, 0x45, 0x64),
                                         shortAt(1000, 0x80, 0x45, 0x64)));
}

TEST_F(MidiSoundTest, TheWaitForTheResetIsBoundedWhenTheOutputNeverAnswers) {
    sink.neverDone = true;
    sound.OpenMidiDevice();
    EXPECT_EQ(clock.nowMs(), MidiSound::gmResetWaitLimitMs);
    EXPECT_GT(clock.waits().size(), 1u) << "the done flag is looked at again between short waits";
}

TEST_F(MidiSoundTest, DestroyingTheSoundClosesAnOpenDevice) {
    {
        MidiSound other{sink, media, clock, random};
        other.OpenMidiDevice();
        sink.clear();
    }
    ASSERT_EQ(sink.log().size(), 1u);
    EXPECT_EQ(sink.log()[0].kind, Kind::close);
}

// --- Notes ---

TEST_F(MidiSoundTest, ANoteIsAProgramChangeANoteOnAndAfterTheHoldANoteOffWithTheSameVelocity) {
    openQuietly();
    EXPECT_TRUE(sound.NotePlay(1000));
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC0, 0x00, 0x00), shortAt(0, 0x90, 0x45, 0x64),
                                         shortAt(1000, 0x80, 0x45, 0x64)));
    EXPECT_EQ(clock.nowMs(), 1000);
}

TEST_F(MidiSoundTest, ANoteWithoutHoldSendsTwoMessagesAndReturnsAtOnce) {
    openQuietly();
    sound.NotePlay(0);
    sound.NotePlay(-5);
    EXPECT_EQ(sink.sent().size(), 4u);
    EXPECT_EQ(clock.nowMs(), 0);
}

TEST_F(MidiSoundTest, TheChannelIsOredIntoEveryStatusByte) {
    openQuietly();
    sound.setMidiCh(3);
    sound.NotePlay(1);
    sound.allOff();
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC3, 0, 0), shortAt(0, 0x93, 0x45, 0x64),
                                         shortAt(1, 0x83, 0x45, 0x64), shortAt(1, 0xB3, 0x7B, 0)));
}

TEST_F(MidiSoundTest, SettersStoreAnyByteUncheckedAndTheNoteCarriesThem) {
    openQuietly();
    sound.setMidiInstrument(200);
    sound.setMidiNoteNum(0);
    sound.setMidiVelocity(127);
    sound.NotePlay(0);
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC0, 200, 0), shortAt(0, 0x90, 0x00, 0x7F)));
}

TEST_F(MidiSoundTest, TheReferenceAPlaysNote69AndLeavesIt) {
    openQuietly();
    sound.setMidiNoteNum(60);
    sound.NoteAPlay(2000);
    sound.NotePlay(0);
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC0, 0, 0), shortAt(0, 0x90, 0x45, 0x64),
                                         shortAt(2000, 0x80, 0x45, 0x64), shortAt(2000, 0xC0, 0, 0),
                                         shortAt(2000, 0x90, 0x45, 0x64)));
}

TEST_F(MidiSoundTest, AChordSendsAProgramChangeBeforeEachNoteAndEndsWithAllNotesOff) {
    openQuietly();
    for (std::uint8_t note : {60, 64, 67}) {
        sound.setMidiNoteNum(note);
        sound.NotePlay(0);
    }
    clock.Sleep(1000);
    sound.allOff();
    EXPECT_THAT(sink.sent(), ElementsAre(shortAt(0, 0xC0, 0, 0), shortAt(0, 0x90, 60, 0x64),
                                         shortAt(0, 0xC0, 0, 0), shortAt(0, 0x90, 64, 0x64),
                                         shortAt(0, 0xC0, 0, 0), shortAt(0, 0x90, 67, 0x64),
                                         shortAt(1000, 0xB0, 0x7B, 0x00)));
}

TEST_F(MidiSoundTest, ASequenceOfNotesLiesOnAnExactGrid) {
    openQuietly();
    for (int i = 0; i < 15; ++i) {
        sound.setMidiNoteNum(static_cast<std::uint8_t>(60 + i));
        sound.NotePlay(1000);
    }
    const auto sent = sink.sent();
    ASSERT_EQ(sent.size(), 45u);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(sent[3 * i + 1].timeMs, 1000 * i) << "note on " << i;
        EXPECT_EQ(sent[3 * i + 2].timeMs, 1000 * (i + 1)) << "note off " << i;
    }
}

// --- The test panel's "送信" ---

TEST_F(MidiSoundTest, TestPanelStartValuesSoundTheA440ForTwoSeconds) {
    MidiTestNote{}.send(sound);
    const auto log = sink.log();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log.front().kind, Kind::open);
    EXPECT_EQ(log[1].bytes, systemOn);
    EXPECT_EQ(log[2], shortAt(0, 0xC0, 0x00, 0x00));
    EXPECT_EQ(log[3], shortAt(0, 0x90, 0x45, 0x64));
    EXPECT_EQ(log[4], shortAt(2000, 0x80, 0x45, 0x64));
    EXPECT_EQ(log.back().kind, Kind::close);
}

TEST_F(MidiSoundTest, TestPanelCountsProgramAndChannelFromOneAndSendsNoteAndVelocityAsShown) {
    MidiTestNote note;
    note.program = 127;
    note.channel = 16;
    note.noteNum = 1;
    note.velocity = 1;
    note.durationSeconds = 5;
    note.send(sound);
    EXPECT_THAT(sink.sent(), ElementsAre(::testing::_, shortAt(0, 0xCF, 126, 0),
                                         shortAt(0, 0x9F, 1, 1), shortAt(5000, 0x8F, 1, 1)));
    EXPECT_EQ(MidiTestNote::programByte(48), 47) << "Timpani";
}

// --- Pieces ---

TEST_F(MidiSoundTest, PlayingAPieceOpensPlaysWaitsFifteenSecondsStopsAndCloses) {
    calendar.seconds = 1000;
    ASSERT_TRUE(sound.playFile(0));
    const std::string path = "./data/risum" + std::to_string(sound.getImageFileNum() + 1) + ".mid";
    EXPECT_THAT(media.log(),
                ElementsAre(RecordingMediaControl::Command{0, "open " + path + " alias music "},
                            RecordingMediaControl::Command{0, "play music"},
                            RecordingMediaControl::Command{15000, "stop music"},
                            RecordingMediaControl::Command{15000, "close music"}));
    EXPECT_THAT(sink.log(), IsEmpty()) << "a piece does not touch the MIDI output";
}

TEST_F(MidiSoundTest, APieceThatCannotBeOpenedFailsAtOnceAndSendsNothingElse) {
    media.failOpens = true;
    EXPECT_FALSE(sound.playFile(1));
    EXPECT_EQ(media.log().size(), 1u);
    EXPECT_EQ(clock.nowMs(), 0);
    EXPECT_FALSE(sound.playFile(7)) << "an unknown mode opens an empty path";
    EXPECT_EQ(media.log().back().text, "open  alias music ");
}

TEST_F(MidiSoundTest, ReplaysKeepThePickAndOneIndexServesBothSets) {
    calendar.seconds = 12345;
    sound.playFile(0);
    const int picked = sound.getImageFileNum();
    sound.playFile(2);
    sound.playFile(3);
    const auto &log = media.log();
    const std::string number = std::to_string(picked + 1);
    EXPECT_EQ(log[4].text, "open ./data/risum" + number + ".mid alias music ");
    EXPECT_EQ(log[8].text, "open ./data/melody" + number + ".mid alias music ");
}

TEST_F(MidiSoundTest, PicksReseedFromTheCalendarSoTheSameSecondGivesTheSamePiece) {
    calendar.seconds = 777;
    const std::string first = sound.getMelodyMidiFile(0);
    random.rand(); // other users of the generator in between change nothing
    EXPECT_EQ(sound.getMelodyMidiFile(0), first);

    std::set<std::string> seen;
    for (calendar.seconds = 0; calendar.seconds < 200; ++calendar.seconds)
        seen.insert(sound.getRisumMidiFile(0));
    EXPECT_EQ(seen.size(), 20u) << "over many seconds every piece comes up";
    EXPECT_TRUE(seen.count("./data/risum20.mid"));
    EXPECT_TRUE(seen.count("./data/risum1.mid"));
}

TEST_F(MidiSoundTest, TheLastIndexMapsToTheTwentiethPieces) {
    for (calendar.seconds = 0; sound.getImageFileNum() != 19; ++calendar.seconds)
        sound.getRisumMidiFile(0);
    EXPECT_EQ(sound.getRisumMidiFile(2), "./data/risum20.mid");
    EXPECT_EQ(sound.getMelodyMidiFile(2), "./data/melody20.mid");
    EXPECT_EQ(sound.getRisumMidiFile(1), "") << "only pick modes 0 and 2 give a path";
}

} // namespace
} // namespace miminomi::testing
