// MidiSound's messages and waits, byte for byte, through the recording sink and virtual clock.
// The test panel's bytes are checked through the window in tests/app.
#include "sound/MidiSound.h"

#include "tests/support/FixedCalendarClock.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"

#include <gmock/gmock.h>

#include <set>

namespace miminomi::testing {
namespace {

using ::testing::ElementsAre;
using Kind = RecordingMidiSink::Message::Kind;
using Command = RecordingMediaControl::Command;

const RecordingMidiSink::Message systemOn{Kind::longMsg, 0, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}};

class MidiSoundTest : public ::testing::Test {
protected:
    VirtualClock clock;
    RecordingMidiSink sink{clock};
    RecordingMediaControl media{clock};
    FixedCalendarClock calendar{1'700'000'000};
    SharedRandom random{calendar};
    MidiSound sound{sink, media, clock, random};
};

TEST_F(MidiSoundTest, EveryOpenSendsTheSystemOnAndRestoresTheDefaults) {
    EXPECT_TRUE(sound.OpenMidiDevice());
    sound.setMidiCh(3);
    sound.setMidiInstrument(73);
    sound.setMidiNoteNum(60);
    sound.setMidiVelocity(20);
    EXPECT_TRUE(sound.OpenMidiDevice());
    EXPECT_TRUE(sound.NotePlay(1000));
    EXPECT_EQ(sink.log()[0].kind, Kind::open);
    EXPECT_THAT(sink.sent(),
                ElementsAre(systemOn, systemOn, shortAt(0, 0xC0, 0x00, 0x00),
                            shortAt(0, 0x90, 0x45, 0x64), shortAt(1000, 0x80, 0x45, 0x64)));
}

TEST_F(MidiSoundTest, ResultsTellWhetherTheOutputReallyOpenedClosedAndSent) {
    EXPECT_TRUE(sound.OpenMidiDevice());
    EXPECT_TRUE(sound.CloseMidiDevice());
    EXPECT_FALSE(sound.CloseMidiDevice()) << "a second close closes nothing";
    EXPECT_FALSE(sound.NotePlay(10)) << "notes after the close reach no output";

    sink.refuseOpen = true;
    const std::int64_t before = clock.nowMs();
    EXPECT_FALSE(sound.OpenMidiDevice());
    EXPECT_EQ(clock.nowMs(), before) << "a refused open does not wait for its reset";
    EXPECT_FALSE(sound.NotePlay(0));
    EXPECT_FALSE(sound.CloseMidiDevice());
}

TEST_F(MidiSoundTest, TheWaitForTheResetIsBoundedWhenTheOutputNeverAnswers) {
    sink.neverDone = true;
    sound.OpenMidiDevice();
    EXPECT_EQ(clock.nowMs(), MidiSound::gmResetWaitLimitMs);
    EXPECT_GT(clock.waits().size(), 1u) << "the done flag is looked at again between short waits";
}

TEST_F(MidiSoundTest, DestroyingTheSoundClosesAnOpenDevice) {
    MidiSound{sink, media, clock, random}.OpenMidiDevice();
    EXPECT_EQ(sink.log().back().kind, Kind::close);
}

TEST_F(MidiSoundTest, EveryNoteHasItsProgramChangeAndTheChannelIsOredIntoEveryStatus) {
    sound.OpenMidiDevice();
    sink.clear();
    sound.setMidiNoteNum(60);
    sound.NoteAPlay(2000); // plays note 69, which stays set
    sound.NotePlay(0);
    sound.NotePlay(-5);
    sound.allOff();
    sound.setMidiCh(3);
    sound.setMidiInstrument(200); // setters are unchecked
    sound.setMidiNoteNum(0);
    sound.setMidiVelocity(127);
    sound.NotePlay(1);
    sound.allOff();
    EXPECT_THAT(sink.sent(),
                ElementsAre(shortAt(0, 0xC0, 0, 0), shortAt(0, 0x90, 0x45, 0x64),
                            shortAt(2000, 0x80, 0x45, 0x64), shortAt(2000, 0xC0, 0, 0),
                            shortAt(2000, 0x90, 0x45, 0x64), shortAt(2000, 0xC0, 0, 0),
                            shortAt(2000, 0x90, 0x45, 0x64), shortAt(2000, 0xB0, 0x7B, 0),
                            shortAt(2000, 0xC3, 200, 0), shortAt(2000, 0x93, 0, 0x7F),
                            shortAt(2001, 0x83, 0, 0x7F), shortAt(2001, 0xB3, 0x7B, 0)));
}

TEST_F(MidiSoundTest, APieceOpensPlaysWaitsFifteenSecondsStopsAndClosesWithoutMidi) {
    ASSERT_TRUE(sound.playFile(0));
    const std::string path = "./data/risum" + std::to_string(sound.getImageFileNum() + 1) + ".mid";
    EXPECT_THAT(media.log(),
                ElementsAre(Command{0, "open " + path + " alias music "}, Command{0, "play music"},
                            Command{15000, "stop music"}, Command{15000, "close music"}));
    EXPECT_TRUE(sink.log().empty());
}

TEST_F(MidiSoundTest, APieceThatCannotBeOpenedFailsAtOnce) {
    media.failOpens = true;
    EXPECT_FALSE(sound.playFile(1));
    EXPECT_EQ(media.log().size(), 1u);
    EXPECT_EQ(clock.nowMs(), 0);
    EXPECT_FALSE(sound.playFile(7)) << "an unknown mode opens an empty path";
    EXPECT_EQ(media.log().back().text, "open  alias music ");
}

TEST_F(MidiSoundTest, ReplaysKeepThePickAndOneIndexServesBothSets) {
    sound.playFile(0);
    const std::string number = std::to_string(sound.getImageFileNum() + 1);
    sound.playFile(2);
    sound.playFile(3);
    EXPECT_EQ(media.log()[4].text, "open ./data/risum" + number + ".mid alias music ");
    EXPECT_EQ(media.log()[8].text, "open ./data/melody" + number + ".mid alias music ");
}

TEST_F(MidiSoundTest, PicksReseedFromTheCalendarAndReachEveryPiece) {
    calendar.seconds = 777;
    const std::string first = sound.getMelodyMidiFile(0);
    random.rand(); // other users of the generator in between change nothing
    EXPECT_EQ(sound.getMelodyMidiFile(0), first);
    EXPECT_EQ(sound.getRisumMidiFile(1), "") << "only pick modes 0 and 2 give a path";

    std::set<std::string> seen;
    for (calendar.seconds = 0; calendar.seconds < 200; ++calendar.seconds)
        seen.insert(sound.getRisumMidiFile(0));
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_TRUE(seen.count("./data/risum1.mid") && seen.count("./data/risum20.mid"));
    for (calendar.seconds = 0; sound.getImageFileNum() != 19; ++calendar.seconds)
        sound.getRisumMidiFile(0);
    EXPECT_EQ(sound.getMelodyMidiFile(2), "./data/melody20.mid");
}

} // namespace
} // namespace miminomi::testing
