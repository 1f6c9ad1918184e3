// Choosing the backend from the environment, and staying calm when sound cannot be had.
#include "sound/platform/SoundSystem.h"

#include "quiz/CalendarClock.h"
#include "quiz/SharedRandom.h"
#include "sound/MidiSound.h"
#include "tests/sound/OfflineSynth.h"
#include "tests/sound/SmfBytes.h"
#include "tests/support/VirtualClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace miminomi::testing {
namespace {

class NoonCalendar : public CalendarClock {
public:
    std::int64_t nowSeconds() const override { return 43200; }
};

std::size_t lineCount(const std::ostringstream &out) {
    const std::string text = out.str();
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class SoundSystemTest : public ::testing::Test {
protected:
    std::ostringstream diagnostics;
    VirtualClock clock;
    NoonCalendar calendar;
    SharedRandom random{calendar};
    TempFolder folder;

    /// Sets a question's worth of sound going, as the quiz would, and checks it comes back.
    void askAQuestion(SoundSystem &system, bool expectSound) {
        MidiSound sound(system.midiOut(), system.mediaControl(), clock, random);
        EXPECT_EQ(sound.OpenMidiDevice(), expectSound);
        sound.NoteAPlay(2000);
        for (std::uint8_t note : {60, 64, 67}) {
            sound.setMidiNoteNum(note);
            EXPECT_EQ(sound.NotePlay(1000), expectSound);
        }
        EXPECT_EQ(sound.CloseMidiDevice(), expectSound);
        EXPECT_EQ(clock.nowMs(), 5000) << "the waits are kept, so the quiz keeps its pace";
    }
};

TEST_F(SoundSystemTest, EnvironmentVariablesFillTheConfig) {
    ::setenv("MIMINOMI_MIDI_PORT", "Keyboard", 1);
    ::setenv("MIMINOMI_SOUNDFONT", "/x.sf2", 1);
    ::setenv("MIMINOMI_AUDIO_DRIVER", "file", 1);
    ::setenv("MIMINOMI_AUDIO_FILE", "/tmp/out.wav", 1);
    const auto config = SoundConfig::fromEnvironment();
    for (const char *name : {"MIMINOMI_MIDI_PORT", "MIMINOMI_SOUNDFONT", "MIMINOMI_AUDIO_DRIVER",
                             "MIMINOMI_AUDIO_FILE"})
        ::unsetenv(name);
    EXPECT_EQ(config.midiPort, "Keyboard");
    EXPECT_EQ(config.soundFont, "/x.sf2");
    EXPECT_EQ(config.audioDriver, "file");
    EXPECT_EQ(config.audioFile, "/tmp/out.wav");
    EXPECT_TRUE(SoundConfig::fromEnvironment().midiPort.empty());
}

TEST_F(SoundSystemTest, WithoutASoundFontTheProgramIsSilentButUsableAndSaysWhyOnce) {
    SoundConfig config;
    config.standardSoundFonts = {(folder.path / "none.sf2").string()};
    auto system = SoundSystem::create(config, diagnostics);
    EXPECT_EQ(system->backend(), SoundSystem::Backend::silent);
    askAQuestion(*system, false);
    EXPECT_EQ(lineCount(diagnostics), 1u);
    EXPECT_NE(diagnostics.str().find("SoundFont"), std::string::npos) << diagnostics.str();

    // A piece that exists still opens and takes its fifteen seconds; a missing one fails.
    MidiSound sound(system->midiOut(), system->mediaControl(), clock, random);
    std::filesystem::create_directories(folder.path / "data");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    EXPECT_FALSE(sound.playFile(0));
    for (int i = 1; i <= 20; ++i)
        writeFile(folder.path / "data" / ("risum" + std::to_string(i) + ".mid"),
                  smf({melodyTrack({60}, 100, 0)}));
    EXPECT_TRUE(sound.playFile(0));
    std::filesystem::current_path(previous);
    EXPECT_EQ(clock.nowMs(), 5000 + 15000);
    EXPECT_EQ(lineCount(diagnostics), 1u);
}

TEST_F(SoundSystemTest, AnUnreadableChosenSoundFontFallsBackToTheStandardOneWithOneLine) {
    const auto notAFont = folder.path / "font.sf2";
    writeFile(notAFont, Bytes{'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't', '!', '!'});
    SoundConfig config;
    config.soundFont = notAFont.string();
    auto system = SoundSystem::create(config, diagnostics);
    EXPECT_EQ(system->backend(), SoundSystem::Backend::embedded);
    EXPECT_EQ(lineCount(diagnostics), 1u);
    EXPECT_NE(diagnostics.str().find("MIMINOMI_SOUNDFONT"), std::string::npos);
}

TEST_F(SoundSystemTest, AnAudioOutputThatCannotStartLeavesTheProgramSilentWithOneLine) {
    SoundConfig config;
    config.audioDriver = "no-such-audio-driver";
    auto system = SoundSystem::create(config, diagnostics);
    EXPECT_EQ(system->backend(), SoundSystem::Backend::embedded);
    EXPECT_TRUE(diagnostics.str().empty()) << "nothing is loaded or started before first use";
    askAQuestion(*system, false);
    MidiSound again(system->midiOut(), system->mediaControl(), clock, random);
    EXPECT_FALSE(again.OpenMidiDevice());
    EXPECT_EQ(lineCount(diagnostics), 1u) << diagnostics.str();
    EXPECT_NE(diagnostics.str().find("no sound"), std::string::npos);
}

TEST_F(SoundSystemTest, APortNameThatMatchesNothingFallsBackToTheSynthesiserWithOneLine) {
    SoundConfig config;
    config.midiPort = "no port is called this";
    auto system = SoundSystem::create(config, diagnostics);
    EXPECT_EQ(system->backend(), SoundSystem::Backend::embedded);
    EXPECT_EQ(lineCount(diagnostics), 1u);
    EXPECT_NE(diagnostics.str().find("embedded synthesiser"), std::string::npos)
        << diagnostics.str();
}

TEST_F(SoundSystemTest, TheFileDriverNeedsAFileNameAndOtherwiseStaysSilent) {
    SoundConfig config;
    config.audioDriver = "file";
    auto system = SoundSystem::create(config, diagnostics);
    EXPECT_EQ(system->backend(), SoundSystem::Backend::silent);
    EXPECT_EQ(lineCount(diagnostics), 1u);
    EXPECT_FALSE(std::filesystem::exists("fluidsynth.wav")) << "no file appears unasked";
}

TEST_F(SoundSystemTest, TheFileDriverRecordsTheRunIntoAFinishedWavFile) {
    SoundConfig config;
    config.audioDriver = "file";
    config.audioFile = (folder.path / "run.wav").string();
    {
        auto system = SoundSystem::create(config, diagnostics);
        MidiSound sound(system->midiOut(), system->mediaControl(), clock, random);
        EXPECT_TRUE(sound.OpenMidiDevice());
        sound.NotePlay(0);
        sound.CloseMidiDevice();
    }
    std::ifstream wav(config.audioFile, std::ios::binary);
    char head[12] = {};
    ASSERT_TRUE(wav.read(head, sizeof head));
    EXPECT_EQ(std::string(head, 4), "RIFF");
    EXPECT_EQ(std::string(head + 8, 4), "WAVE");
    EXPECT_TRUE(diagnostics.str().empty()) << diagnostics.str();
}

} // namespace
} // namespace miminomi::testing
