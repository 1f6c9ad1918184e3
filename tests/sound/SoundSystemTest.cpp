// Choosing the backend from the environment, and staying calm when sound cannot be had.
#include "sound/backends/SoundSystem.h"

#include "sound/MidiSound.h"
#include "tests/sound/SmfBytes.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/VirtualClock.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace miminomi::testing {
namespace {

using Backend = SoundSystem::Backend;

std::size_t lineCount(const std::ostringstream &out) {
    const std::string text = out.str();
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class SoundSystemTest : public ::testing::Test {
protected:
    std::ostringstream diagnostics;
    VirtualClock clock;
    FixedCalendarClock calendar{43200};
    SharedRandom random{calendar};
    TempFolder folder;

    /// Sets a question's worth of sound going, as the quiz would: it keeps its pace either way.
    void askAQuestion(SoundSystem &system, bool expectSound) {
        MidiSound sound(system.midiOut(), system.mediaControl(), clock, random);
        const std::int64_t start = clock.nowMs();
        EXPECT_EQ(sound.OpenMidiDevice(), expectSound);
        sound.NoteAPlay(2000);
        EXPECT_EQ(sound.NotePlay(1000), expectSound);
        EXPECT_EQ(sound.CloseMidiDevice(), expectSound);
        EXPECT_EQ(clock.nowMs() - start, 3000);
    }
};

TEST_F(SoundSystemTest, EnvironmentVariablesFillTheConfig) {
    const char *names[] = {"MIMINOMI_MIDI_PORT", "MIMINOMI_SOUNDFONT", "MIMINOMI_AUDIO_DRIVER",
                           "MIMINOMI_AUDIO_FILE"};
    for (const char *name : names)
        ::setenv(name, name, 1);
    const auto config = SoundConfig::fromEnvironment();
    for (const char *name : names)
        ::unsetenv(name);
    EXPECT_EQ(config.midiPort + config.soundFont + config.audioDriver + config.audioFile,
              std::string(names[0]) + names[1] + names[2] + names[3]);
}

TEST_F(SoundSystemTest, EachBadEnvironmentFallsBackAndSaysWhyInOneLine) {
    const auto notAFont = folder.path / "font.sf2";
    writeFile(notAFont, Bytes(12, 'x'));
    SoundConfig noFont, badFont, noPort, fileWithoutName;
    noFont.standardSoundFonts = {(folder.path / "none.sf2").string()};
    badFont.soundFont = notAFont.string(); // the standard one is used instead
    noPort.midiPort = "no port is called this";
    fileWithoutName.audioDriver = "file";
    struct Case {
        SoundConfig config;
        Backend backend;
        std::string says;
    };
    for (const auto &[config, backend, says] :
         {Case{noFont, Backend::silent, "SoundFont"},
          Case{badFont, Backend::embedded, "MIMINOMI_SOUNDFONT"},
          Case{noPort, Backend::embedded, "embedded synthesiser"},
          Case{fileWithoutName, Backend::silent, "MIMINOMI_AUDIO_FILE"}}) {
        std::ostringstream out;
        auto system = SoundSystem::create(config, out);
        EXPECT_EQ(system->backend(), backend) << says;
        if (backend == Backend::silent)
            askAQuestion(*system, false);
        EXPECT_EQ(lineCount(out), 1u) << out.str();
        EXPECT_NE(out.str().find(says), std::string::npos) << out.str();
    }
}

TEST_F(SoundSystemTest, AnAudioOutputThatCannotStartLeavesTheProgramSilentWithOneLine) {
    SoundConfig config;
    config.audioDriver = "no-such-audio-driver";
    auto system = SoundSystem::create(config, diagnostics);
    EXPECT_EQ(system->backend(), Backend::embedded);
    EXPECT_TRUE(diagnostics.str().empty()) << "nothing is loaded or started before first use";
    askAQuestion(*system, false);
    askAQuestion(*system, false);
    EXPECT_EQ(lineCount(diagnostics), 1u) << diagnostics.str();
    EXPECT_NE(diagnostics.str().find("no sound"), std::string::npos);
}

} // namespace
} // namespace miminomi::testing
