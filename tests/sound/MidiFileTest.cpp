// The check that a file is a readable Standard MIDI File, and the media commands over it.
#include "sound/backends/StandardMidiFile.h"
#include "sound/backends/silent/SilentMedia.h"

#include "tests/sound/SmfBytes.h"

#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

const Bytes noteTrack{0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};

/// A good one-track file with one byte changed.
Bytes withByte(std::size_t at, std::uint8_t value) {
    Bytes bytes = smf({noteTrack});
    bytes[at] = value;
    return bytes;
}

TEST(StandardMidiFileCheck, AcceptsEveryFormatRunningStatusSysexMetaAndForeignChunks) {
    const Bytes running{0x00, 0x90, 0x3C, 0x64, 0x10, 0x3E, 0x64, 0x10, 0x3C, 0x00, 0x00, 0xF0,
                        0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00, 0xFF, 0x03, 0x02, 'h',  'i',
                        0x00, 0xC5, 0x30, 0x00, 0xE0, 0x00, 0x40, 0x00, 0xFF, 0x2F, 0x00};
    Bytes foreign = smf({noteTrack}); // unknown chunks are skipped
    foreign.insert(foreign.begin() + 14, {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0xAA, 0xBB});
    Bytes longHeader = withByte(7, 8); // a longer header keeps its extra bytes to itself
    longHeader.insert(longHeader.begin() + 14, {0, 0});
    for (const Bytes &file : {smf({noteTrack}, 0), smf({endOfTrack, noteTrack}, 1),
                              smf({noteTrack, noteTrack}, 2), smf({running}), foreign, longHeader})
        EXPECT_TRUE(isReadableStandardMidiFile(file)) << ::testing::PrintToString(file);
}

TEST(StandardMidiFileCheck, RefusesEveryTruncationOfAGoodFile) {
    const Bytes good = smf({melodyTrack({60, 62}, 240, 240), noteTrack});
    ASSERT_TRUE(isReadableStandardMidiFile(good));
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(isReadableStandardMidiFile(Bytes(good.begin(), good.begin() + size))) << size;
}

TEST(StandardMidiFileCheck, RefusesBadHeadersAndBrokenTracks) {
    const std::string text = "This is not a MIDI file, only some text.";
    for (const Bytes &file : {
             Bytes(text.begin(), text.end()), withByte(0, 'R'), // RIFF, not MThd
             withByte(7, 5),                                    // header too short
             withByte(11, 2),                                   // announces two tracks, holds one
             withByte(21, 0x7F),                                // chunk length beyond the file
             smf({noteTrack}, 3),                               // format 3
             smf({noteTrack}, 1, 0),                            // division 0
             smf({noteTrack}, 1, 0xE728),                       // time-code division
             smf({}),                                           // no tracks
             smf({{0x00, 0x90, 0x3C, 0x64}}),                   // no end of track
             smf({{0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}}), // running status on nothing
             smf({{0x00, 0x90, 0xBC, 0x64, 0x00, 0xFF, 0x2F, 0x00}}),      // data byte with top bit
             smf({{0x00, 0xF8, 0x00, 0xFF, 0x2F, 0x00}}),                  // real-time byte
             smf({{0x00, 0xFF, 0x03, 0x10, 'a', 0x00, 0xFF, 0x2F, 0x00}}), // meta past the end
             smf({{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0xFF, 0x2F, 0x00}}), // 5-byte delta
         })
        EXPECT_FALSE(isReadableStandardMidiFile(file)) << ::testing::PrintToString(file);
}

TEST(MediaOpen, OnlyAReadableFileOpensAndThenOnlyUnderItsAlias) {
    TempFolder folder;
    SilentMedia media;
    const auto open = [&](const std::string &name) {
        return media.sendString("open " + (folder.path / name).string() + " alias music ");
    };
    writeFile(folder.path / "good.mid", smf({noteTrack}));
    writeFile(folder.path / "bad.mid", Bytes{'M', 'T', 'h', 'd', 0, 0});
    EXPECT_EQ(open("missing.mid"), MediaResult::fileNotFound);
    EXPECT_EQ(open("bad.mid"), MediaResult::unreadableFile);
    EXPECT_NE(open(""), MediaResult::ok) << "a folder is no piece";
    EXPECT_EQ(media.sendString("play music"), MediaResult::unknownAlias) << "nothing was opened";

    ASSERT_EQ(open("good.mid"), MediaResult::ok);
    EXPECT_EQ(open("good.mid"), MediaResult::duplicateAlias) << "one piece at a time";
    EXPECT_EQ(media.sendString("play other"), MediaResult::unknownAlias);
    for (const char *command : {"play music", "stop music", "close music"})
        EXPECT_EQ(media.sendString(command), MediaResult::ok) << command;
    EXPECT_EQ(media.sendString("close music"), MediaResult::unknownAlias);
    EXPECT_EQ(open("good.mid"), MediaResult::ok) << "the alias is free again after a close";
    EXPECT_EQ(media.sendString("rewind music"), MediaResult::unknownCommand);
}

} // namespace
} // namespace miminomi::testing
