// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/backends/fluid/FluidApi.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace miminomi {

/// How the synthesiser's sound leaves the program.
enum class FluidOutput {
    /// An audio driver renders in real time; it is stopped once idle and silent (the file
    /// driver excepted, which records the whole run).
    audioDriver,
    /// Nothing renders by itself: render() pulls the samples and drives the file player.
    offline,
    /// No sound at all: only the file player runs, on the system clock, to forward its events.
    sequenceOnly,
};

struct FluidOptions {
    FluidOutput output = FluidOutput::audioDriver;
    std::string soundFont;
    /// FluidSynth's audio driver name; empty for its default.
    std::string audioDriver;
    /// The recording for the "file" driver.
    std::string audioFile;
    /// Puts a velocity-100 piano A near -12 dBFS and a velocity-100 five-note chord near -2 dBFS
    /// (FluidSynth's own 0.2 leaves the note at -27 dBFS).
    double gain = 1.2;
    /// Further FluidSynth string settings, such as "audio.alsa.device".
    std::vector<std::pair<std::string, std::string>> extraSettings;
    /// Whether samples are loaded only when a preset is first used (about a quarter of
    /// FluidR3's memory and load time).
    bool dynamicSampleLoading = true;
    /// How long the audio driver keeps running once nothing holds it and no voice sounds.
    std::chrono::milliseconds idleStop{2000};
};

/// The embedded FluidSynth synthesiser, made on first need and kept: the SoundFont is loaded
/// once, the audio output runs while something holds the synthesiser and a little after.
/// When no sound can be had it says why once, in one line, and stays silent.
class FluidSynthEngine {
public:
    FluidSynthEngine(FluidOptions options, std::ostream &diagnostics);
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine &) = delete;
    FluidSynthEngine &operator=(const FluidSynthEngine &) = delete;

    /// Makes the synthesiser ready to sound (loading the SoundFont and starting the audio
    /// output when needed) and holds it; false when no sound can be had.
    bool acquire();
    /// Ends one hold; the audio output stops once nothing holds it and it has fallen silent.
    void release();

    /// The synthesiser, or null before the first successful acquire.
    fluid_synth_t *synth() const { return synthesizer.get(); }
    int sampleRate() const { return 44100; }
    /// Renders the next samples of an offline synthesiser (silence before it exists).
    void render(std::span<float> left, std::span<float> right);
    /// Whether the audio driver is running now.
    bool isOutputRunning() const;

private:
    struct SettingsDeleter {
        void operator()(fluid_settings_t *p) const { fluid().delete_fluid_settings(p); }
    };
    struct SynthDeleter {
        void operator()(fluid_synth_t *p) const { fluid().delete_fluid_synth(p); }
    };
    struct DriverDeleter {
        void operator()(fluid_audio_driver_t *p) const { fluid().delete_fluid_audio_driver(p); }
    };

    bool makeSynth();
    bool startOutput();
    void giveUp(const std::string &why);
    void stopWhenIdle(std::stop_token stop);

    const FluidOptions options;
    std::ostream &diagnostics;

    mutable std::mutex mutex;
    std::condition_variable_any idleChanged;
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synthesizer;
    std::unique_ptr<fluid_audio_driver_t, DriverDeleter> driver;
    int holders = 0;
    bool gaveUp = false;
    std::jthread idleStopper;
};

/// Routes ALSA's own messages away from standard error (FluidSynth's follow when its library is
/// loaded, keeping its last error for an explanation). Safe to call more than once.
void quietenSoundLibraries();
/// Routes FluidSynth's messages away from standard error; only after FluidApi::load succeeded.
void quietenFluidSynth();
/// FluidSynth's last error message since quietenSoundLibraries, or "".
std::string lastFluidError();

} // namespace miminomi
