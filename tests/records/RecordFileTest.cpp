// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFile.h"
#include "records/RecordList.h"
#include "records/Score.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace miminomi {

static std::string fileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct RecordFileTest : ::testing::Test {
    testing::TemporaryFolder folder;
    std::string path = folder.filePath("record.txt");
    Score score;
    std::ostringstream diagnostics;

    bool save(const std::string &target) {
        return RecordFile::SaveCsvFile(score, RecordDate(2006, 4, 1), target, diagnostics).ok();
    }
};

TEST_F(RecordFileTest, AppendsTheTalliesRightThenWrongOnANewLineOrSaysWhyNotLeavingNoPartLine) {
    score.addScore(Exercise::scale, true); // counted and then reset: nothing to keep
    score.clearScore(Exercise::scale);
    EXPECT_TRUE(save(path) && !std::filesystem::exists(path));
    std::ofstream(path, std::ios::binary) << "2006/03/31,1,0,0,0,0,0,0,0,0,0"; // no line end
    for (const Exercise exercise : allExercises)
        for (std::size_t i = 0; i < 2 * indexOf(exercise) + 1; ++i)
            score.addScore(exercise, i % 2 == 1);
    EXPECT_TRUE(save(path) && save(path));
    const std::string text = "2006/03/31,1,0,0,0,0,0,0,0,0,0\r\n2006/04/01,0,1,1,2,2,3,3,4,4,5\r\n"
                             "2006/04/01,0,1,1,2,2,3,3,4,4,5\r\n";
    EXPECT_EQ(fileText(path), text);
    RecordList list;
    EXPECT_TRUE(RecordFile::read(path, list));
    EXPECT_EQ(list.items().size(), 3u);
    EXPECT_FALSE(RecordFile::read(folder.filePath("missing.txt"), list));

    // Permissions do not stop the superuser the tests run as, so no read-only file here; the
    // file size limit stands in for a disk that fills part way through the line.
    // A missing folder is made at the first write, open to its owner only.
    const std::string made = folder.filePath("user/data/miminomi/record.txt");
    EXPECT_TRUE(save(made));
    EXPECT_EQ(std::filesystem::status(folder.filePath("user/data")).permissions(),
              std::filesystem::perms::owner_all);
    const std::string dir = folder.path().string(), gone = path + "/x"; // under a file
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit limited{text.size() + 12, saved.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0); // no output of the test's own until lifted
    const std::array kept{save(dir), save(gone), save("/dev/full"), save(path)};
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(kept, (std::array{false, false, false, false}));
    const auto lost = [](const std::string &target, const std::string &reason) {
        return "miminomi: the record of this run could not be kept in " + target + " (" + reason +
               "): 2006/04/01,0,1,1,2,2,3,3,4,4,5\n";
    };
    EXPECT_EQ(diagnostics.str(),
              lost(dir, "Is a directory") +
                  lost(gone, "cannot make the folder " + path + ": File exists") +
                  lost("/dev/full", "No space left on device") +
                  lost(path, "No space left on device"));
    EXPECT_EQ(fileText(path), text);
}

TEST_F(RecordFileTest, LinesOfProcessesAppendingAtTheSameMomentNeverMix) {
    const auto line = [](int n) { return std::to_string(n) + std::string(n % 40, '.') + "\r\n"; };
    std::multiset<std::string> expected, found;
    for (int n = 0; n < 2000; ++n) {
        expected.insert(line(n));
        if (n % 500 == 0 && ::fork() == 0) { // four children, 500 lines each
            for (const int end = n + 500; n < end; ++n)
                RecordFile::appendLine(path, line(n));
            std::_Exit(0);
        }
    }
    for (int child = 0; child < 4; ++child)
        ::wait(nullptr);
    std::ifstream in(path, std::ios::binary);
    for (std::string text; std::getline(in, text);)
        found.insert(in.eof() ? text : text + '\n');
    EXPECT_TRUE(found == expected) << found.size() << " lines";
}

TEST(RecordFileReading, ReadsEveryLineUpToTheFirstBlankBadOrOverlongOne) {
    // Counts 0 to 2^31 - 1 with blanks and plus signs, "-0" being zero; fields past the eleventh
    // ignored. Lines end in CR LF, LF or CR, the last in none; a leading BOM is skipped.
    const std::string good = "2006/04/01,40000, 2147483647 ,+3,-0,\t0,0,0,0,0,0,extra,,x";
    RecordList list;
    EXPECT_TRUE(RecordFile::readText(
        "\xEF\xBB\xBF" + good + "\r\n" + good + "\n" + good + "\r" + good, list));
    ASSERT_EQ(list.items().size(), 4u);
    EXPECT_EQ(list.items()[3].getNoteCount(), 40000 + 2147483647LL);
    EXPECT_EQ(list.items()[3].getScaleCount(), 3);
    std::vector<std::string> bad{"", "2006/04/01,1,0,0,0,0,0,0,0,0",
                                 "2006/04/31,1,0,0,0,0,0,0,0,0,0",
                                 good + std::string(RecordFile::maxLineBytes, 'x')};
    for (const std::string count : {"", "+", "-3", "1 2", "0x1", "2147483648"})
        bad.push_back("2006/04/01,1,0,0,0," + count + ",0,0,0,0,0");
    for (const std::string &line : bad) {
        RecordList kept;
        EXPECT_FALSE(RecordFile::readText(good + "\r\n" + line + "\r\n" + good, kept));
        EXPECT_EQ(kept.items().size(), 1u) << line.substr(0, 40);
    }
}

} // namespace miminomi
