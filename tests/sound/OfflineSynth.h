#pragma once

#include "sound/platform/SoundSystem.h"
#include "sound/platform/Wait.h"
#include "sound/platform/fluid/FluidSynthEngine.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <sstream>
#include <vector>

namespace miminomi::testing {

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
        std::vector<float> right;
        while (samples.size() < target) {
            const std::size_t count = std::min<std::size_t>(4096, target - samples.size());
            const std::size_t at = samples.size();
            samples.resize(at + count);
            right.resize(count);
            engine.render(std::span(samples).subspan(at, count), right);
        }
    }

    std::int64_t elapsedMs() const { return totalMs; }
    /// The recording from fromMs to toMs.
    std::span<const float> between(double fromMs, double toMs) const {
        const auto rate = static_cast<double>(engine.sampleRate());
        const auto first = std::min(samples.size(), static_cast<std::size_t>(fromMs * rate / 1000));
        const auto last = std::min(samples.size(), static_cast<std::size_t>(toMs * rate / 1000));
        return std::span<const float>(samples).subspan(first, last - first);
    }
    const std::vector<float> &recording() const { return samples; }

private:
    FluidSynthEngine &engine;
    std::int64_t totalMs = 0;
    std::vector<float> samples;
};

/// Amplitude of the component at hz in the samples, through a Hann window.
inline double toneStrength(std::span<const float> samples, double hz, double rate = 44100) {
    double re = 0, im = 0;
    const double n = static_cast<double>(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n);
        const double phase = 2 * std::numbers::pi * hz * i / rate;
        re += w * samples[i] * std::cos(phase);
        im += w * samples[i] * std::sin(phase);
    }
    return std::hypot(re, im) / n;
}

/// The strongest frequency between lowHz and highHz, searched in steps of stepHz.
inline double strongestFrequency(std::span<const float> samples, double lowHz, double highHz,
                                 double stepHz = 0.25) {
    double best = lowHz, bestStrength = -1;
    for (double hz = lowHz; hz <= highHz; hz += stepHz) {
        const double s = toneStrength(samples, hz);
        if (s > bestStrength) {
            bestStrength = s;
            best = hz;
        }
    }
    return best;
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

} // namespace miminomi::testing
