// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The backends: chosen from the environment, calm when sound cannot be had, and the deadlines of
// a real wait.
#include "sound/backends/SoundSystem.h"

#include "sound/MidiSound.h"
#include "base/WaitDeadlines.h"
#include "tests/sound/SmfBytes.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/VirtualClock.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <tuple>

namespace miminomi::testing {

using Backend = SoundSystem::Backend;

TEST(SoundSystem, EachEnvironmentThatCannotSoundAsAskedFallsBackAndSaysWhyInOneLine) {
    TemporaryFolder folder;
    writeFile(folder.path() / "font.sf2", Bytes(12, 'x'));
    writeFile(folder.path() / "good.mid", smf({endOfTrack}));
    writeFile(folder.path() / "bad.mid", Bytes{'M', 'T', 'h', 'd', 0, 0});
    // Two of them as a learner sets them, in the environment.
    ::setenv("MIMINOMI_SOUNDFONT", folder.filePath("font.sf2").c_str(), 1);
    const SoundConfig badFont = SoundConfig::fromEnvironment(); // the standard one is used instead
    ::unsetenv("MIMINOMI_SOUNDFONT");
    ::setenv("MIMINOMI_MIDI_PORT", "no port is called this", 1);
    const SoundConfig noPort = SoundConfig::fromEnvironment();
    ::unsetenv("MIMINOMI_MIDI_PORT");
    SoundConfig noFont, fileWithoutName, noDriver;
    noFont.standardSoundFonts = {folder.filePath("none.sf2")};
    fileWithoutName.audioDriver = "file";
    noDriver.audioDriver = "no-such-audio-driver"; // cannot start, as without a sound card
    for (const auto &[config, backend, says] :
         {std::tuple{noFont, Backend::silent, "SoundFont"},
          std::tuple{badFont, Backend::embedded, "MIMINOMI_SOUNDFONT"},
          std::tuple{noPort, Backend::embedded, "embedded synthesiser"},
          std::tuple{fileWithoutName, Backend::silent, "MIMINOMI_AUDIO_FILE"},
          std::tuple{noDriver, Backend::embedded, "no sound"}}) {
        std::ostringstream out;
        auto system = SoundSystem::create(config, out);
        EXPECT_EQ(system->backend(), backend) << says;
        const bool startsOnUse = config.audioDriver == noDriver.audioDriver;
        EXPECT_EQ(out.str().empty(), startsOnUse) << "nothing is loaded or started before use";
        if (backend == Backend::silent || startsOnUse) {
            // Nothing sounds, and nothing hangs.
            VirtualClock clock;
            FixedCalendarClock calendar{43200};
            SharedRandom random{calendar};
            MidiSound sound(system->midiOut(), system->mediaControl(), clock, random);
            EXPECT_FALSE(sound.OpenMidiDevice());
            EXPECT_FALSE(sound.NoteAPlay(2000));
            // Only a readable file opens, as silence, and then only under its alias.
            MediaControl &media = system->mediaControl();
            const auto open = [&](const char *name) {
                return media.sendString("open " + folder.filePath(name) + " alias music ");
            };
            EXPECT_EQ(open("missing.mid"), MediaResult::fileNotFound);
            EXPECT_EQ(open("bad.mid"), MediaResult::unreadableFile);
            EXPECT_NE(open(""), MediaResult::ok) << "a folder is no piece";
            EXPECT_EQ(media.sendString("stop music"), MediaResult::unknownAlias);
            ASSERT_EQ(open("good.mid"), MediaResult::ok);
            EXPECT_EQ(open("good.mid"), MediaResult::duplicateAlias) << "one piece at a time";
            EXPECT_EQ(media.sendString("play other"), MediaResult::unknownAlias);
            media.sendString("play music");
            EXPECT_EQ(media.sendString("close music"), MediaResult::ok);
            EXPECT_EQ(media.sendString("close music"), MediaResult::unknownAlias);
            EXPECT_EQ(open("good.mid"), MediaResult::ok) << "the alias is free again";
            EXPECT_EQ(media.sendString("rewind music"), MediaResult::unknownCommand);
        }
        EXPECT_EQ(std::ranges::count(out.str(), '\n'), 1) << out.str();
        EXPECT_NE(out.str().find(says), std::string::npos) << out.str();
    }
}

TEST(WaitDeadlines, CloseWaitsKeepAGridAWaitAfterAPauseOrBeforeTheLastDeadlineStartsNow) {
    using std::chrono::milliseconds;
    WaitDeadlines deadlines;
    const WaitDeadlines::Clock::time_point start{milliseconds(10'000)};
    auto now = start;
    for (int i = 1; i <= 15; ++i) {
        const auto end = deadlines.next(now, 1000);
        EXPECT_EQ(end, start + milliseconds(1000 * i)) << "wait " << i;
        now = end + std::chrono::microseconds(300); // woke a little late and sent the next note
    }
    const auto later = now + milliseconds(60'000);
    EXPECT_EQ(deadlines.next(later, 1000), later + milliseconds(1000)) << "the user paused";
    const auto early = later + milliseconds(500);
    EXPECT_EQ(deadlines.next(early, 1000), early + milliseconds(1000))
        << "a wait cut short is not stretched";
    EXPECT_EQ(deadlines.next(early + milliseconds(1000), 0), early + milliseconds(1000));
}

} // namespace miminomi::testing
