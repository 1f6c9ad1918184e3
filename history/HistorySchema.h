// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/AnswerLog.h"
#include "history/StoredQuestion.h"

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
    static constexpr std::int32_t currentVersion = 3;

    /// The file's version.
    static std::int32_t versionOf(SQLite::Database &db);
    /// Brings a file of an earlier version (0: a new, empty file) up to the current one, all
    /// steps in one transaction; a file at the current version is left as it is. The caller
    /// refuses files newer than the program.
    static void upgrade(SQLite::Database &db);

    /// What the log of answers reads of an answer row, packed in one number: the exercise, the
    /// item asked, what was chosen (each plus one, 0 for nothing), right (2), wrong (1) or not
    /// marked (0), and the review flag. Values beyond a field's bits are cut to them.
    static std::int64_t logItem(std::int32_t exercise, const StoredAnswer &answer, bool review);
    /// The row of a packed log item, without its time, day and question.
    static AnswerLogRow logRow(std::int64_t item);
    /// Whether a packed log item was marked.
    static bool marked(std::int64_t item) { return ((item >> 48) & 3) != 0; }
};

} // namespace miminomi
