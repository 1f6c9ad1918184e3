#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <unistd.h>

namespace miminomi::testing {

using Bytes = std::vector<std::uint8_t>;

inline void appendBig(Bytes &out, std::uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

/// A Standard MIDI File with the given track bodies (events without the chunk header).
inline Bytes smf(std::initializer_list<Bytes> tracks, std::uint16_t format = 1,
                 std::uint16_t division = 480) {
    Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    appendBig(out, format, 2);
    appendBig(out, static_cast<std::uint32_t>(tracks.size()), 2);
    appendBig(out, division, 2);
    for (const auto &track : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        appendBig(out, static_cast<std::uint32_t>(track.size()), 4);
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

inline const Bytes endOfTrack{0x00, 0xFF, 0x2F, 0x00};

/// One track at 120 beats a minute (480 ticks a beat, so 1 ms is 0.96 tick) on a piano: each
/// note on for onTicks, then a rest of restTicks. Both must be below 16384 (two-byte deltas).
inline Bytes melodyTrack(std::initializer_list<std::uint8_t> notes, std::uint32_t onTicks,
                         std::uint32_t restTicks) {
    const auto delta = [](Bytes &t, std::uint32_t ticks) {
        if (ticks >= 128)
            t.push_back(static_cast<std::uint8_t>(0x80 | (ticks >> 7)));
        t.push_back(static_cast<std::uint8_t>(ticks & 0x7F));
    };
    Bytes t{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xC0, 0x00};
    for (std::uint8_t note : notes) {
        delta(t, t.size() > 10 ? restTicks : 0); // no rest before the first note
        t.insert(t.end(), {0x90, note, 0x64});
        delta(t, onTicks);
        t.insert(t.end(), {0x80, note, 0x40});
    }
    t.insert(t.end(), endOfTrack.begin(), endOfTrack.end());
    return t;
}

inline void writeFile(const std::filesystem::path &path, const Bytes &bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

/// A fresh empty folder under the system's temporary folder, removed at the end of the test.
struct TempFolder {
    inline static int made = 0;
    std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("miminomi-sound-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace miminomi::testing
