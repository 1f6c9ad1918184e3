// The check that a file is a readable Standard MIDI File, and the media commands over it.
#include "sound/platform/MidiFileMedia.h"
#include "sound/platform/StandardMidiFile.h"
#include "sound/platform/silent/SilentMedia.h"

#include "tests/sound/SmfBytes.h"

#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

bool readable(const Bytes &bytes) {
    return isReadableStandardMidiFile(bytes);
}

const Bytes noteTrack{0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};

// --- Files that must be accepted ---

TEST(StandardMidiFileCheck, AcceptsWellFormedFilesOfEveryFormat) {
    EXPECT_TRUE(readable(smf({noteTrack}, 0)));
    EXPECT_TRUE(readable(smf({endOfTrack, noteTrack}, 1)));
    EXPECT_TRUE(readable(smf({noteTrack, noteTrack}, 2)));
    EXPECT_TRUE(readable(smf({melodyTrack({60, 64, 67}, 480, 0)})));
}

TEST(StandardMidiFileCheck, AcceptsRunningStatusSysexMetaAndForeignChunks) {
    const Bytes running{0x00, 0x90, 0x3C, 0x64, 0x10, 0x3E, 0x64, 0x10, 0x3C, 0x00, 0x00, 0xF0,
                        0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00, 0xFF, 0x03, 0x02, 'h',  'i',
                        0x00, 0xC5, 0x30, 0x00, 0xE0, 0x00, 0x40, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_TRUE(readable(smf({running})));

    Bytes withForeign = smf({noteTrack});
    const Bytes foreign{'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0xAA, 0xBB};
    withForeign.insert(withForeign.begin() + 14, foreign.begin(), foreign.end());
    EXPECT_TRUE(readable(withForeign)) << "unknown chunks are skipped";

    Bytes longHeader = smf({noteTrack});
    longHeader[7] = 8;
    longHeader.insert(longHeader.begin() + 14, {0, 0});
    EXPECT_TRUE(readable(longHeader)) << "a longer header keeps its extra bytes to itself";
}

// --- Files that must be refused ---

TEST(StandardMidiFileCheck, RefusesWhatIsNotAMidiFileAtAll) {
    EXPECT_FALSE(readable({}));
    EXPECT_FALSE(readable({'M', 'T', 'h', 'd'}));
    const std::string text = "This is not a MIDI file, only some text.";
    EXPECT_FALSE(readable(Bytes(text.begin(), text.end())));
    Bytes riff = smf({noteTrack});
    riff[0] = 'R';
    EXPECT_FALSE(readable(riff));
}

TEST(StandardMidiFileCheck, RefusesHeadersThePlayerCannotUse) {
    EXPECT_FALSE(readable(smf({noteTrack}, 3))) << "format 3";
    EXPECT_FALSE(readable(smf({noteTrack}, 1, 0))) << "division 0";
    EXPECT_FALSE(readable(smf({noteTrack}, 1, 0xE728))) << "time-code division";
    Bytes noTracks = smf({});
    EXPECT_FALSE(readable(noTracks));
    Bytes shortHeader = smf({noteTrack});
    shortHeader[7] = 5;
    EXPECT_FALSE(readable(shortHeader));
}

TEST(StandardMidiFileCheck, RefusesEveryTruncationOfAGoodFile) {
    const Bytes good = smf({melodyTrack({60, 62}, 240, 240), noteTrack});
    ASSERT_TRUE(readable(good));
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(readable(Bytes(good.begin(), good.begin() + size))) << "cut at " << size;
}

TEST(StandardMidiFileCheck, RefusesBrokenTracks) {
    EXPECT_FALSE(readable(smf({{0x00, 0x90, 0x3C, 0x64}}))) << "no end of track";
    EXPECT_FALSE(readable(smf({{0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}})))
        << "running status with nothing to run on";
    EXPECT_FALSE(readable(smf({{0x00, 0x90, 0xBC, 0x64, 0x00, 0xFF, 0x2F, 0x00}})))
        << "a data byte with its top bit set";
    EXPECT_FALSE(readable(smf({{0x00, 0xF8, 0x00, 0xFF, 0x2F, 0x00}}))) << "real-time byte";
    EXPECT_FALSE(readable(smf({{0x00, 0xFF, 0x03, 0x10, 'a', 0x00, 0xFF, 0x2F, 0x00}})))
        << "meta event longer than its track";
    EXPECT_FALSE(readable(smf({{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0xFF, 0x2F, 0x00}})))
        << "delta time of five bytes";
    Bytes missingTrack = smf({noteTrack});
    missingTrack[11] = 2;
    EXPECT_FALSE(readable(missingTrack)) << "announces two tracks, holds one";
    Bytes overlong = smf({noteTrack});
    overlong[21] = 0x7F;
    EXPECT_FALSE(readable(overlong)) << "chunk length beyond the file";
}

// --- The media commands ---

TEST(MediaCommandParse, TakesTheCommandsApartWhateverTheBlanks) {
    const auto open = parseMediaCommand("open ./data/risum7.mid alias music ");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->verb, MediaCommand::Verb::open);
    EXPECT_EQ(open->path, "./data/risum7.mid");
    EXPECT_EQ(open->alias, "music");

    const auto quoted = parseMediaCommand("open \"/tmp/a b.mid\" alias x");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->path, "/tmp/a b.mid");

    const auto bare = parseMediaCommand("open piece.mid");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->alias, "piece.mid");

    const auto play = parseMediaCommand("  play   music ");
    ASSERT_TRUE(play);
    EXPECT_EQ(play->verb, MediaCommand::Verb::play);
    EXPECT_EQ(play->alias, "music");

    EXPECT_FALSE(parseMediaCommand(""));
    EXPECT_FALSE(parseMediaCommand("play"));
    EXPECT_FALSE(parseMediaCommand("open  alias music ")) << "an empty path";
    EXPECT_FALSE(parseMediaCommand("pause music"));
}

class MediaOpenTest : public ::testing::Test {
protected:
    TempFolder folder;
    SilentMedia media;
    std::string path(const char *name) { return (folder.path / name).string(); }
    std::uint32_t open(const std::string &file) {
        return media.sendString("open " + file + " alias music ");
    }
};

TEST_F(MediaOpenTest, OnlyAReadableFileOpensAndThenOnlyUnderItsAlias) {
    writeFile(path("good.mid"), smf({noteTrack}));
    writeFile(path("bad.mid"), Bytes{'M', 'T', 'h', 'd', 0, 0});
    EXPECT_EQ(open(path("missing.mid")), mediaFileNotFound);
    EXPECT_EQ(open(path("bad.mid")), mediaUnreadableFile);
    EXPECT_NE(open(folder.path.string()), mediaOk) << "a folder is no piece";
    EXPECT_EQ(media.sendString("play music"), mediaUnknownAlias) << "nothing was opened";

    ASSERT_EQ(open(path("good.mid")), mediaOk);
    EXPECT_EQ(open(path("good.mid")), mediaDuplicateAlias) << "one piece at a time";
    EXPECT_EQ(media.sendString("play other"), mediaUnknownAlias);
    EXPECT_EQ(media.sendString("play music"), mediaOk);
    EXPECT_EQ(media.sendString("stop music"), mediaOk);
    EXPECT_EQ(media.sendString("close music"), mediaOk);
    EXPECT_EQ(media.sendString("close music"), mediaUnknownAlias);
    EXPECT_EQ(open(path("good.mid")), mediaOk) << "the alias is free again after a close";
    EXPECT_EQ(media.sendString("rewind music"), mediaUnknownCommand);
}

} // namespace
} // namespace miminomi::testing
