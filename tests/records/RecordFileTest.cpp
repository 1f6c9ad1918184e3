// The record file: the line a run appends, the single appending write and its failures, and
// reading the file back with the records before a bad line kept.
#include "records/RecordFile.h"
#include "records/RecordList.h"
#include "records/Score.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using miminomi::RecordDate;
using miminomi::RecordFile;
using miminomi::RecordList;
using miminomi::Score;

namespace {

const RecordDate april1(2006, 4, 1);

std::string fileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool exists(const std::string &path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

class RecordFileTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string path = folder.filePath(QStringLiteral("record.txt")).toStdString();
    std::ostringstream diagnostics;
};

// --- Writing ---------------------------------------------------------------------------------

TEST_F(RecordFileTest, RunWithoutTalliesCreatesNoFile) {
    Score score;
    EXPECT_TRUE(RecordFile::SaveCsvFile(score, april1, path, diagnostics));
    EXPECT_FALSE(exists(path));

    // A tally that was counted and then reset leaves nothing either.
    score.addScore(1, true);
    score.clearScore(1);
    EXPECT_TRUE(RecordFile::SaveCsvFile(score, april1, path, diagnostics));
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(RecordFileTest, FiveRightSingleNotesAppendOneLineWithCrLf) {
    Score score;
    for (int i = 0; i < 5; ++i)
        score.addScore(0, true);
    EXPECT_TRUE(RecordFile::SaveCsvFile(score, april1, path, diagnostics));
    EXPECT_EQ(fileText(path), "2006/04/01,5,0,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(RecordFileTest, FieldsFollowTheExercisesRightThenWrong) {
    Score score;
    const int tallies[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
    for (int exercise = 0; exercise < 5; ++exercise)
        for (int right = 0; right < 2; ++right)
            for (int i = 0; i < tallies[exercise][right]; ++i)
                score.addScore(exercise, right == 0);
    // The game's tallies are not part of the line.
    score.addScore(-1, true);
    EXPECT_TRUE(RecordFile::SaveCsvFile(score, april1, path, diagnostics));
    EXPECT_EQ(fileText(path), "2006/04/01,1,2,3,4,5,6,7,8,9,10\r\n");
}

TEST_F(RecordFileTest, LinesAreAppendedAfterTheExistingOnes) {
    writeFile(path, "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n");
    Score score;
    score.addScore(4, false);
    EXPECT_TRUE(RecordFile::SaveCsvFile(score, RecordDate(2006, 4, 2), path, diagnostics));
    EXPECT_EQ(fileText(path), "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n"
                              "2006/04/02,0,0,0,0,0,0,0,0,0,1\r\n");
}

TEST_F(RecordFileTest, LineIsNotJoinedToALastLineWithoutLineEnd) {
    writeFile(path, "2006/03/31,1,0,0,0,0,0,0,0,0,0");
    std::string reason;
    ASSERT_TRUE(RecordFile::appendLine(path, "2006/04/01,2,0,0,0,0,0,0,0,0,0\r\n", reason));
    EXPECT_EQ(fileText(path), "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n"
                              "2006/04/01,2,0,0,0,0,0,0,0,0,0\r\n");
    RecordList list;
    EXPECT_TRUE(RecordFile::read(path, list));
    EXPECT_EQ(list.items().size(), 2u);
}

// --- Failing to write ------------------------------------------------------------------------

TEST_F(RecordFileTest, UnwritableTargetsGiveFalseAndOneLineWithTheReasonAndTheLostLine) {
    Score score;
    score.addScore(2, true);
    // A folder in the file's place, a missing folder, and a full disk.
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    const std::string missingFolder =
        folder.filePath(QStringLiteral("gone/record.txt")).toStdString();
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

TEST_F(RecordFileTest, ReadOnlyFileIsLeftAlone) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not stop the superuser";
    writeFile(path, "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    Score score;
    score.addScore(0, true);
    EXPECT_FALSE(RecordFile::SaveCsvFile(score, april1, path, diagnostics));
    EXPECT_NE(diagnostics.str().find("Permission denied"), std::string::npos);
    EXPECT_EQ(fileText(path), "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(RecordFileTest, LineCutShortByAFullDiskIsTakenBackOut) {
    const std::string before = "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n";
    writeFile(path, before);
    // The file size limit stands in for a disk that fills part way through the line: the write
    // stores only the bytes up to the limit.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = before.size() + 10;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string reason;
    const bool written = RecordFile::appendLine(path, "2006/04/01,2,0,0,0,0,0,0,0,0,0\r\n", reason);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(fileText(path), before);
}

// --- Reading ---------------------------------------------------------------------------------

TEST(RecordFileReading, CountsAreThirtyTwoBitWithBlanksAndPlusSign) {
    const auto record = RecordFile::parseLine("2006/04/01,40000, 2147483647 ,+3,-0,\t0,0,0,0,0,0");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->getNoteCount(), 40000 + 2147483647LL);
    EXPECT_EQ(record->getScaleCount(), 3);
}

TEST(RecordFileReading, MalformedLinesAreRejected) {
    for (const char *line : {
             "",
             "2006/04/01,1,0,0,0,0,0,0,0,0",            // ten fields
             "2006/04/31,1,0,0,0,0,0,0,0,0,0",          // no such day
             "April 1,1,0,0,0,0,0,0,0,0,0",             // not a date
             "2006/04/01,2147483648,0,0,0,0,0,0,0,0,0", // beyond 32 bits
             "2006/04/01,99999999999999999999,0,0,0,0,0,0,0,0,0",
             "2006/04/01,-1,0,0,0,0,0,0,0,0,0", // tallies are never negative
             "2006/04/01,1,0,0,0,,0,0,0,0,0",   // empty count
             "2006/04/01,1,0,0,0,+,0,0,0,0,0",
             "2006/04/01,1,0,0,0,1 2,0,0,0,0,0",
             "2006/04/01,1,0,0,0,0x1,0,0,0,0,0",
             "2006/04/01,1,0,0,0,1.0,0,0,0,0,0",
             "2006/04/01;1;0;0;0;0;0;0;0;0;0",
         }) {
        EXPECT_FALSE(RecordFile::parseLine(line).has_value()) << line;
    }
}

TEST(RecordFileReading, TwelfthAndLaterFieldsAreIgnored) {
    EXPECT_TRUE(RecordFile::parseLine("2006/04/01,1,0,0,0,0,0,0,0,0,0,extra"));
    EXPECT_TRUE(RecordFile::parseLine("2006/04/01,1,0,0,0,0,0,0,0,0,0,,x,"));
}

TEST(RecordFileReading, EmptyFileIsAnEmptyList) {
    RecordList list;
    EXPECT_TRUE(RecordFile::readText("", list));
    EXPECT_TRUE(list.items().empty());
}

TEST(RecordFileReading, LastLineWithoutLineEndStillLoads) {
    RecordList list;
    EXPECT_TRUE(RecordFile::readText("2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n"
                                     "2006/04/02,2,0,0,0,0,0,0,0,0,0",
                                     list));
    ASSERT_EQ(list.items().size(), 2u);
    EXPECT_EQ(list.items()[1].getRecordDate(), "2006/04/02");
}

TEST(RecordFileReading, AnyCommonLineEndSeparatesLines) {
    RecordList list;
    EXPECT_TRUE(RecordFile::readText("\xEF\xBB\xBF"
                                     "2006/04/01,1,0,0,0,0,0,0,0,0,0\n"
                                     "2006/04/02,2,0,0,0,0,0,0,0,0,0\r"
                                     "2006/04/03,3,0,0,0,0,0,0,0,0,0\r\n",
                                     list));
    ASSERT_EQ(list.items().size(), 3u);
    EXPECT_EQ(list.items()[0].getRecordDate(), "2006/04/01");
    EXPECT_EQ(list.items()[2].getNoteCount(), 3);
}

TEST(RecordFileReading, BlankOrBadLineEndsReadingKeepingTheRecordsBefore) {
    const std::string good = "2006/04/01,1,0,0,0,0,0,0,0,0,0\r\n";
    for (const std::string &bad : {std::string("\r\n"), std::string("2006/04/01,x\r\n"),
                                   std::string("2006/04/01,32768,0,0,0,0,0,0,0,-5,0\r\n")}) {
        RecordList list;
        EXPECT_FALSE(RecordFile::readText(good + good + bad + good, list)) << bad;
        EXPECT_EQ(list.items().size(), 2u) << bad;
    }
}

TEST_F(RecordFileTest, WrittenLinesReadBackIncludingCountsAbove32767) {
    Score score;
    for (int i = 0; i < 40000; ++i)
        score.addScore(3, false);
    score.addScore(0, true);
    ASSERT_TRUE(RecordFile::SaveCsvFile(score, april1, path, diagnostics));
    ASSERT_TRUE(RecordFile::SaveCsvFile(score, RecordDate(2006, 4, 2), path, diagnostics));
    RecordList list;
    ASSERT_TRUE(RecordFile::read(path, list));
    ASSERT_EQ(list.items().size(), 2u);
    EXPECT_EQ(list.items()[0].getRisumCount(), 40000);
    EXPECT_EQ(list.items()[0].getRisumRatio(), 0);
    EXPECT_EQ(list.items()[1].getRecordDate(), "2006/04/02");
}

TEST_F(RecordFileTest, MissingOrUnreadableFileFailsToRead) {
    RecordList list;
    EXPECT_FALSE(RecordFile::read(path, list));
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    EXPECT_FALSE(RecordFile::read(path, list));
    EXPECT_TRUE(list.items().empty());
}

} // namespace
