// The embedded synthesiser rendered offline: what the user would hear, checked in the samples.
#include "sound/MidiSound.h"
#include "sound/MidiTestNote.h"
#include "sound/backends/fluid/FluidMediaControl.h"
#include "sound/backends/fluid/FluidMidiOut.h"

#include "sound/backends/SoundSystem.h"
#include "sound/backends/fluid/FluidSynthEngine.h"
#include "tests/sound/SmfBytes.h"
#include "tests/support/FixedCalendarClock.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <span>
#include <sstream>

namespace miminomi::testing {
namespace {

/// The first standard SoundFont present, as the program would pick it.
inline std::string standardSoundFont() {
    for (const auto &candidate : SoundConfig{}.standardSoundFonts)
        if (looksLikeSoundFont(candidate))
            return candidate;
    return {};
}

/// A wait that renders the offline synthesiser for exactly the time waited and keeps the left
/// channel, so a recording's sample index is the virtual time.
class RenderingWait : public Wait {
public:
    explicit RenderingWait(FluidSynthEngine &engine) : engine(engine) {}

    void Sleep(std::uint32_t milliseconds) override {
        totalMs += milliseconds;
        const auto target = static_cast<std::size_t>(totalMs * engine.sampleRate() / 1000);
        const std::size_t at = samples.size();
        samples.resize(target);
        std::vector<float> right(target - at);
        engine.render(std::span(samples).subspan(at), right);
    }

    /// The recording from fromMs to toMs.
    std::span<const float> between(double fromMs, double toMs) const {
        const auto index = [&](double ms) {
            return std::min(samples.size(), static_cast<std::size_t>(ms * 44.1));
        };
        return std::span<const float>(samples).subspan(index(fromMs), index(toMs) - index(fromMs));
    }

    FluidSynthEngine &engine;
    std::int64_t totalMs = 0;
    std::vector<float> samples;
};

/// Amplitude of the component at hz in the samples (at 44.1 kHz), through a Hann window.
inline double toneStrength(std::span<const float> samples, double hz) {
    double re = 0, im = 0;
    const double n = static_cast<double>(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n);
        re += w * samples[i] * std::cos(2 * std::numbers::pi * hz * i / 44100);
        im += w * samples[i] * std::sin(2 * std::numbers::pi * hz * i / 44100);
    }
    return std::hypot(re, im) / n;
}

inline float peak(std::span<const float> samples) {
    float p = 0;
    for (float s : samples)
        p = std::max(p, std::abs(s));
    return p;
}

inline double noteHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

/// The strengths of the first eight harmonics of a note, scaled to unit length: a fingerprint
/// of the instrument's timbre.
inline std::vector<double> timbre(std::span<const float> samples, int note) {
    std::vector<double> h;
    double norm = 0;
    for (int k = 1; k <= 8; ++k) {
        h.push_back(toneStrength(samples, k * noteHz(note)));
        norm += h.back() * h.back();
    }
    for (double &v : h)
        v /= std::sqrt(norm);
    return h;
}

inline double distance(const std::vector<double> &a, const std::vector<double> &b) {
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        d += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(d);
}

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
        silence();
    }

    /// Whatever was left ringing dies away, reverb included.
    static void silence() {
        if (engine->synth() != nullptr)
            fluid_synth_all_sounds_off(engine->synth(), -1);
        RenderingWait(*engine).Sleep(1500);
    }

    static inline std::ostringstream diagnostics;
    static inline std::unique_ptr<FluidSynthEngine> engine;

    FluidMidiOut midiOut{*engine};
    FluidMediaControl media{*engine};
    RenderingWait wait{*engine};
    FixedCalendarClock calendar{42};
    SharedRandom random{calendar};
    MidiSound sound{midiOut, media, wait, random};

    /// The timbre of middle C on the program, from 50 ms after its onset for 370 ms.
    std::vector<double> noteTimbre(std::uint8_t program) {
        silence();
        RenderingWait recorder(*engine);
        MidiSound player(midiOut, media, recorder, random);
        player.OpenMidiDevice();
        player.setMidiInstrument(program);
        player.setMidiNoteNum(60);
        player.NotePlay(600);
        player.CloseMidiDevice();
        return timbre(recorder.between(50, 420), 60);
    }
};

