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
    // 2 → 3: questions answered in the review window; the answer rows carry their question's
    // time and review flag, and what the log of answers needs of them packed in one number
    // (HistorySchema::logItem), so that the whole log is read from one table in its order, four
    // columns a row; the marked exam-format dictation items with their errors. The leaning an
    // item was drawn with is kept as text, "i:-4=250,2=150;f:x--x=200".
    R"sql(
    ALTER TABLE questions ADD COLUMN review INTEGER NOT NULL DEFAULT 0;
    ALTER TABLE answers ADD COLUMN at INTEGER NOT NULL DEFAULT 0;
    ALTER TABLE answers ADD COLUMN review INTEGER NOT NULL DEFAULT 0;
    ALTER TABLE answers ADD COLUMN log_item INTEGER NOT NULL DEFAULT 0;
    UPDATE answers SET at = (SELECT at FROM questions WHERE questions.id = answers.question),
        log_item = (exercise & 15) | ((asked_note & 4095) << 4)
            | (((coalesce(asked_type, -1) + 1) & 255) << 16)
            | (((coalesce(chosen_name, -1) + 1) & 255) << 24)
            | (((coalesce(chosen_octave, -1) + 1) & 255) << 32)
            | (((coalesce(chosen_type, -1) + 1) & 255) << 40)
            | ((coalesce(right + 1, 0) & 3) << 48);
    CREATE TABLE exams (
        id INTEGER PRIMARY KEY,
        run INTEGER NOT NULL REFERENCES runs(id),
        at INTEGER NOT NULL,
        day INTEGER NOT NULL,
        mode INTEGER NOT NULL,
        level INTEGER NOT NULL,
        seed INTEGER NOT NULL,
        leaning TEXT NOT NULL,
        key_fifths INTEGER NOT NULL,
        key_minor INTEGER NOT NULL,
        beats INTEGER NOT NULL,
        beat_type INTEGER NOT NULL,
        bars INTEGER NOT NULL,
        tempo INTEGER NOT NULL,
        schedule INTEGER NOT NULL,
        playings INTEGER NOT NULL,
        score INTEGER NOT NULL,
        bars_right INTEGER NOT NULL
    );
    CREATE INDEX exams_by_day ON exams(day);
    CREATE TABLE exam_errors (
        exam INTEGER NOT NULL REFERENCES exams(id),
        row INTEGER NOT NULL,
        kind INTEGER NOT NULL,
        bar INTEGER NOT NULL,
        beat INTEGER NOT NULL,
        sixteenth INTEGER NOT NULL,
        degree INTEGER,
        alteration INTEGER NOT NULL,
        interval_steps INTEGER,
        interval_semitones INTEGER,
        figure TEXT NOT NULL,
        PRIMARY KEY (exam, row)
    ) WITHOUT ROWID;
    )sql",
};

} // namespace

std::int64_t HistorySchema::logItem(std::int32_t exercise, const StoredAnswer &answer,
                                    bool review) {
    const auto field = [](std::int64_t value, std::int64_t mask, int shift) {
        return (value & mask) << shift;
    };
    const auto orNone = [](const std::optional<std::int32_t> &value) {
        return value.value_or(-1) + 1;
    };
    return field(exercise, 15, 0) | field(answer.askedNote, 4095, 4) |
           field(orNone(answer.askedType), 255, 16) | field(orNone(answer.chosenName), 255, 24) |
           field(orNone(answer.chosenOctave), 255, 32) | field(orNone(answer.chosenType), 255, 40) |
           field(answer.right ? *answer.right + 1 : 0, 3, 48) | field(review, 1, 50);
}

AnswerLogRow HistorySchema::logRow(std::int64_t item) {
    const auto field = [item](int shift, std::int64_t mask) {
        return static_cast<std::int32_t>((item >> shift) & mask);
    };
    AnswerLogRow row;
    row.exercise = static_cast<Exercise>(field(0, 15));
    row.askedNote = field(4, 4095);
    row.askedType = field(16, 255) - 1;
    row.chosenName = field(24, 255) - 1;
    row.chosenOctave = field(32, 255) - 1;
    row.chosenType = field(40, 255) - 1;
    row.right = field(48, 3) == 2;
    row.review = field(50, 1) != 0;
    return row;
}

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
