// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/History.h"

#include "base/CalendarClock.h"
#include "base/FileLocations.h"
#include "history/HistorySchema.h"
#include "records/RecordDate.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace miminomi {

namespace {

/// Questions kept in memory at most while the file is locked.
constexpr std::size_t maxWaiting = 10000;

std::int32_t localDay(std::int64_t seconds) {
    return RecordDate::localDateAt(seconds).dayNumber();
}

template <typename T>
void bindOptional(SQLite::Statement &statement, int index, const std::optional<T> &value) {
    if (value)
        statement.bind(index, static_cast<int>(*value));
    else
        statement.bind(index);
}

int columnOr(const SQLite::Statement &statement, int index, int missing) {
    const SQLite::Column column = statement.getColumn(index);
    return column.isNull() ? missing : column.getInt();
}

const char *describe(History::Problem problem) {
    switch (problem) {
    case History::Problem::unreadable:
        return "is not a history file, is damaged, or cannot be read; it is left as it is";
    case History::Problem::newer:
        return "was written by a newer version of the program; it is left as it is";
    case History::Problem::locked:
        return "is held by another program; answers wait and are kept later";
    case History::Problem::cannotWrite:
        return "cannot be written here";
    case History::Problem::none:
        break;
    }
    return "";
}

} // namespace

History::History(std::string path, const CalendarClock &clock, std::ostream &diagnostics)
    : filePath(std::move(path)), clock(clock), diagnostics(diagnostics) {}

History::~History() {
    close();
}

Result<void, std::size_t> History::close(std::chrono::milliseconds patience) {
    using std::chrono::steady_clock;
    const steady_clock::time_point deadline = steady_clock::now() + patience;
    while (!pending.empty() && !gaveUp()) {
        // SQLite waits for the lock itself; each try waits for what is left of the patience.
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - steady_clock::now());
        if (db)
            db->setBusyTimeout(static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
        if (flush() || steady_clock::now() >= deadline)
            break;
    }
    db.reset();
    // A file given up was said then, with what waited for it.
    const std::size_t lost = gaveUp() ? 0 : pending.size() + overflowed;
    pending.clear();
    overflowed = 0;
    if (lost > 0) {
        const std::string_view answers = lost == 1 ? " answer was" : " answers were";
        diagnostics << "miminomi: " << lost << answers << " not kept in the history of answers "
                    << filePath << ": another program held it until the end of the run"
                    << std::endl;
    }
    if (lost > 0)
        return lost;
    return {};
}

bool History::gaveUp() const {
    return currentProblem != Problem::none && currentProblem != Problem::locked;
}

void History::report(Problem problem, const std::string &detail) {
    currentProblem = problem;
    if (gaveUp())
        db.reset();
    if (std::find(told.begin(), told.end(), problem) != told.end())
        return;
    told.push_back(problem);
    diagnostics << "miminomi: the history of answers " << filePath << ' ' << describe(problem)
                << " (" << detail << "); the quiz goes on and the record file is still written"
                << std::endl;
}

void History::reportFailure(const SQLite::Exception &failure) {
    switch (failure.getErrorCode() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        report(Problem::locked, failure.what());
        break;
    case SQLITE_CANTOPEN:
        // A file that is there but cannot be opened for reading is unreadable; otherwise the file
        // or the journal beside it cannot be made.
        if (std::filesystem::exists(filePath) && !std::ifstream(filePath)) {
            report(Problem::unreadable, failure.what());
            break;
        }
        [[fallthrough]];
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_IOERR:
    case SQLITE_FULL:
        report(Problem::cannotWrite, failure.what());
        break;
    default:
        // Not a database, damaged, or a database of something else.
        report(Problem::unreadable, failure.what());
    }
}

