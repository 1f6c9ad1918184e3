// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the MIDI note number that sounds loudest in a stretch of the WAV file the program records
// (16-bit stereo at 44.1 kHz after a 44-byte header, as FluidSynth's file driver writes it), as a
// learner's ear would name it:  wav_pitch <file.wav> <from-seconds> <to-seconds>
// The file may still be being written: its size fields are not trusted.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

constexpr double rate = 44100;

/// Power of one frequency in the samples (the Goertzel filter).
double powerAt(const std::vector<double> &samples, double frequency) {
    const double coefficient = 2 * std::cos(2 * M_PI * frequency / rate);
    double previous = 0, beforePrevious = 0;
    for (double sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious -
           coefficient * previous * beforePrevious;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <file.wav> <from-seconds> <to-seconds>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    in.seekg(44 + 4 * static_cast<std::streamoff>(std::atof(argv[2]) * rate));
    std::vector<double> samples;
    std::int16_t frame[2];
    while (samples.size() < (std::atof(argv[3]) - std::atof(argv[2])) * rate &&
           in.read(reinterpret_cast<char *>(frame), sizeof frame))
        samples.push_back((frame[0] + frame[1]) / 2.0);
    if (samples.empty()) {
        std::fprintf(stderr, "the file holds nothing from %s s on\n", argv[2]);
        return 1;
    }
    int best = -1;
    double bestPower = 0;
    for (int note = 21; note <= 108; ++note) {
        const double power = powerAt(samples, 440.0 * std::pow(2.0, (note - 69) / 12.0));
        if (power > bestPower) {
            bestPower = power;
            best = note;
        }
    }
    std::printf("%d\n", best);
    return best < 0;
}
