// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace SQLite {
class Database;
}

namespace miminomi {

/// The tables of the history file and the steps that bring a file of any earlier version to the
/// current one. The version is kept in the file's user_version.
class HistorySchema {
public:
    /// The version this program writes.
    static constexpr std::int32_t currentVersion = 2;

    /// The file's version.
    static std::int32_t versionOf(SQLite::Database &db);
    /// Brings a file of an earlier version (0: a new, empty file) up to the current one, all
    /// steps in one transaction; a file at the current version is left as it is. The caller
    /// refuses files newer than the program.
    static void upgrade(SQLite::Database &db);
};

} // namespace miminomi