bool History::open() {
    if (db)
        return true;
    if (gaveUp())
        return false;
    if (const auto folder = FileLocations::makeFolderFor(filePath); !folder) {
        report(Problem::cannotWrite, folder.reason());
        return false;
    }
    try {
        auto database = std::make_unique<SQLite::Database>(
            filePath, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, busyMs);
        // Reading the version first fails on a file that is not a database, before anything is
        // written to it.
        if (HistorySchema::versionOf(*database) > HistorySchema::currentVersion) {
            report(Problem::newer,
                   "version " + std::to_string(HistorySchema::versionOf(*database)));
            return false;
        }
        // The write-ahead journal lets another copy of the program read and write meanwhile; a
        // commit reaches the file before the call returns, so a killed program keeps it.
        database->exec("PRAGMA journal_mode = WAL");
        database->exec("PRAGMA synchronous = NORMAL");
        // A marking touches a few pages and the statistics read the index in order: a small page
        // cache does, and keeps the window's memory where it was before the history.
        database->exec("PRAGMA cache_size = -256");
        HistorySchema::upgrade(*database);
        db = std::move(database);
        currentProblem = Problem::none;
        return true;
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return false;
    }
}

void History::storeRun() {
    SQLite::Statement insert(*db, "INSERT INTO runs (started) VALUES (?)");
    insert.bind(1, static_cast<std::int64_t>(clock.nowSeconds()));
    insert.exec();
    run = db->getLastInsertRowid();
}

