// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/fluid/FluidSynthEngine.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdarg>
#include <vector>

namespace miminomi {

namespace {

std::mutex logMutex;
std::string lastError;

void keepFluidError(int level, const char *message, void *) {
    if (level <= FLUID_ERR && message != nullptr) {
        std::lock_guard lock(logMutex);
        lastError = message;
    }
}

void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

} // namespace

void quietenSoundLibraries() {
    snd_lib_error_set_handler(ignoreAlsaError);
}

/// Keeps FluidSynth's messages away from standard error, holding its last error for an
/// explanation.
void quietenFluidSynth() {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid().fluid_set_log_function(level, keepFluidError, nullptr);
}

std::string lastFluidError() {
    std::lock_guard lock(logMutex);
    return lastError;
}

FluidSynthEngine::FluidSynthEngine(FluidOptions options, std::ostream &diagnostics)
    : options(std::move(options)), diagnostics(diagnostics) {
    quietenSoundLibraries();
    if (this->options.output == FluidOutput::audioDriver && this->options.audioDriver != "file")
        idleStopper = std::jthread([this](std::stop_token stop) { stopWhenIdle(stop); });
}

FluidSynthEngine::~FluidSynthEngine() {
    if (idleStopper.joinable()) {
        idleStopper.request_stop();
        idleStopper.join();
    }
    // The driver renders from the synthesiser, so it goes first; the file driver finishes
    // its recording here.
    driver.reset();
    synthesizer.reset();
    settings.reset();
}

void FluidSynthEngine::giveUp(const std::string &why) {
    gaveUp = true;
    driver.reset();
    diagnostics << "miminomi: no sound: " << why << '\n' << std::flush;
}

bool FluidSynthEngine::makeSynth() {
    std::string why;
    if (FluidApi::load(why) == nullptr) {
        giveUp(why);
        return false;
    }
    quietenFluidSynth();
    settings.reset(fluid().new_fluid_settings());
    if (!settings) {
        giveUp("FluidSynth could not start");
        return false;
    }
    fluid_settings_t *s = settings.get();
    fluid().fluid_settings_setnum(s, "synth.gain", options.gain);
    fluid().fluid_settings_setint(s, "synth.dynamic-sample-loading",
                                  options.dynamicSampleLoading ? 1 : 0);
    fluid().fluid_settings_setstr(s, "player.timing-source",
                                  options.output == FluidOutput::sequenceOnly ? "system"
                                                                              : "sample");
    if (!options.audioDriver.empty() &&
        fluid().fluid_settings_setstr(s, "audio.driver", options.audioDriver.c_str()) != FLUID_OK) {
        giveUp("there is no audio driver called \"" + options.audioDriver + "\"");
        return false;
    }
    for (const auto &[name, value] : options.extraSettings)
        fluid().fluid_settings_setstr(s, name.c_str(), value.c_str());
    if (!options.audioFile.empty())
        fluid().fluid_settings_setstr(s, "audio.file.name", options.audioFile.c_str());

    synthesizer.reset(fluid().new_fluid_synth(s));
    if (!synthesizer) {
        giveUp("FluidSynth could not start");
        return false;
    }
    if (options.output != FluidOutput::sequenceOnly &&
        fluid().fluid_synth_sfload(synthesizer.get(), options.soundFont.c_str(), 1) ==
            FLUID_FAILED) {
        synthesizer.reset();
        giveUp("the SoundFont " + options.soundFont + " could not be loaded");
        return false;
    }
    return true;
}

bool FluidSynthEngine::startOutput() {
    driver.reset(fluid().new_fluid_audio_driver(settings.get(), synthesizer.get()));
    if (driver)
        return true;
    std::string detail = lastFluidError();
    char *name = nullptr;
    fluid().fluid_settings_dupstr(settings.get(), "audio.driver", &name);
    std::string why = "the audio output \"" + std::string(name ? name : "") + "\" could not start";
    fluid().fluid_free(name);
    if (!detail.empty())
        why += " (" + detail + ")";
    giveUp(why);
    return false;
}

bool FluidSynthEngine::acquire() {
    std::lock_guard lock(mutex);
    if (gaveUp)
        return false;
    if (!synthesizer && !makeSynth())
        return false;
    if (options.output == FluidOutput::audioDriver && !driver && !startOutput())
        return false;
    ++holders;
    idleChanged.notify_all();
    return true;
}

void FluidSynthEngine::release() {
    std::lock_guard lock(mutex);
    if (holders > 0)
        --holders;
    idleChanged.notify_all();
}

bool FluidSynthEngine::isOutputRunning() const {
    std::lock_guard lock(mutex);
    return driver != nullptr;
}

void FluidSynthEngine::render(std::span<float> left, std::span<float> right) {
    const std::size_t frames = std::min(left.size(), right.size());
    std::lock_guard lock(mutex);
    if (!synthesizer || options.output != FluidOutput::offline) {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        return;
    }
    fluid().fluid_synth_write_float(synthesizer.get(), static_cast<int>(frames), left.data(), 0, 1,
                                    right.data(), 0, 1);
}

void FluidSynthEngine::stopWhenIdle(std::stop_token stop) {
    using Clock = std::chrono::steady_clock;
    constexpr auto poll = std::chrono::milliseconds(100);
    std::unique_lock lock(mutex);
    std::optional<Clock::time_point> quietSince;
    while (!stop.stop_requested()) {
        if (!driver || holders > 0) {
            quietSince.reset();
            idleChanged.wait(lock, stop, [this] { return driver && holders == 0; });
            continue;
        }
        if (fluid().fluid_synth_get_active_voice_count(synthesizer.get()) > 0) {
            quietSince.reset();
        } else if (!quietSince) {
            quietSince = Clock::now();
        } else if (Clock::now() - *quietSince >= options.idleStop) {
            // Rendering silence forever would cost CPU; the next acquire starts it again.
            driver.reset();
            quietSince.reset();
            continue;
        }
        idleChanged.wait_for(lock, stop, poll, [] { return false; });
    }
}

} // namespace miminomi
