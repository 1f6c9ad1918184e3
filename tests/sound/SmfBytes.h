// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <vector>

namespace miminomi::testing {

using Bytes = std::vector<std::uint8_t>;

/// A Standard MIDI File with the given track bodies (events without the chunk header).
inline Bytes smf(std::initializer_list<Bytes> tracks, std::uint16_t format = 1,
                 std::uint16_t division = 480) {
    Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    const auto big = [&out](std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    big(format, 2);
    big(static_cast<std::uint32_t>(tracks.size()), 2);
    big(division, 2);
    for (const auto &track : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        big(static_cast<std::uint32_t>(track.size()), 4);
        out.insert(out.end(), track.begin(), track.end());
    }
    return out;
}

inline const Bytes endOfTrack{0x00, 0xFF, 0x2F, 0x00};

inline void writeFile(const std::filesystem::path &path, const Bytes &bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace miminomi::testing
