// Bad input handed to the program's parts on purpose: each case here once hung, held far too much
// memory, or kept a gigantic line.
#include "app/ScorePicture.h"
#include "records/RecordFile.h"
#include "records/RecordList.h"
#include "sound/backends/MidiFileMedia.h"
#include "sound/backends/SoundSystem.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace miminomi {
namespace {

namespace fs = std::filesystem;

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("miminomi-bad-input-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const char *name) const { return (folder / name).string(); }

    fs::path folder;
};

const std::string goodLine = "2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n";

TEST_F(BadInputTest, AnOverlongLineEndsReadingTheRecordFileKeepingTheRecordsBefore) {
    // A valid line is short; a line without end is not read on to its end.
    std::ofstream(path("record.txt"), std::ios::binary)
        << goodLine << goodLine << std::string(3 << 20, '1');
    RecordList list;
    EXPECT_FALSE(RecordFile::read(path("record.txt"), list));
    EXPECT_EQ(list.items().size(), 2u);

    RecordList pieces;
    RecordTextReader reader(pieces);
    EXPECT_TRUE(reader.feed(goodLine + std::string(RecordFile::maxLineBytes, '1')));
    EXPECT_FALSE(reader.feed("1")) << "reading stops as soon as the line is too long";
    EXPECT_EQ(pieces.items().size(), 1u);

    // A line of exactly the longest length is still read.
    std::string longest = goodLine.substr(0, goodLine.size() - 2) + ",";
    longest.resize(RecordFile::maxLineBytes, ' ');
    RecordList one;
    EXPECT_TRUE(RecordFile::readText(longest + "\r\n", one));
    EXPECT_EQ(one.items().size(), 1u);
}

/// A 256-colour BMP of the given size whose run-length pixel data is only "end of picture":
/// some 1 KiB on disk, like the score pictures, whatever size it claims.
QByteArray compressedBmp(std::int32_t width, std::int32_t height) {
    QByteArray bmp;
    const auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp.append(char(value >> (8 * i) & 0xFF));
    };
    const std::uint32_t pixelsAt = 14 + 40 + 256 * 4;
    bmp.append("BM");
    put(pixelsAt + 2, 4);
    put(0, 4);
    put(pixelsAt, 4);
    put(40, 4); // the header: size, width, height, planes, bits, compression (RLE8), data size
    put(std::uint32_t(width), 4);
    put(std::uint32_t(height), 4);
    put(1, 2);
    put(8, 2);
    put(1, 4);
    put(2, 4);
    put(2835, 4);
    put(2835, 4);
    put(256, 4);
    put(0, 4);
    bmp.append(QByteArray(256 * 4, '\0'));
    bmp.append(QByteArray("\x00\x01", 2));
    return bmp;
}

TEST_F(BadInputTest, AHugeScorePictureIsRefusedBeforeItsPixelsAreDecoded) {
    for (const auto &[width, height, loads] :
         {std::tuple{550, 160, true}, std::tuple{5000, 5000, false},
          std::tuple{10000, 10000, false}, std::tuple{100000, 1, false}}) {
        QByteArray bytes = compressedBmp(width, height);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(!ScorePicture::load(buffer, "bmp").isNull(), loads) << width << "×" << height;
    }
}

TEST_F(BadInputTest, AScorePictureThatIsTextTruncatedOrANamedPipeGivesNoPictureAtOnce) {
    std::ofstream(path("risum1.bmp")) << "This is not a picture.\n";
    EXPECT_TRUE(ScorePicture::load(QString::fromStdString(path("risum1.bmp"))).isNull());
    // Cut off in its pixels, a run-length picture would decode partly black.
    const auto whole = QString::fromStdString(PROGRAM_DATA "/risum3.bmp");
    ASSERT_FALSE(ScorePicture::load(whole).isNull());
    fs::copy_file(whole.toStdString(), path("risum3.bmp"));
    fs::resize_file(path("risum3.bmp"), 3000);
    EXPECT_TRUE(ScorePicture::load(QString::fromStdString(path("risum3.bmp"))).isNull());
    // Opening a named pipe for reading waits for a writer, which never comes.
    ASSERT_EQ(::mkfifo(path("risum2.bmp").c_str(), 0600), 0);
    EXPECT_TRUE(ScorePicture::load(QString::fromStdString(path("risum2.bmp"))).isNull());
}

TEST_F(BadInputTest, APieceThatIsANamedPipeOrHugeIsRefusedWithoutReadingIt) {
    ASSERT_EQ(::mkfifo(path("risum1.mid").c_str(), 0600), 0);
    EXPECT_FALSE(readFileBytes(path("risum1.mid"), MidiFileMedia::maxFileBytes));
    // 200 MiB of holes: refused by its size, so not a byte is read.
    std::ofstream(path("risum2.mid")).close();
    ASSERT_EQ(::truncate(path("risum2.mid").c_str(), 200 << 20), 0);
    EXPECT_FALSE(readFileBytes(path("risum2.mid"), MidiFileMedia::maxFileBytes));
}

TEST_F(BadInputTest, WithoutASoundCardAReadablePiecePlaysAsSilenceNotAsAMissingFile) {
    SoundConfig config;
    config.audioDriver = "no-such-audio-driver"; // the audio output cannot start, as without a card
    std::ostringstream diagnostics;
    auto system = SoundSystem::create(config, diagnostics);
    MediaControl &media = system->mediaControl();
    EXPECT_EQ(media.sendString("open " PROGRAM_DATA "/risum1.mid alias music "), MediaResult::ok);
    media.sendString("play music");
    media.sendString("stop music");
    EXPECT_EQ(media.sendString("close music"), MediaResult::ok);
    EXPECT_EQ(media.sendString("open " + path("risum1.mid") + " alias music "),
              MediaResult::fileNotFound)
        << "a missing piece is still missing";
}

} // namespace
} // namespace miminomi
