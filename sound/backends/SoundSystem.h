// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MediaControl.h"
#include "sound/MidiOut.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace miminomi {

class FluidSynthEngine;
class RtMidiPort;

/// Where the program's sound goes, as the environment asks for it.
struct SoundConfig {
    /// Part of the name of an ALSA sequencer port to play on instead of the embedded synthesiser.
    std::string midiPort;
    /// The SoundFont to load; empty for the first of standardSoundFonts that exists.
    std::string soundFont;
    /// FluidSynth's audio driver; empty for the system default.
    std::string audioDriver;
    /// The WAV file the "file" audio driver records the whole run into.
    std::string audioFile;
    std::vector<std::string> standardSoundFonts = {"/usr/share/sounds/sf2/default-GM.sf2",
                                                   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                                   "/usr/share/sounds/sf2/TimGM6mb.sf2"};

    /// Reads MIMINOMI_MIDI_PORT, MIMINOMI_SOUNDFONT, MIMINOMI_AUDIO_DRIVER and
    /// MIMINOMI_AUDIO_FILE.
    static SoundConfig fromEnvironment();
};

/// The MIDI output and the media player of the one backend chosen at start: an ALSA port, the
/// embedded synthesiser, or silence. Choosing loads nothing; the SoundFont is loaded and the
/// audio output started on the first open. Problems are told in one line on the diagnostics
/// stream. Keep it alive longer than the MidiSound that uses it.
class SoundSystem {
public:
    enum class Backend { port, embedded, silent };

    /// The backend the environment asks for, explained on standard error when it falls back.
    static std::unique_ptr<SoundSystem> fromEnvironment();
    static std::unique_ptr<SoundSystem> create(const SoundConfig &config,
                                               std::ostream &diagnostics);
    ~SoundSystem();
    SoundSystem(const SoundSystem &) = delete;
    SoundSystem &operator=(const SoundSystem &) = delete;

    MidiOut &midiOut() { return *out; }
    MediaControl &mediaControl() { return *media; }
    Backend backend() const { return chosen; }

private:
    SoundSystem() = default;
    void chooseSilent();

    Backend chosen = Backend::silent;
    // Declared so that the users of the engine and port go before them.
    std::unique_ptr<RtMidiPort> port;
    std::unique_ptr<FluidSynthEngine> engine;
    std::unique_ptr<MidiOut> ownOut;
    std::unique_ptr<MediaControl> ownMedia;
    MidiOut *out = nullptr;
    MediaControl *media = nullptr;
};

/// Whether the file starts like a SoundFont 2 (a RIFF "sfbk" form); reads twelve bytes.
bool looksLikeSoundFont(const std::string &path);

} // namespace miminomi
