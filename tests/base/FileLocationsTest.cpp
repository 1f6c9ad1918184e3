// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the pieces are read from and the learner's files kept, from the working folder, the
// program's folder and the environment.
#include "base/FileLocations.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace miminomi::testing {

namespace fs = std::filesystem;

TEST(FileLocations, AWorkingFolderWithDataKeepsAllThereElseTheInstalledPiecesAndTheUsersFolder) {
    TemporaryFolder root;
    const fs::path prefix = root.path() / "prefix", elsewhere = root.path() / "empty";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/miminomi/data");
    fs::create_directories(elsewhere);
    const std::string bin = (prefix / "bin").string(),
                      pieces = (prefix / "share/miminomi/data/").string();
    const fs::path before = fs::current_path();

    fs::current_path(prefix / "share/miminomi"); // a folder holding data/
    const FileLocations old = FileLocations::find(bin, "/xdg", "/home/learner");
    EXPECT_EQ(old.dataFolder(), "./data/");
    EXPECT_EQ(old.recordPath(), "record.txt");
    EXPECT_EQ(old.historyPath(), "history.sqlite3");

    fs::current_path(elsewhere);
    const FileLocations installed = FileLocations::find(bin, "/xdg", "/home/learner");
    EXPECT_EQ(installed.dataFolder(), pieces);
    EXPECT_EQ(installed.recordPath(), "/xdg/miminomi/record.txt");
    EXPECT_EQ(installed.historyPath(), "/xdg/miminomi/history.sqlite3");
    // A relative or missing XDG_DATA_HOME means ~/.local/share; without a home, the working folder.
    EXPECT_EQ(FileLocations::find(bin, "xdg", "/home/learner").recordPath(),
              "/home/learner/.local/share/miminomi/record.txt");
    EXPECT_EQ(FileLocations::find(bin, nullptr, nullptr).recordPath(), "record.txt");
    // A program that is not installed, started elsewhere, looks for data/ as always.
    EXPECT_EQ(FileLocations::find(elsewhere.string(), nullptr, "/h").dataFolder(), "./data/");
    fs::current_path(before);
}

} // namespace miminomi::testing
