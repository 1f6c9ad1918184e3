// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/SoundSystem.h"

#include "sound/backends/fluid/FluidMediaControl.h"
#include "sound/backends/fluid/FluidMidiOut.h"
#include "sound/backends/fluid/FluidSynthEngine.h"
#include "sound/backends/rtmidi/RtMidiPort.h"
#include "sound/backends/silent/SilentMedia.h"
#include "sound/backends/silent/SilentMidiOut.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace miminomi {

namespace {

std::string environment(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

void say(std::ostream &diagnostics, const std::string &line) {
    diagnostics << "miminomi: " << line << '\n' << std::flush;
}

} // namespace

bool looksLikeSoundFont(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    char head[12] = {};
    if (!file.read(head, sizeof head))
        return false;
    return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "sfbk", 4) == 0;
}

SoundConfig SoundConfig::fromEnvironment() {
    SoundConfig config;
    config.midiPort = environment("MIMINOMI_MIDI_PORT");
    config.soundFont = environment("MIMINOMI_SOUNDFONT");
    config.audioDriver = environment("MIMINOMI_AUDIO_DRIVER");
    config.audioFile = environment("MIMINOMI_AUDIO_FILE");
    return config;
}

std::unique_ptr<SoundSystem> SoundSystem::fromEnvironment() {
    return create(SoundConfig::fromEnvironment(), std::cerr);
}

SoundSystem::~SoundSystem() = default;

void SoundSystem::chooseSilent() {
    chosen = Backend::silent;
    ownOut = std::make_unique<SilentMidiOut>();
    ownMedia = std::make_unique<SilentMedia>();
    out = ownOut.get();
    media = ownMedia.get();
}

std::unique_ptr<SoundSystem> SoundSystem::create(const SoundConfig &config,
                                                 std::ostream &diagnostics) {
    quietenSoundLibraries();
    std::unique_ptr<SoundSystem> system(new SoundSystem);

    std::string portProblem;
    if (!config.midiPort.empty()) {
        system->port = RtMidiPort::find(config.midiPort, portProblem);
        if (system->port) {
            // The port plays the notes; FluidSynth only sequences the pieces, without a
            // SoundFont or an audio output.
            FluidOptions options;
            options.output = FluidOutput::sequenceOnly;
            system->engine = std::make_unique<FluidSynthEngine>(options, diagnostics);
            RtMidiPort *port = system->port.get();
            system->ownMedia = std::make_unique<FluidMediaControl>(
                *system->engine,
                [port](std::span<const std::uint8_t> bytes) { port->forward(bytes); });
            system->out = port;
            system->media = system->ownMedia.get();
            system->chosen = Backend::port;
            return system;
        }
    }

    std::string soundFont;
    std::string soundFontProblem;
    if (!config.soundFont.empty()) {
        if (looksLikeSoundFont(config.soundFont))
            soundFont = config.soundFont;
        else
            soundFontProblem = "MIMINOMI_SOUNDFONT names " + config.soundFont +
                               ", which is not a readable SoundFont";
    }
    for (const auto &candidate : config.standardSoundFonts) {
        if (!soundFont.empty())
            break;
        if (looksLikeSoundFont(candidate))
            soundFont = candidate;
    }

    std::string problem = portProblem;
    if (!soundFontProblem.empty())
        problem += (problem.empty() ? "" : "; ") + soundFontProblem;

    if (soundFont.empty()) {
        say(diagnostics, "no sound: " + (problem.empty() ? "" : problem + "; ") +
                             "no General MIDI SoundFont was found (set MIMINOMI_SOUNDFONT or "
                             "install fluid-soundfont-gm)");
        system->chooseSilent();
        return system;
    }
    if (config.audioDriver == "file" && config.audioFile.empty()) {
        say(diagnostics, "no sound: " + (problem.empty() ? "" : problem + "; ") +
                             "MIMINOMI_AUDIO_DRIVER=file needs MIMINOMI_AUDIO_FILE to name the "
                             "WAV file");
        system->chooseSilent();
        return system;
    }
    if (!problem.empty())
        say(diagnostics, problem + "; using the embedded synthesiser");

    FluidOptions options;
    options.soundFont = soundFont;
    options.audioDriver = config.audioDriver;
    options.audioFile = config.audioFile;
    system->engine = std::make_unique<FluidSynthEngine>(options, diagnostics);
    system->ownOut = std::make_unique<FluidMidiOut>(*system->engine);
    system->ownMedia = std::make_unique<FluidMediaControl>(*system->engine);
    system->out = system->ownOut.get();
    system->media = system->ownMedia.get();
    system->chosen = Backend::embedded;
    return system;
}

} // namespace miminomi
