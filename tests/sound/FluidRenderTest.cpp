// The embedded synthesiser rendered offline: what the user would hear, checked in the samples.
#include "sound/MidiSound.h"
#include "sound/MidiTestNote.h"
#include "sound/platform/fluid/FluidMediaControl.h"
#include "sound/platform/fluid/FluidMidiOut.h"

#include "quiz/CalendarClock.h"
#include "quiz/SharedRandom.h"
#include "tests/sound/OfflineSynth.h"
#include "tests/sound/SmfBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace miminomi::testing {
namespace {

class FixedCalendar : public CalendarClock {
public:
    std::int64_t nowSeconds() const override { return 42; }
};

class FluidRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        FluidOptions options;
        options.output = FluidOutput::offline;
        options.soundFont = standardSoundFont();
        engine = std::make_unique<FluidSynthEngine>(options, diagnostics);
    }
    static void TearDownTestSuite() { engine.reset(); }

    void SetUp() override {
        ASSERT_FALSE(standardSoundFont().empty()) << "install fluid-soundfont-gm";
        // Whatever the previous test left ringing dies away before this one listens.
        if (engine->synth() != nullptr)
            fluid_synth_all_sounds_off(engine->synth(), -1);
        RenderingWait(*engine).Sleep(500);
    }

    static inline std::ostringstream diagnostics;
    static inline std::unique_ptr<FluidSynthEngine> engine;

    FluidMidiOut midiOut{*engine};
    FluidMediaControl media{*engine};
    RenderingWait wait{*engine};
    FixedCalendar calendar;
    SharedRandom random{calendar};
    MidiSound sound{midiOut, media, wait, random};

    /// Renders one note of the program from its onset, as the quiz plays it.
    std::vector<float> renderNote(std::uint8_t program, std::uint8_t note, std::int32_t holdMs) {
        fluid_synth_all_sounds_off(engine->synth(), -1);
        RenderingWait(*engine).Sleep(1500); // the reverb of the last note dies away
        RenderingWait recorder(*engine);
        MidiSound player(midiOut, media, recorder, random);
        player.OpenMidiDevice();
        player.setMidiInstrument(program);
        player.setMidiNoteNum(note);
        player.NotePlay(holdMs);
        player.CloseMidiDevice();
        fluid_synth_all_sounds_off(engine->synth(), -1);
        return recorder.recording();
    }

    /// The timbre of middle C on the program, from 50 ms after its onset for 370 ms.
    std::vector<double> noteTimbre(std::uint8_t program) {
        const auto samples = renderNote(program, 60, 600);
        return timbre(std::span<const float>(samples).subspan(2205, 16384), 60);
    }
};

TEST_F(FluidRenderTest, TestPanelStartValuesSoundTheA440AtAComfortableLevel) {
    MidiTestNote{}.send(sound);
    ASSERT_EQ(wait.elapsedMs(), 2000);
    const double hz = strongestFrequency(wait.between(100, 1100), 300, 600);
    EXPECT_NEAR(hz, 440.0, 4.4);
    const double peakDb = 20 * std::log10(peak(wait.recording()));
    EXPECT_GE(peakDb, -12.0);
    EXPECT_LE(peakDb, -6.0);
    EXPECT_TRUE(diagnostics.str().empty()) << diagnostics.str();
}

TEST_F(FluidRenderTest, AFiveNoteChordDoesNotClip) {
    sound.OpenMidiDevice();
    // As the chord exercise plays it: default velocity, all notes at once.
    for (std::uint8_t note : {48, 60, 64, 67, 72}) {
        sound.setMidiNoteNum(note);
        sound.NotePlay(0);
    }
    wait.Sleep(1000);
    sound.allOff();
    sound.CloseMidiDevice();
    const float chordPeak = peak(wait.recording());
    EXPECT_LT(chordPeak, 1.0f);
    EXPECT_GT(chordPeak, 0.5f) << "the chord is clearly heard";
}

TEST_F(FluidRenderTest, AProgramChangeReallyChangesTheSound) {
    const auto piano = noteTimbre(0);
    EXPECT_LT(distance(piano, noteTimbre(0)), 0.05) << "the same program sounds the same";
    EXPECT_GT(distance(piano, noteTimbre(40)), 0.3) << "violin";
    EXPECT_GT(distance(piano, noteTimbre(56)), 0.3) << "trumpet";
}

