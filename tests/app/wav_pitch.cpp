// Prints the MIDI note number that sounds loudest in a stretch of a 16-bit PCM WAV file, as a
// learner's ear would name it:  wav_pitch <file.wav> <from-seconds> <to-seconds>
// The file may still be being written: its size fields are not trusted.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint32_t le32(const unsigned char *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | p[3] << 24;
}
std::uint16_t le16(const unsigned char *p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

/// Power of one frequency in the samples (the Goertzel filter).
double powerAt(const std::vector<double> &samples, double frequency, double rate) {
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
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        std::fprintf(stderr, "not a WAV file\n");
        return 1;
    }
    unsigned channels = 0, rate = 0, bits = 0;
    std::size_t at = 12, data = 0;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = le32(&bytes[at + 4]);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && at + 24 <= bytes.size()) {
            channels = le16(&bytes[at + 10]);
            rate = le32(&bytes[at + 12]);
            bits = le16(&bytes[at + 22]);
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            data = at + 8;
            break;
        }
        at += 8 + size + (size & 1);
    }
    if (!data || bits != 16 || channels == 0 || rate == 0) {
        std::fprintf(stderr, "not 16-bit PCM\n");
        return 1;
    }
    const std::size_t frame = 2 * channels;
    const std::size_t frames = (bytes.size() - data) / frame;
    const auto first = static_cast<std::size_t>(std::atof(argv[2]) * rate);
    const auto last = std::min(frames, static_cast<std::size_t>(std::atof(argv[3]) * rate));
    if (first >= last) {
        std::fprintf(stderr, "the file holds %.2f s only\n", double(frames) / rate);
        return 1;
    }
    std::vector<double> samples;
    for (std::size_t f = first; f < last; ++f) {
        double sum = 0;
        for (unsigned c = 0; c < channels; ++c)
            sum += static_cast<std::int16_t>(le16(&bytes[data + f * frame + 2 * c]));
        samples.push_back(sum / channels);
    }
    int best = -1;
    double bestPower = 0;
    for (int note = 21; note <= 108; ++note) {
        const double power = powerAt(samples, 440.0 * std::pow(2.0, (note - 69) / 12.0), rate);
        if (power > bestPower) {
            bestPower = power;
            best = note;
        }
    }
    std::printf("%d\n", best);
    return best < 0;
}
