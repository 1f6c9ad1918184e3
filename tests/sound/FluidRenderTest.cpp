// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded synthesiser rendered offline: what the user would hear, checked in the samples.
#include "sound/MidiSound.h"
#include "sound/MidiTestNote.h"
#include "sound/backends/SoundSystem.h"
#include "sound/backends/fluid/FluidMediaControl.h"
#include "sound/backends/fluid/FluidMidiOut.h"
#include "sound/backends/fluid/FluidSynthEngine.h"
#include "tests/sound/SmfBytes.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/TemporaryFolder.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <sstream>

namespace miminomi::testing {

double noteHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

/// Which of the frequencies sounds strongest in the samples (at 44.1 kHz), through a Hann window.
double strongest(std::span<const float> samples, const std::vector<double> &hz) {
    std::pair<double, double> best{-1, 0}; // strength and frequency
    const double n = static_cast<double>(samples.size()), pi = std::numbers::pi;
    for (double f : hz) {
        std::complex<double> sum;
        for (std::size_t i = 0; i < samples.size(); ++i)
            sum += (0.5 - 0.5 * std::cos(2 * pi * i / n)) * samples[i] *
                   std::polar(1.0, 2 * pi * f * i / 44100);
        best = std::max(best, std::pair(std::abs(sum), f));
    }
    return best.second;
}

float peak(std::span<const float> samples) {
    return std::abs(std::ranges::max(samples, {}, [](float s) { return std::abs(s); }));
}

/// The fixture is the wait: it renders the offline synthesiser for exactly the time waited and
/// records the left channel, so that the recording's sample index is the virtual time.
class FluidRenderTest : public ::testing::Test, public Wait {
protected:
    static void SetUpTestSuite() {
        FluidOptions options;
        options.output = FluidOutput::offline;
        for (const auto &candidate : SoundConfig{}.standardSoundFonts)
            if (options.soundFont.empty() && looksLikeSoundFont(candidate))
                options.soundFont = candidate;
        engine = std::make_unique<FluidSynthEngine>(options, diagnostics);
        engine->acquire();
    }
    static void TearDownTestSuite() { engine.reset(); }

    void SetUp() override {
        ASSERT_NE(engine->synth(), nullptr) << "install fluid-soundfont-gm";
        std::filesystem::current_path(folder.path());
        std::filesystem::create_directory("data");
        fluid_synth_all_sounds_off(engine->synth(), -1); // what was left ringing dies away
        Sleep(1500);
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    void Sleep(std::uint32_t milliseconds) override {
        rendered += milliseconds;
        const std::size_t at = samples.size();
        samples.resize(static_cast<std::size_t>(rendered * 441 / 10));
        std::vector<float> right(samples.size() - at);
        engine->render(std::span(samples).subspan(at), right);
    }

    std::int64_t nowMs() const override { return rendered; }

    /// The recording from fromMs to toMs (at most nowMs()).
    std::span<const float> between(std::int64_t fromMs, std::int64_t toMs) const {
        return std::span(samples).subspan(fromMs * 441 / 10, (toMs - fromMs) * 441 / 10);
    }

    static inline std::ostringstream diagnostics;
    static inline std::unique_ptr<FluidSynthEngine> engine;

    std::int64_t rendered = 0;
    std::vector<float> samples;
    std::filesystem::path previous = std::filesystem::current_path();
    TemporaryFolder folder;
    FluidMidiOut midiOut{*engine};
    FluidMediaControl media{*engine};
    FixedCalendarClock calendar{42};
    SharedRandom random{calendar};
    MidiSound sound{midiOut, media, *this, random};
};

TEST_F(FluidRenderTest, TheTestPanelSoundsTheA440AtAComfortableLevelAndEachOpenResetsTheProgram) {
    const std::int64_t start = nowMs();
    MidiTestNote{}.send(sound);
    EXPECT_EQ(strongest(between(start + 100, start + 1100),
                        {220, noteHz(68), 437, 440, 443, noteHz(70), 880}),
              440);
    // Comfortably loud, far from clipping.
    const double peakDb = 20 * std::log10(peak(between(start, nowMs())));
    EXPECT_GE(peakDb, -12.0);
    EXPECT_LE(peakDb, -6.0);
    EXPECT_TRUE(diagnostics.str().empty()) << diagnostics.str();

    int font = 0, bank = 0, preset = -1;
    fluid_synth_program_change(engine->synth(), 0, 56);
    sound.OpenMidiDevice();
    fluid_synth_get_program(engine->synth(), 0, &font, &bank, &preset);
    EXPECT_EQ(preset, 0) << "the System On of every open";
}

TEST_F(FluidRenderTest, APiecePlaysItsNotesInOrderOnTime) {
    const std::int64_t start = nowMs();
    // C4 E4 G4 C5 on a piano at 120 beats a minute (480 ticks a beat), each on for 384 ticks
    // (400 ms) after a rest of 96: onsets at 0, 500, 1000 and 1500 ms.
    Bytes track{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x00};
    for (std::uint8_t note : {60, 64, 67, 72})
        track.insert(track.end(), {std::uint8_t(note == 60 ? 0 : 96), 0x90, note, 0x64, 0x83, 0x00,
                                   0x80, note, 0x40});
    track.insert(track.end(), endOfTrack.begin(), endOfTrack.end());
    writeFile(sound.getRisumMidiFile(0), smf({track})); // the piece playFile(0) picks this second
    ASSERT_TRUE(sound.playFile(0));
    EXPECT_EQ(nowMs() - start, 15000);
    const std::vector<double> played = {noteHz(60), noteHz(64), noteHz(67), noteHz(72)};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(strongest(between(start + 500 * i + 50, start + 500 * i + 350), played),
                  played[i])
            << "note " << i;
    EXPECT_GT(peak(between(start, start + 30)), 0.01f) << "starts within 30 ms";
    EXPECT_LT(peak(between(start + 4000, nowMs())), 0.001f)
        << "the piece is over and nothing hangs";
}

} // namespace miminomi::testing
