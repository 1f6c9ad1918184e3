// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Peak levels of the embedded synthesiser at a given gain, rendered offline: a velocity-100
// piano A, and five-note chords at velocity 100 and 127. Used to choose the default gain.
#include "sound/backends/SoundSystem.h"
#include "sound/backends/fluid/FluidSynthEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iostream>
#include <vector>

using namespace miminomi;

namespace {

double peakDb(FluidSynthEngine &engine, std::initializer_list<int> notes, int velocity) {
    fluid_synth_t *synth = engine.synth();
    fluid_synth_system_reset(synth);
    std::vector<float> left(4096), right(4096);
    for (int i = 0; i < 30; ++i) // let the previous sound die away
        engine.render(left, right);
    for (int note : notes)
        fluid_synth_noteon(synth, 0, note, velocity);
    float peak = 0;
    for (int block = 0; block < 44100 * 2 / 4096; ++block) {
        if (block == 11)
            fluid_synth_all_notes_off(synth, 0);
        engine.render(left, right);
        for (int i = 0; i < 4096; ++i)
            peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
    }
    return 20 * std::log10(peak);
}

} // namespace

int main(int argc, char **argv) {
    std::string font;
    for (const auto &candidate : SoundConfig{}.standardSoundFonts)
        if (font.empty() && looksLikeSoundFont(candidate))
            font = candidate;
    // With no gains given, the program's own.
    std::vector<double> gains;
    for (int i = 1; i < argc; ++i)
        gains.push_back(std::atof(argv[i]));
    if (gains.empty())
        gains.push_back(FluidOptions{}.gain);
    for (const double gain : gains) {
        FluidOptions options;
        options.output = FluidOutput::offline;
        options.soundFont = font;
        options.gain = gain;
        FluidSynthEngine engine(options, std::cerr);
        engine.acquire();
        std::printf(
            "gain %.2f: A4 v100 %6.1f dBFS | C4 E4 G4 C5 E5 v100 %6.1f | C3 C4 E4 G4 C5 "
            "v100 %6.1f | same v127 %6.1f\n",
            options.gain, peakDb(engine, {69}, 100), peakDb(engine, {60, 64, 67, 72, 76}, 100),
            peakDb(engine, {48, 60, 64, 67, 72}, 100), peakDb(engine, {48, 60, 64, 67, 72}, 127));
    }
}
