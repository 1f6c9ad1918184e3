// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line mode: the levels listed, numbered files written for consecutive seeds, the
// same bytes for the same level and seed, and wrong arguments or folders told in one line.
#include "music/DictationCommand.h"
#include "music/DictationLevel.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace miminomi::testing {

using music::runDictationCommand;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::vector<std::string> &args) {
    std::ostringstream out, err;
    const int status = runDictationCommand(args, out, err);
    return {status, out.str(), err.str()};
}

std::string bytesOf(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(DictationCommand, ListsTheLevelsOneALineByNumber) {
    const Outcome listed = run({"--dictation-levels"});
    EXPECT_EQ(listed.status, 0);
    std::istringstream lines(listed.out);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        EXPECT_EQ(line.rfind(std::to_string(count + 1) + " ", 0), 0u) << line;
    EXPECT_EQ(count, music::dictationLevels().size());
}

TEST(DictationCommand, WritesNumberedItemsOfConsecutiveSeedsTheSameBytesEveryTime) {
    TemporaryFolder folder;
    const std::string first = folder.filePath("a/b"), again = folder.filePath("again"),
                      later = folder.filePath("later"), unseeded = folder.filePath("unseeded");
    EXPECT_EQ(run({"--write-dictation", "6", "3", first, "10"}).status, 0);
    EXPECT_EQ(run({"--write-dictation", "6", "3", again, "10"}).status, 0);
    EXPECT_EQ(run({"--write-dictation", "6", "1", later, "11"}).status, 0);
    EXPECT_EQ(run({"--write-dictation", "6", "1", unseeded}).status, 0);
    const std::vector<std::string> names = {"001.mid",      "001.musicxml", "002.mid",
                                            "002.musicxml", "003.mid",      "003.musicxml"};
    std::vector<std::string> written;
    for (const auto &entry : std::filesystem::directory_iterator(first))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, names);
    for (const std::string &name : names)
        EXPECT_EQ(bytesOf(first + "/" + name), bytesOf(again + "/" + name)) << name;
    EXPECT_EQ(bytesOf(first + "/002.mid"), bytesOf(later + "/001.mid"));
    EXPECT_NE(bytesOf(first + "/001.musicxml"), bytesOf(first + "/002.musicxml"));
    // Without a seed the items begin at seed 1.
    EXPECT_EQ(run({"--write-dictation", "6", "1", later, "1"}).status, 0);
    EXPECT_EQ(bytesOf(unseeded + "/001.musicxml"), bytesOf(later + "/001.musicxml"));
}

TEST(DictationCommand, WrongArgumentsAreStatusTwoAndAFolderThatCannotBeWrittenStatusOne) {
    TemporaryFolder folder;
    const std::string out = folder.filePath("out");
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {},
             {"--help"},
             {"--dictation-levels", "1"},
             {"--write-dictation", "1", "3"},
             {"--write-dictation", "99", "3", out},
             {"--write-dictation", "one", "3", out},
             {"--write-dictation", "1", "0", out},
             {"--write-dictation", "1", "1000", out},
             {"--write-dictation", "1", "3", out, "-1"},
             {"--write-dictation", "1", "2", out, "4294967295"},
             {"--write-dictation", "1", "2", out, "1", "2"},
         }) {
        const Outcome refused = run(args);
        EXPECT_EQ(refused.status, 2) << refused.err;
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    std::ofstream(folder.filePath("file")) << "not a folder";
    const Outcome unwritable = run({"--write-dictation", "2", "1", folder.filePath("file/items")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(std::count(unwritable.err.begin(), unwritable.err.end(), '\n'), 1);
}

} // namespace miminomi::testing
