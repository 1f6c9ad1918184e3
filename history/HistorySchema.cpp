// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistorySchema.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>

#include <array>
#include <string>

namespace miminomi {

namespace {

/// Step n brings version n to n + 1. Steps are never changed once released: a new version adds a
/// step.
const std::array<const char *, HistorySchema::currentVersion> steps = {
    // 0 → 1: runs, questions and their answer rows. Days are local calendar days counted from
    // 1970-01-01; times are seconds since the epoch.
    R"sql(
    CREATE TABLE runs (
        id INTEGER PRIMARY KEY,
        started INTEGER NOT NULL
    );
    CREATE TABLE questions (
        id INTEGER PRIMARY KEY,
        run INTEGER NOT NULL REFERENCES runs(id),
        at INTEGER NOT NULL,
        day INTEGER NOT NULL,
        exercise INTEGER NOT NULL,
        piece INTEGER,
        grade INTEGER,
        points_right INTEGER NOT NULL,
        points_wrong INTEGER NOT NULL,
        replays INTEGER NOT NULL,
        answer_seen INTEGER NOT NULL,
        range_preset INTEGER,
        only_white_keys INTEGER NOT NULL,
        note_count INTEGER NOT NULL,
        scale_family INTEGER NOT NULL,
        chord_types INTEGER NOT NULL,
        chord_white_keys INTEGER NOT NULL,
        chord_hint INTEGER NOT NULL,
        reference_a INTEGER NOT NULL
    );
    CREATE INDEX questions_by_day ON questions(exercise, day);
    CREATE TABLE answers (
        question INTEGER NOT NULL REFERENCES questions(id),
        row INTEGER NOT NULL,
        exercise INTEGER NOT NULL,
        day INTEGER NOT NULL,
        asked_note INTEGER NOT NULL,
        asked_type INTEGER,
        chosen_name INTEGER,
        chosen_octave INTEGER,
        chosen_type INTEGER,
        right INTEGER,
        PRIMARY KEY (question, row)
    ) WITHOUT ROWID;
    -- Holds every column the statistics group by, in their order, so that a period's answers
    -- are counted from the index alone, already grouped.
    CREATE INDEX answers_by_day ON answers(exercise, day, asked_note, asked_type, chosen_name,
                                           chosen_octave, chosen_type, right);
    )sql",
    // 1 → 2: a piece marked by the program first keeps the grade it proposed and the number of
    // taps or notes given.
    R"sql(
    ALTER TABLE questions ADD COLUMN proposed_grade INTEGER;
    ALTER TABLE questions ADD COLUMN given_count INTEGER;
    )sql",
};

} // namespace

std::int32_t HistorySchema::versionOf(SQLite::Database &db) {
    return db.execAndGet("PRAGMA user_version").getInt();
}

void HistorySchema::upgrade(SQLite::Database &db) {
    // A file already up to date is only read, so that it opens while another program writes.
    if (versionOf(db) >= currentVersion)
        return;
    // Two programs may open a new file at once: the version is read again inside the write
    // transaction, so only one of them upgrades it.
    SQLite::Transaction transaction(db, SQLite::TransactionBehavior::IMMEDIATE);
    const std::int32_t version = versionOf(db);
    if (version >= currentVersion)
        return;
    for (std::int32_t step = version; step < currentVersion; ++step)
        db.exec(steps[static_cast<std::size_t>(step)]);
    db.exec("PRAGMA user_version = " + std::to_string(currentVersion));
    transaction.commit();
}

} // namespace miminomi
