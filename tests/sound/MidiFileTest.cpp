// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The check that a file is a readable Standard MIDI File.
#include "sound/backends/StandardMidiFile.h"

#include "tests/sound/SmfBytes.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

const Bytes noteTrack{0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};

/// Running status, System Exclusive, a meta event, program change, channel pressure, pitch bend.
const Bytes running{0x00, 0x90, 0x3C, 0x64, 0x10, 0x3E, 0x64, 0x10, 0x3C, 0x00, 0x00, 0xF0, 0x05,
                    0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00, 0xFF, 0x03, 0x02, 'h',  'i',  0x00, 0xC5,
                    0x30, 0x00, 0xD5, 0x30, 0x00, 0xE0, 0x00, 0x40, 0x00, 0xFF, 0x2F, 0x00};
const Bytes good = smf({noteTrack, running});

/// A good one-track file with one byte changed.
Bytes withByte(std::size_t at, std::uint8_t value) {
    Bytes bytes = smf({noteTrack});
    bytes[at] = value;
    return bytes;
}

TEST(StandardMidiFileCheck, AcceptsEveryFormatAndEventKindButNoTruncationBadHeaderOrBrokenTrack) {
    Bytes foreign = smf({noteTrack}); // unknown chunks are skipped
    foreign.insert(foreign.begin() + 14, {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0xAA, 0xBB});
    Bytes longHeader = withByte(7, 8); // a longer header keeps its extra bytes to itself
    longHeader.insert(longHeader.begin() + 14, {0, 0});
    for (const Bytes &file :
         {smf({noteTrack}, 0), smf({endOfTrack, noteTrack}, 1), smf({noteTrack, noteTrack}, 2),
          smf({running}), foreign, longHeader, good})
        EXPECT_TRUE(isReadableStandardMidiFile(file)) << ::testing::PrintToString(file);
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(isReadableStandardMidiFile(Bytes(good.begin(), good.begin() + size))) << size;
    for (const Bytes &file : {
             withByte(0, 'R'),                                  // RIFF, not MThd
             withByte(7, 5),                                    // header too short
             withByte(11, 2),                                   // announces two tracks, holds one
             smf({noteTrack}, 3),                               // format 3
             smf({noteTrack}, 1, 0),                            // division 0
             smf({noteTrack}, 1, 0xE728),                       // time-code division
             smf({}),                                           // no tracks
             smf({{0x00, 0x90, 0x3C, 0x64}}),                   // no end of track
             smf({{0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}}), // running status on nothing
             smf({{0x00, 0x90, 0xBC, 0x64, 0x00, 0xFF, 0x2F, 0x00}}),      // data byte with top bit
             smf({{0x00, 0xF8, 0x00, 0xFF, 0x2F, 0x00}}),                  // real-time byte
             smf({{0x00, 0xFF, 0x03, 0x10, 'a', 0x00, 0xFF, 0x2F, 0x00}}), // meta past the end
             smf({{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00}}),      // 5-byte delta
         })
        EXPECT_FALSE(isReadableStandardMidiFile(file)) << ::testing::PrintToString(file);
}

} // namespace miminomi::testing