TEST_F(FluidRenderTest, TheSystemOnResetsAChangedProgramAndItsSoundFollows) {
    MidiOutHandle handle = noMidiOut;
    ASSERT_EQ(midiOut.open(handle), midiOk);
    auto program = [&] {
        int font = 0, bank = 0, preset = 0;
        fluid_synth_get_program(engine->synth(), 0, &font, &bank, &preset);
        return preset;
    };
    midiOut.shortMsg(handle, 0x38C0); // program 56, trumpet
    ASSERT_EQ(program(), 56);

    MidiHeader header;
    header.data = MidiSound::gmSystemOn.data();
    header.bufferLength = header.bytesRecorded = 6;
    midiOut.prepareHeader(handle, header);
    EXPECT_EQ(midiOut.longMsg(handle, header), midiOk);
    EXPECT_NE(header.flags & midiHeaderDone, 0u);
    EXPECT_EQ(program(), 0);

    // A note sent without a program change now sounds like the piano, not the trumpet.
    RenderingWait(*engine).Sleep(1500);
    RenderingWait recorder(*engine);
    midiOut.shortMsg(handle, 0x643C90);
    recorder.Sleep(600);
    midiOut.shortMsg(handle, 0x643C80);
    midiOut.close(handle);
    const auto heard = timbre(recorder.between(50, 420), 60);
    EXPECT_LT(distance(heard, noteTimbre(0)), 0.05);
    EXPECT_GT(distance(heard, noteTimbre(56)), 0.3);
}

class FluidPieceTest : public FluidRenderTest {
protected:
    void SetUp() override {
        FluidRenderTest::SetUp();
        std::filesystem::create_directories(folder.path / "data");
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder.path);
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    void writeAllPieces(const Bytes &bytes) {
        for (int i = 1; i <= 20; ++i) {
            writeFile(folder.path / "data" / ("risum" + std::to_string(i) + ".mid"), bytes);
            writeFile(folder.path / "data" / ("melody" + std::to_string(i) + ".mid"), bytes);
        }
    }

    TempFolder folder;
    std::filesystem::path previous;
};

TEST_F(FluidPieceTest, APiecePlaysItsNotesInOrderOnTimeForFifteenSeconds) {
    // C4 E4 G4 C5, each 400 ms with 100 ms rests: onsets at 0, 500, 1000 and 1500 ms.
    writeAllPieces(smf({melodyTrack({60, 64, 67, 72}, 384, 96)}));
    ASSERT_TRUE(sound.playFile(0));
    EXPECT_EQ(wait.elapsedMs(), 15000);

    const int notes[] = {60, 64, 67, 72};
    for (int i = 0; i < 4; ++i) {
        const auto window = wait.between(500.0 * i + 50, 500.0 * i + 350);
        int loudest = 0;
        for (int candidate : notes)
            if (toneStrength(window, noteHz(candidate)) > toneStrength(window, noteHz(loudest)))
                loudest = candidate;
        EXPECT_EQ(loudest, notes[i]) << "note " << i;
    }
    const auto &r = wait.recording();
    const auto firstSound =
        std::find_if(r.begin(), r.end(), [](float s) { return std::abs(s) > 0.01f; });
    ASSERT_NE(firstSound, r.end());
    EXPECT_LT(std::distance(r.begin(), firstSound), 44100 * 30 / 1000) << "starts within 30 ms";
    EXPECT_LT(peak(wait.between(4000, 15000)), 0.001f) << "the piece is over and nothing hangs";
}

TEST_F(FluidPieceTest, MissingOrCorruptPiecesFailTheOpenAtOnce) {
    EXPECT_FALSE(sound.playFile(0)) << "empty data folder";
    Bytes truncated = smf({melodyTrack({60, 64}, 384, 96)});
    truncated.resize(truncated.size() - 3);
    writeAllPieces(truncated);
    EXPECT_FALSE(sound.playFile(1));
    writeAllPieces(Bytes(100, 0x55));
    EXPECT_FALSE(sound.playFile(3));
    EXPECT_EQ(wait.elapsedMs(), 0) << "no wait at all";
    writeAllPieces(smf({melodyTrack({60}, 100, 0)}));
    EXPECT_TRUE(sound.playFile(2)) << "the same media layer still opens a good piece";
}

TEST_F(FluidPieceTest, APieceLeavesNoProgramBehindForTheNextNote) {
    Bytes track{0x00, 0xC0, 73, 0x00, 0x90, 72, 100, 0x83, 0x60, 0x80, 72, 64};
    track.insert(track.end(), endOfTrack.begin(), endOfTrack.end());
    writeAllPieces(smf({track}));
    ASSERT_TRUE(sound.playFile(0));
    sound.OpenMidiDevice();
    int font = 0, bank = 0, preset = -1;
    fluid_synth_get_program(engine->synth(), 0, &font, &bank, &preset);
    EXPECT_EQ(preset, 0);
    sound.CloseMidiDevice();
}

} // namespace
} // namespace miminomi::testing