void History::store(const Pending &entry) {
    const StoredQuestion &question = entry.question;
    const StoredSettings &settings = question.settings;
    const std::int32_t day = localDay(entry.at);
    SQLite::Statement insert(
        *db, "INSERT INTO questions (run, at, day, exercise, piece, grade, points_right, "
             "points_wrong, replays, answer_seen, range_preset, only_white_keys, note_count, "
             "scale_family, chord_types, chord_white_keys, chord_hint, reference_a, "
             "proposed_grade, given_count) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, *run);
    insert.bind(2, static_cast<std::int64_t>(entry.at));
    insert.bind(3, day);
    insert.bind(4, static_cast<int>(question.exercise));
    bindOptional(insert, 5, question.piece);
    bindOptional(insert, 6, question.grade);
    insert.bind(7, question.points.right);
    insert.bind(8, question.points.wrong);
    insert.bind(9, question.replays);
    insert.bind(10, question.answerSeen);
    bindOptional(insert, 11, settings.rangePreset);
    insert.bind(12, settings.onlyWhiteKeys);
    insert.bind(13, settings.noteCount);
    insert.bind(14, settings.scaleFamily);
    insert.bind(15, settings.chordTypes);
    insert.bind(16, settings.chordWhiteKeys);
    insert.bind(17, settings.chordHint);
    insert.bind(18, settings.referenceA);
    bindOptional(insert, 19, question.proposedGrade);
    bindOptional(insert, 20, question.givenCount);
    insert.exec();
    const std::int64_t id = db->getLastInsertRowid();

    SQLite::Statement row(*db, "INSERT INTO answers (question, row, exercise, day, asked_note, "
                               "asked_type, chosen_name, chosen_octave, chosen_type, right) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t k = 0; k < question.answers.size(); ++k) {
        const StoredAnswer &answer = question.answers[k];
        row.bind(1, id);
        row.bind(2, static_cast<int>(k));
        row.bind(3, static_cast<int>(question.exercise));
        row.bind(4, day);
        row.bind(5, answer.askedNote);
        bindOptional(row, 6, answer.askedType);
        bindOptional(row, 7, answer.chosenName);
        bindOptional(row, 8, answer.chosenOctave);
        bindOptional(row, 9, answer.chosenType);
        bindOptional(row, 10, answer.right);
        row.exec();
        row.reset();
    }
}

Result<void, History::Problem> History::add(const StoredQuestion &question) {
    if (gaveUp())
        return currentProblem;
    if (pending.size() < maxWaiting)
        pending.push_back({question, clock.nowSeconds()});
    else
        ++overflowed;
    if (flush())
        return {};
    return currentProblem;
}

bool History::flush() {
    if (!open())
        return false;
    try {
        SQLite::Transaction transaction(*db, SQLite::TransactionBehavior::IMMEDIATE);
        const std::optional<std::int64_t> runBefore = run;
        if (!run)
            storeRun();
        try {
            for (const Pending &entry : pending)
                store(entry);
            transaction.commit();
        } catch (...) {
            run = runBefore; // rolled back with the questions
            throw;
        }
        pending.clear();
        currentProblem = Problem::none;
        return true;
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        if (gaveUp())
            pending.clear();
        return false;
    }
}

Result<Statistics, History::Problem> History::statistics(Exercise exercise, Period period) {
    StatisticsBuilder builder(exercise);
    if (!db && !gaveUp() && !std::filesystem::exists(filePath))
        return builder.finish(keptConfusions); // nothing asked yet; no file made for reading
    if (!open())
        return currentProblem;
    const std::int32_t firstDay = firstDayOf(period, localDay(clock.nowSeconds()));
    try {
        SQLite::Statement questions(
            *db, "SELECT count(*) FROM questions WHERE exercise = ? AND day >= ?");
        questions.bind(1, static_cast<int>(exercise));
        questions.bind(2, firstDay);
        if (questions.executeStep())
            builder.addQuestions(questions.getColumn(0).getInt64());

        // The first row of each question counts the questions whose answer was looked at, from
        // the index alone.
        SQLite::Statement answers(
            *db, "SELECT day, asked_note, asked_type, chosen_name, chosen_octave, chosen_type, "
                 "right, count(*), sum(row = 0) FROM answers WHERE exercise = ? AND day >= ? "
                 "GROUP BY day, asked_note, asked_type, chosen_name, chosen_octave, "
                 "chosen_type, right");
        answers.bind(1, static_cast<int>(exercise));
        answers.bind(2, firstDay);
        while (answers.executeStep())
            builder.add(AnswerGroup{answers.getColumn(0).getInt(), answers.getColumn(1).getInt(),
                                    columnOr(answers, 2, -1), columnOr(answers, 3, -1),
                                    columnOr(answers, 4, -1), columnOr(answers, 5, -1),
                                    columnOr(answers, 6, -1), answers.getColumn(7).getInt64(),
                                    answers.getColumn(8).getInt64()});

        SQLite::Statement pieces(
            *db, "SELECT day, piece, grade, points_right, points_wrong, count(*) FROM questions "
                 "WHERE exercise = ? AND day >= ? AND piece IS NOT NULL "
                 "GROUP BY day, piece, grade, points_right, points_wrong");
        pieces.bind(1, static_cast<int>(exercise));
        pieces.bind(2, firstDay);
        while (pieces.executeStep())
            builder.add(PieceGroup{
                pieces.getColumn(0).getInt(), pieces.getColumn(1).getInt(), columnOr(pieces, 2, -1),
                Tally{pieces.getColumn(3).getInt(), pieces.getColumn(4).getInt()},
                pieces.getColumn(5).getInt64()});
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return currentProblem;
    }
    return builder.finish(keptConfusions);
}

ItemTallies History::recentTallies(Exercise exercise) {
    StatisticsBuilder builder(exercise);
    if (!db && !std::filesystem::exists(filePath))
        return {};
    if (!open())
        return {};
    try {
        // The latest rows by question, not only by day: within a day the index runs by note,
        // which would weigh a long day's highest notes alone.
        SQLite::Statement recent(
            *db, "SELECT asked_note, asked_type, chosen_name, chosen_octave, chosen_type, right "
                 "FROM answers WHERE exercise = ? AND right IS NOT NULL "
                 "ORDER BY day DESC, question DESC LIMIT ?");
        recent.bind(1, static_cast<int>(exercise));
        recent.bind(2, recentRows);
        while (recent.executeStep())
            builder.add(AnswerGroup{0, recent.getColumn(0).getInt(), columnOr(recent, 1, -1),
                                    columnOr(recent, 2, -1), columnOr(recent, 3, -1),
                                    columnOr(recent, 4, -1), recent.getColumn(5).getInt(), 1, 0});
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return {};
    }
    return builder.finish(0).items;
}

} // namespace miminomi