TEST_F(FluidRenderTest, TestPanelStartValuesSoundTheA440AtAComfortableLevel) {
    MidiTestNote{}.send(sound);
    ASSERT_EQ(wait.totalMs, 2000);
    const auto tone = wait.between(100, 1100);
    double loudest = 0, strongest = 0;
    for (double hz = 300; hz <= 600; hz += 0.5) {
        if (const double s = toneStrength(tone, hz); s > strongest) {
            strongest = s;
            loudest = hz;
        }
    }
    EXPECT_NEAR(loudest, 440.0, 4.4);
    const double peakDb = 20 * std::log10(peak(wait.samples));
    EXPECT_GE(peakDb, -12.0);
    EXPECT_LE(peakDb, -6.0);
    EXPECT_TRUE(diagnostics.str().empty()) << diagnostics.str();
}

TEST_F(FluidRenderTest, AFiveNoteChordIsClearlyHeardWithoutClipping) {
    sound.OpenMidiDevice();
    for (std::uint8_t note : {48, 60, 64, 67, 72}) {
        sound.setMidiNoteNum(note);
        sound.NotePlay(0);
    }
    wait.Sleep(1000);
    sound.allOff();
    sound.CloseMidiDevice();
    EXPECT_LT(peak(wait.samples), 1.0f);
    EXPECT_GT(peak(wait.samples), 0.5f);
}

TEST_F(FluidRenderTest, AProgramChangeReallyChangesTheSound) {
    const auto piano = noteTimbre(0);
    EXPECT_LT(distance(piano, noteTimbre(0)), 0.05) << "the same program sounds the same";
    EXPECT_GT(distance(piano, noteTimbre(40)), 0.3) << "violin";
    EXPECT_GT(distance(piano, noteTimbre(56)), 0.3) << "trumpet";
}

TEST_F(FluidRenderTest, TheSystemOnOfEveryOpenResetsAChangedProgram) {
    int font = 0, bank = 0, preset = -1;
    sound.OpenMidiDevice();
    sound.setMidiInstrument(56); // trumpet
    sound.NotePlay(0);
    sound.allOff();
    fluid_synth_get_program(engine->synth(), 0, &font, &bank, &preset);
    ASSERT_EQ(preset, 56);
    sound.CloseMidiDevice();
    sound.OpenMidiDevice();
    fluid_synth_get_program(engine->synth(), 0, &font, &bank, &preset);
    EXPECT_EQ(preset, 0);
    sound.CloseMidiDevice();
}

class FluidPieceTest : public FluidRenderTest {
protected:
    FluidPieceTest() {
        std::filesystem::create_directories(folder.path / "data");
        std::filesystem::current_path(folder.path);
    }
    ~FluidPieceTest() override { std::filesystem::current_path(previous); }

    void writeAllPieces(const Bytes &bytes) {
        for (int i = 1; i <= 20; ++i)
            for (const char *set : {"risum", "melody"})
                writeFile(folder.path / "data" / (set + std::to_string(i) + ".mid"), bytes);
    }

    std::filesystem::path previous = std::filesystem::current_path();
    TempFolder folder;
};

TEST_F(FluidPieceTest, APiecePlaysItsNotesInOrderOnTimeForFifteenSeconds) {
    // C4 E4 G4 C5, each 400 ms with 100 ms rests: onsets at 0, 500, 1000 and 1500 ms.
    const int notes[] = {60, 64, 67, 72};
    writeAllPieces(smf({melodyTrack({60, 64, 67, 72}, 384, 96)}));
    ASSERT_TRUE(sound.playFile(0));
    EXPECT_EQ(wait.totalMs, 15000);
    for (int i = 0; i < 4; ++i) {
        const auto window = wait.between(500.0 * i + 50, 500.0 * i + 350);
        int loudest = 0;
        for (int candidate : notes)
            if (toneStrength(window, noteHz(candidate)) > toneStrength(window, noteHz(loudest)))
                loudest = candidate;
        EXPECT_EQ(loudest, notes[i]) << "note " << i;
    }
    EXPECT_GT(peak(wait.between(0, 30)), 0.01f) << "starts within 30 ms";
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
    EXPECT_EQ(wait.totalMs, 0) << "no wait at all";
    writeAllPieces(smf({melodyTrack({60}, 100, 0)}));
    EXPECT_TRUE(sound.playFile(2)) << "the same media layer still opens a good piece";
}

} // namespace
} // namespace miminomi::testing
