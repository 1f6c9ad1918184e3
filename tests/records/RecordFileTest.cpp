// The record file: the line a run appends, the single appending write and its failures, and
// reading the file back with the records before a bad line kept.
#include "records/RecordFile.h"
#include "records/RecordList.h"
#include "records/Score.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

using miminomi::Exercise;
using miminomi::RecordDate;
using miminomi::RecordFile;
using miminomi::RecordList;
using miminomi::Score;

namespace {

const RecordDate april1(2006, 4, 1);
const std::string line1 = "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n";

std::string fileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecordFileTest : public ::testing::Test {
protected:
    miminomi::testing::TemporaryFolder folder;
    std::string path = folder.filePath("record.txt");
    std::ostringstream diagnostics;
    Score score;

    void write(const std::string &text) { std::ofstream(path, std::ios::binary) << text; }
    bool save(const RecordDate &date = april1) {
        return RecordFile::SaveCsvFile(score, date, path, diagnostics);
    }
};

TEST_F(RecordFileTest, RunWithoutTalliesCreatesNoFile) {
    EXPECT_TRUE(save());
    score.addScore(Exercise::scale, true); // a tally counted and then reset leaves nothing either
    score.clearScore(Exercise::scale);
    EXPECT_TRUE(save());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(RecordFileTest, LinesFollowTheExercisesRightThenWrongAndAreAppended) {
    for (int i = 0; i < 5; ++i)
        score.addScore(Exercise::note, true);
    EXPECT_TRUE(save());
    EXPECT_EQ(fileText(path), "2006/04/01,5,0,0,0,0,0,0,0,0,0\r\n");

    write(line1.substr(0, line1.size() - 2)); // a last line without line end is not joined
    for (const Exercise exercise : miminomi::allExercises)
        for (std::size_t i = 0; i < 2 * indexOf(exercise) + 1; ++i)
            score.addScore(exercise, i % 2 == 1);
    EXPECT_TRUE(save(RecordDate(2006, 4, 2)));
    EXPECT_EQ(fileText(path), line1 + "2006/04/02,5,1,1,2,2,3,3,4,4,5\r\n");
}

TEST_F(RecordFileTest, UnwritableTargetsGiveFalseAndOneLineWithTheReasonAndTheLostLine) {
    score.addScore(Exercise::chord, true);
    // A folder in the file's place, a missing folder, and a full disk. (Permissions do not stop
    // the superuser the tests run as, so a read-only file cannot stand in here.)
    std::filesystem::create_directory(path);
    const std::string missingFolder = folder.filePath("gone/x");
    const std::pair<std::string, std::string> targets[] = {
        {path, "Is a directory"},
        {missingFolder, "No such file or directory"},
        {"/dev/full", "No space left on device"},
    };
    for (const auto &[target, reason] : targets) {
        std::ostringstream out;
        EXPECT_FALSE(RecordFile::SaveCsvFile(score, april1, target, out)) << target;
        EXPECT_EQ(out.str(), "miminomi: the record of this run could not be kept in " + target +
                                 " (" + reason + "): 2006/04/01,0,0,0,0,1,0,0,0,0,0\n");
    }
}

TEST_F(RecordFileTest, LineCutShortByAFullDiskIsTakenBackOut) {
    write(line1);
    // The file size limit stands in for a disk that fills part way through the line.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = line1.size() + 10;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string reason;
    const bool written = RecordFile::appendLine(path, "2006/04/01,2,0,0,0,0,0,0,0,0,0\r\n", reason);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(fileText(path), line1);
}

TEST_F(RecordFileTest, WrittenLinesReadBackIncludingCountsAbove32767) {
    for (int i = 0; i < 40000; ++i)
        score.addScore(Exercise::risum, false);
    ASSERT_TRUE(save());
    ASSERT_TRUE(save(RecordDate(2006, 4, 2)));
    RecordList list;
    ASSERT_TRUE(RecordFile::read(path, list));
    ASSERT_EQ(list.items().size(), 2u);
    EXPECT_EQ(list.items()[0].getRisumCount(), 40000);
    EXPECT_EQ(list.items()[1].getRecordDate(), "2006/04/02");

    std::filesystem::remove(path);
    EXPECT_FALSE(RecordFile::read(path, list)) << "a missing file";
    std::filesystem::create_directory(path);
    EXPECT_FALSE(RecordFile::read(path, list)) << "a folder";
    EXPECT_EQ(list.items().size(), 2u);
}

TEST(RecordFileReading, ParsesThirtyTwoBitCountsAndIgnoresFieldsAfterTheEleventh) {
    const auto record =
        RecordFile::parseLine("2006/04/01,40000, 2147483647 ,+3,-0,\t0,0,0,0,0,0,extra,,x");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->getNoteCount(), 40000 + 2147483647LL);
    EXPECT_EQ(record->getScaleCount(), 3);
    for (const char *line : {
             "",
             "2006/04/01,1,0,0,0,0,0,0,0,0",            // ten fields
             "2006/04/31,1,0,0,0,0,0,0,0,0,0",          // no such day
             "2006/04/01,2147483648,0,0,0,0,0,0,0,0,0", // beyond 32 bits
             "2006/04/01,-1,0,0,0,0,0,0,0,0,0",         // tallies are never negative
             "2006/04/01,1,0,0,0,,0,0,0,0,0",           // empty count
             "2006/04/01,1,0,0,0,+,0,0,0,0,0",
             "2006/04/01,1,0,0,0,1 2,0,0,0,0,0",
             "2006/04/01,1,0,0,0,0x1,0,0,0,0,0",
             "2006/04/01,1,0,0,0,1.0,0,0,0,0,0",
             "2006/04/01;1;0;0;0;0;0;0;0;0;0",
         })
        EXPECT_FALSE(RecordFile::parseLine(line).has_value()) << line;
}

TEST(RecordFileReading, ReadsEveryLineUpToTheFirstBlankOrBadOne) {
    const std::string good = "2006/04/01,1,0,0,0,0,0,0,0,0,0";
    struct Case {
        std::string text;
        bool whole;
        std::size_t records;
    };
    for (const auto &[text, whole, records] : {
             Case{"", true, 0},
             Case{good + "\r\n" + good, true, 2}, // the last line needs no line end
             Case{"\xEF\xBB\xBF" + good + "\n" + good + "\r" + good + "\r\n", true, 3},
             Case{good + "\r\n" + good + "\r\n\r\n" + good + "\r\n", false, 2},
             Case{good + "\r\n" + good + "\r\n2006/04/01,x\r\n" + good, false, 2},
         }) {
        RecordList list;
        EXPECT_EQ(RecordFile::readText(text, list), whole) << text;
        EXPECT_EQ(list.items().size(), records) << text;
    }
}

} // namespace
