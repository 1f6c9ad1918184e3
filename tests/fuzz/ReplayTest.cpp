// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every input kept in corpus/<target>/ run through the entry point libFuzzer drives, so that the
// faults the fuzzers found stay fixed; and bad input handed to the program's parts on purpose, each
// case of which once hung, held far too much memory, or kept a gigantic line.
#include "sound/backends/MidiFileMedia.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/TemporaryFolder.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace miminomi::fuzz {

using testing::TemporaryFolder;

TEST(FuzzReplay, EveryCommittedInputPassesItsTarget) {
    for (const auto &[folder, target] :
         {std::pair{"record_file", &recordFile}, std::pair{"standard_midi_file", &standardMidiFile},
          std::pair{"score_picture", &scorePicture}}) {
        int inputs = 0;
        for (const auto &entry :
             std::filesystem::directory_iterator(std::filesystem::path(FUZZ_CORPUS) / folder)) {
            std::ifstream file(entry.path(), std::ios::binary);
            // An exact-size heap copy, as libFuzzer hands it over.
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
            EXPECT_TRUE(target(bytes)) << entry.path();
            ++inputs;
        }
        EXPECT_GT(inputs, 0) << "no inputs in corpus/" << folder;
    }
}

TEST(BadInput, AnOverlongLineEndsReadingTheRecordFileKeepingTheRecordsBefore) {
    const std::string goodLine = "2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n";
    TemporaryFolder folder;
    std::ofstream(folder.filePath("record.txt"), std::ios::binary)
        << goodLine << goodLine << std::string(3 << 20, '1');
    RecordList list;
    EXPECT_FALSE(RecordFile::read(folder.filePath("record.txt"), list));
    EXPECT_EQ(list.items().size(), 2u);

    RecordList pieces;
    RecordTextReader reader(pieces);
    EXPECT_TRUE(reader.feed(goodLine + std::string(RecordFile::maxLineBytes, '1')));
    EXPECT_FALSE(reader.feed("1")) << "reading stops as soon as the line is too long";
    EXPECT_EQ(pieces.items().size(), 1u);
}

TEST(BadInput, APictureOrPieceThatIsHugeTextTruncatedOrANamedPipeIsRefusedAtOnce) {
    // A 256-colour run-length BMP whose pixel data is only "end of picture": some 1 KiB on disk,
    // like the score pictures, whatever size its header claims.
    QFile file(FUZZ_CORPUS "/score_picture/rle8-5000x5000.bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray small = file.readAll();
    for (const auto &[width, height, loads] :
         {std::tuple{550, 160, true}, std::tuple{4000, 4000, false},
          std::tuple{100000, 1, false}}) {
        QByteArray bytes = small;
        qToLittleEndian<qint32>(width, bytes.data() + 18);
        qToLittleEndian<qint32>(height, bytes.data() + 22);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(!ScorePicture::load(buffer, "bmp").isNull(), loads) << width << "×" << height;
    }

    TemporaryFolder folder;
    const auto picture = [&](const char *name) {
        return ScorePicture::load(QString::fromStdString(folder.filePath(name)));
    };
    std::ofstream(folder.filePath("risum1.bmp")) << "This is not a picture.\n";
    EXPECT_TRUE(picture("risum1.bmp").isNull());
    // Cut off in its pixels, a run-length picture would decode partly black.
    ASSERT_FALSE(ScorePicture::load(PROGRAM_DATA "/risum3.bmp").isNull());
    std::filesystem::copy_file(PROGRAM_DATA "/risum3.bmp", folder.filePath("risum3.bmp"));
    std::filesystem::resize_file(folder.filePath("risum3.bmp"), 3000);
    EXPECT_TRUE(picture("risum3.bmp").isNull());
    // Opening a named pipe for reading waits for a writer, which never comes.
    ASSERT_EQ(::mkfifo(folder.filePath("risum2.bmp").c_str(), 0600), 0);
    EXPECT_TRUE(picture("risum2.bmp").isNull());
    ASSERT_EQ(::mkfifo(folder.filePath("risum1.mid").c_str(), 0600), 0);
    EXPECT_FALSE(readFileBytes(folder.filePath("risum1.mid"), MidiFileMedia::maxFileBytes));
    // 200 MiB of holes: refused by its size, so not a byte is read.
    std::ofstream(folder.filePath("risum2.mid")).close();
    std::filesystem::resize_file(folder.filePath("risum2.mid"), 200 << 20);
    EXPECT_FALSE(readFileBytes(folder.filePath("risum2.mid"), MidiFileMedia::maxFileBytes));
}

} // namespace miminomi::fuzz
