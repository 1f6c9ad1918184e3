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
#include <limits>
#include <sstream>
#include <string_view>
#include <tuple>

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

std::optional<std::int32_t> optionalColumn(const SQLite::Statement &statement, int index) {
    const SQLite::Column column = statement.getColumn(index);
    if (column.isNull())
        return std::nullopt;
    return column.getInt();
}

/// A leaning as the exams table keeps it: "i:-4=250,2=150;f:x--x=200"; empty for none.
std::string leaningText(const music::DictationLeaning &leaning) {
    if (leaning.empty())
        return {};
    std::string text = "i:";
    const char *comma = "";
    for (const auto &[steps, weight] : leaning.intervals) {
        text += comma + std::to_string(steps) + '=' + std::to_string(weight);
        comma = ",";
    }
    text += ";f:";
    comma = "";
    for (const auto &[figure, weight] : leaning.figures) {
        text += comma + figure + '=' + std::to_string(weight);
        comma = ",";
    }
    return text;
}

/// The leaning of leaningText(); what cannot be read is left out.
music::DictationLeaning leaningOf(const std::string &text) {
    music::DictationLeaning leaning;
    std::istringstream parts(text);
    std::string part;
    while (std::getline(parts, part, ';')) {
        if (part.size() < 2 || part[1] != ':')
            continue;
        std::istringstream entries(part.substr(2));
        std::string entry;
        while (std::getline(entries, entry, ',')) {
            const std::size_t equals = entry.rfind('=');
            if (equals == std::string::npos)
                continue;
            const std::string name = entry.substr(0, equals);
            const int weight = std::atoi(entry.c_str() + equals + 1);
            if (part[0] == 'i')
                leaning.intervals[std::atoi(name.c_str())] = weight;
            else if (part[0] == 'f')
                leaning.figures[name] = weight;
        }
    }
    return leaning;
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

void History::store(const StoredQuestion &question, std::int64_t at) {
    const StoredSettings &settings = question.settings;
    const std::int32_t day = localDay(at);
    SQLite::Statement insert(
        *db, "INSERT INTO questions (run, at, day, exercise, piece, grade, points_right, "
             "points_wrong, replays, answer_seen, range_preset, only_white_keys, note_count, "
             "scale_family, chord_types, chord_white_keys, chord_hint, reference_a, "
             "proposed_grade, given_count, review) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, *run);
    insert.bind(2, at);
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
    insert.bind(21, question.review);
    insert.exec();
    const std::int64_t id = db->getLastInsertRowid();

    SQLite::Statement row(*db, "INSERT INTO answers (question, row, exercise, day, asked_note, "
                               "asked_type, chosen_name, chosen_octave, chosen_type, right, at, "
                               "review, log_item) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
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
        row.bind(11, at);
        row.bind(12, question.review);
        row.bind(13, HistorySchema::logItem(static_cast<std::int32_t>(question.exercise), answer,
                                            question.review));
        row.exec();
        row.reset();
    }
}

void History::store(const StoredExam &exam, std::int64_t at) {
    SQLite::Statement insert(
        *db, "INSERT INTO exams (run, at, day, mode, level, seed, leaning, key_fifths, key_minor, "
             "beats, beat_type, bars, tempo, schedule, playings, score, bars_right) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, *run);
    insert.bind(2, at);
    insert.bind(3, localDay(at));
    insert.bind(4, static_cast<int>(exam.mode));
    insert.bind(5, exam.level);
    insert.bind(6, static_cast<std::int64_t>(exam.seed));
    insert.bind(7, leaningText(exam.leaning));
    insert.bind(8, static_cast<int>(exam.key.fifths));
    insert.bind(9, exam.key.minor);
    insert.bind(10, static_cast<int>(exam.metre.beats));
    insert.bind(11, static_cast<int>(exam.metre.beatType));
    insert.bind(12, exam.bars);
    insert.bind(13, exam.tempo);
    insert.bind(14, static_cast<int>(exam.schedule));
    insert.bind(15, exam.playings);
    insert.bind(16, exam.score);
    insert.bind(17, exam.barsRight);
    insert.exec();
    const std::int64_t id = db->getLastInsertRowid();

    SQLite::Statement row(*db, "INSERT INTO exam_errors (exam, row, kind, bar, beat, sixteenth, "
                               "degree, alteration, interval_steps, interval_semitones, figure) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t k = 0; k < exam.errors.size(); ++k) {
        const StoredExamError &error = exam.errors[k];
        row.bind(1, id);
        row.bind(2, static_cast<int>(k));
        row.bind(3, static_cast<int>(error.kind));
        row.bind(4, error.bar);
        row.bind(5, error.beat);
        row.bind(6, error.sixteenth);
        bindOptional(row, 7, error.degree);
        row.bind(8, error.alteration);
        bindOptional(row, 9, error.intervalSteps);
        bindOptional(row, 10, error.intervalSemitones);
        row.bind(11, error.figure);
        row.exec();
        row.reset();
    }
}

Result<void, History::Problem> History::add(const StoredQuestion &question) {
    return keep({question, clock.nowSeconds()});
}

Result<void, History::Problem> History::add(const StoredExam &exam) {
    return keep({exam, clock.nowSeconds()});
}

Result<void, History::Problem> History::keep(Pending entry) {
    if (gaveUp())
        return currentProblem;
    if (pending.size() < maxWaiting)
        pending.push_back(std::move(entry));
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
                std::visit([&](const auto &item) { store(item, entry.at); }, entry.item);
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

Result<bool, History::Problem> History::openForReading() {
    // Nothing asked yet: no file is made for reading.
    if (!db && !gaveUp() && !std::filesystem::exists(filePath))
        return false;
    if (!open())
        return currentProblem;
    return true;
}

Result<Statistics, History::Problem> History::statistics(Exercise exercise, Period period) {
    StatisticsBuilder builder(exercise);
    const auto readable = openForReading();
    if (!readable)
        return readable.reason();
    if (!*readable)
        return builder.finish(keptConfusions);
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

namespace {

/// The exam items a reading looks at: those of the days from `firstDay`, or the latest `latest`.
struct ExamSelection {
    std::int32_t firstDay = std::numeric_limits<std::int32_t>::min();
    int latest = -1; // -1: every item of the days
};

std::string examsOf(const ExamSelection &selection) {
    if (selection.latest >= 0)
        return "(SELECT id FROM exams ORDER BY id DESC LIMIT " + std::to_string(selection.latest) +
               ")";
    return "(SELECT id FROM exams WHERE day >= " + std::to_string(selection.firstDay) + ")";
}

/// Most often first, then by `order`, keeping `keep`.
template <typename T, typename Order>
void keepMost(std::vector<T> &misses, std::size_t keep, Order order) {
    std::sort(misses.begin(), misses.end(), [&](const T &a, const T &b) {
        if (a.count != b.count)
            return a.count > b.count;
        return order(a) < order(b);
    });
    if (misses.size() > keep)
        misses.resize(keep);
}

std::vector<IntervalMiss> intervalMisses(SQLite::Database &db, const ExamSelection &selection,
                                         std::size_t keep) {
    // Pitch and missing errors of a melody: the move to the note is what was not heard.
    SQLite::Statement query(db, "SELECT interval_steps, count(*) FROM exam_errors "
                                "WHERE exam IN " +
                                    examsOf(selection) +
                                    " AND kind IN (0, 2) AND interval_steps IS NOT NULL "
                                    "GROUP BY interval_steps");
    std::vector<IntervalMiss> misses;
    while (query.executeStep())
        misses.push_back({query.getColumn(0).getInt(), query.getColumn(1).getInt64()});
    keepMost(misses, keep,
             [](const IntervalMiss &miss) { return std::pair(std::abs(miss.steps), -miss.steps); });
    return misses;
}

std::vector<FigureMiss> figureMisses(SQLite::Database &db, const ExamSelection &selection,
                                     std::size_t keep) {
    // A beat counts once however many of its notes went wrong.
    SQLite::Statement query(db, "SELECT figure, count(*) FROM (SELECT DISTINCT exam, bar, beat, "
                                "figure FROM exam_errors WHERE exam IN " +
                                    examsOf(selection) + " AND figure != '') GROUP BY figure");
    std::vector<FigureMiss> misses;
    while (query.executeStep())
        misses.push_back({query.getColumn(0).getString(), query.getColumn(1).getInt64()});
    keepMost(misses, keep, [](const FigureMiss &miss) { return miss.figure; });
    return misses;
}

StoredQuestion questionOf(const SQLite::Statement &row) {
    StoredQuestion question;
    question.exercise = static_cast<Exercise>(row.getColumn(0).getInt());
    question.piece = optionalColumn(row, 1);
    question.grade = optionalColumn(row, 2);
    question.points = Tally{row.getColumn(3).getInt(), row.getColumn(4).getInt()};
    question.replays = row.getColumn(5).getInt();
    question.answerSeen = row.getColumn(6).getInt() != 0;
    StoredSettings &settings = question.settings;
    settings.rangePreset = optionalColumn(row, 7);
    settings.onlyWhiteKeys = row.getColumn(8).getInt() != 0;
    settings.noteCount = row.getColumn(9).getInt();
    settings.scaleFamily = row.getColumn(10).getInt();
    settings.chordTypes = row.getColumn(11).getInt();
    settings.chordWhiteKeys = row.getColumn(12).getInt() != 0;
    settings.chordHint = row.getColumn(13).getInt() != 0;
    settings.referenceA = row.getColumn(14).getInt() != 0;
    question.proposedGrade = optionalColumn(row, 15);
    question.givenCount = optionalColumn(row, 16);
    question.review = row.getColumn(17).getInt() != 0;
    return question;
}

const char *const examColumns =
    "id, at, mode, level, seed, leaning, key_fifths, key_minor, beats, beat_type, bars, tempo, "
    "schedule, playings, score, bars_right";

PastExam pastExamOf(const SQLite::Statement &row) {
    PastExam past;
    past.id = row.getColumn(0).getInt64();
    past.at = row.getColumn(1).getInt64();
    StoredExam &exam = past.exam;
    exam.mode = static_cast<StoredExam::Mode>(row.getColumn(2).getInt());
    exam.level = row.getColumn(3).getInt();
    exam.seed = static_cast<std::uint32_t>(row.getColumn(4).getInt64());
    exam.leaning = leaningOf(row.getColumn(5).getString());
    exam.key.fifths = static_cast<std::int8_t>(row.getColumn(6).getInt());
    exam.key.minor = row.getColumn(7).getInt() != 0;
    exam.metre.beats = static_cast<std::int8_t>(row.getColumn(8).getInt());
    exam.metre.beatType = static_cast<std::int8_t>(row.getColumn(9).getInt());
    exam.bars = row.getColumn(10).getInt();
    exam.tempo = row.getColumn(11).getInt();
    exam.schedule = static_cast<StoredExam::Schedule>(row.getColumn(12).getInt());
    exam.playings = row.getColumn(13).getInt();
    exam.score = row.getColumn(14).getInt();
    exam.barsRight = row.getColumn(15).getInt();
    return past;
}

} // namespace

Result<AnswerLog, History::Problem> History::answerLog() {
    const auto shared = sharedAnswerLog();
    if (!shared)
        return shared.reason();
    return **shared;
}

Result<std::shared_ptr<const AnswerLog>, History::Problem> History::sharedAnswerLog() {
    const auto readable = openForReading();
    if (!readable)
        return readable.reason();
    if (!*readable)
        return std::shared_ptr<const AnswerLog>(log);
    // Answers are only ever added, each question with all its rows at once and a number above
    // every earlier one: only the questions after those already read are read. This is the largest
    // reading the program makes: four columns a row, the log's own packed in one, read through
    // SQLite's own interface into a vector made large enough at once.
    AnswerLog fresh;
    sqlite3_stmt *raw = nullptr;
    const int prepared = sqlite3_prepare_v2(
        db->getHandle(), "SELECT at, day, question, log_item FROM answers WHERE question > ?", -1,
        &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> rows(raw, sqlite3_finalize);
    int stepped = prepared;
    try {
        if (prepared == SQLITE_OK) {
            SQLite::Statement count(*db, "SELECT count(*) FROM answers WHERE question > ?");
            count.bind(1, loggedUpTo);
            if (count.executeStep())
                fresh.reserve(static_cast<std::size_t>(count.getColumn(0).getInt64()));
            sqlite3_bind_int64(raw, 1, loggedUpTo);
            while ((stepped = sqlite3_step(raw)) == SQLITE_ROW) {
                const std::int64_t item = sqlite3_column_int64(raw, 3);
                if (!HistorySchema::marked(item))
                    continue;
                AnswerLogRow &row = fresh.emplace_back(HistorySchema::logRow(item));
                row.at = sqlite3_column_int64(raw, 0);
                row.day = sqlite3_column_int(raw, 1);
                row.question = sqlite3_column_int64(raw, 2);
            }
        }
        if (stepped != SQLITE_DONE)
            throw SQLite::Exception(db->getHandle(), stepped);
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure); // nothing of it kept: read again whole next time
        return currentProblem;
    }
    if (!fresh.empty()) {
        loggedUpTo = fresh.back().question;
        if (log->empty())
            *log = std::move(fresh);
        else {
            // A log handed out stays as it was: the longer one is a copy.
            if (log.use_count() > 1)
                log = std::make_shared<AnswerLog>(*log);
            log->insert(log->end(), fresh.begin(), fresh.end());
        }
    }
    return std::shared_ptr<const AnswerLog>(log);
}

Result<std::vector<PastExam>, History::Problem> History::pastExams(std::size_t limit) {
    std::vector<PastExam> exams;
    const auto readable = openForReading();
    if (!readable)
        return readable.reason();
    if (!*readable)
        return exams;
    try {
        SQLite::Statement rows(*db, std::string("SELECT ") + examColumns +
                                        " FROM exams ORDER BY id DESC LIMIT ?");
        rows.bind(1, static_cast<std::int64_t>(limit));
        while (rows.executeStep())
            exams.push_back(pastExamOf(rows));
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return currentProblem;
    }
    return exams;
}

Result<ExamStatistics, History::Problem> History::examStatistics(Period period) {
    ExamStatistics statistics;
    const auto readable = openForReading();
    if (!readable)
        return readable.reason();
    if (!*readable)
        return statistics;
    const ExamSelection selection{firstDayOf(period, localDay(clock.nowSeconds()))};
    try {
        SQLite::Statement days(*db, "SELECT level, day, count(*), sum(score), mode FROM exams "
                                    "WHERE day >= ? GROUP BY mode, level, day "
                                    "ORDER BY mode, level, day");
        days.bind(1, selection.firstDay);
        while (days.executeStep()) {
            const ExamDay day{days.getColumn(0).getInt(), days.getColumn(1).getInt(),
                              days.getColumn(2).getInt64(), days.getColumn(3).getInt64(),
                              static_cast<StoredExam::Mode>(days.getColumn(4).getInt())};
            statistics.items += day.items;
            statistics.days.push_back(day);
        }
        // A degree is named from its key's own tonic, so a minor key's degrees stand apart.
        SQLite::Statement degrees(*db,
                                  "SELECT degree, alteration, key_minor, count(*) FROM exam_errors "
                                  "JOIN exams ON exams.id = exam_errors.exam WHERE exams.day >= ? "
                                  "AND kind IN (0, 2) AND degree IS NOT NULL "
                                  "GROUP BY degree, alteration, key_minor");
        degrees.bind(1, selection.firstDay);
        while (degrees.executeStep())
            statistics.degrees.push_back(
                {degrees.getColumn(0).getInt(), degrees.getColumn(1).getInt(),
                 degrees.getColumn(2).getInt() != 0, degrees.getColumn(3).getInt64()});
        keepMost(statistics.degrees, keptMisses, [](const DegreeMiss &miss) {
            return std::tuple(miss.minor, miss.degree, miss.alteration);
        });
        statistics.intervals = intervalMisses(*db, selection, keptMisses);
        statistics.figures = figureMisses(*db, selection, keptMisses);
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return currentProblem;
    }
    return statistics;
}

ExamWeakSpots History::recentExamMisses() {
    const auto readable = openForReading();
    if (!readable || !*readable)
        return {};
    try {
        const ExamSelection selection{std::numeric_limits<std::int32_t>::min(), recentExams};
        return {intervalMisses(*db, selection, keptMisses),
                figureMisses(*db, selection, keptMisses)};
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return {};
    }
}

Result<std::vector<ExportRow>, History::Problem> History::exportRows(DayRange range) {
    std::vector<ExportRow> lines;
    const auto readable = openForReading();
    if (!readable)
        return readable.reason();
    if (!*readable)
        return lines;
    try {
        SQLite::Statement questions(
            *db, "SELECT q.exercise, q.piece, q.grade, q.points_right, q.points_wrong, q.replays, "
                 "q.answer_seen, q.range_preset, q.only_white_keys, q.note_count, q.scale_family, "
                 "q.chord_types, q.chord_white_keys, q.chord_hint, q.reference_a, "
                 "q.proposed_grade, q.given_count, q.review, q.at, a.row, a.asked_note, "
                 "a.asked_type, a.chosen_name, a.chosen_octave, a.chosen_type, a.right "
                 "FROM questions q LEFT JOIN answers a ON a.question = q.id "
                 "WHERE q.day BETWEEN ? AND ? ORDER BY q.at, q.id, a.row");
        questions.bind(1, range.from);
        questions.bind(2, range.to);
        while (questions.executeStep()) {
            ExportRow line;
            line.question = questionOf(questions);
            line.at = questions.getColumn(18).getInt64();
            if (!questions.getColumn(19).isNull()) {
                line.row = questions.getColumn(19).getInt();
                StoredAnswer answer;
                answer.askedNote = questions.getColumn(20).getInt();
                answer.askedType = optionalColumn(questions, 21);
                answer.chosenName = optionalColumn(questions, 22);
                answer.chosenOctave = optionalColumn(questions, 23);
                answer.chosenType = optionalColumn(questions, 24);
                if (const auto right = optionalColumn(questions, 25))
                    answer.right = *right != 0;
                line.question.answers.push_back(answer);
            }
            lines.push_back(std::move(line));
        }
        SQLite::Statement exams(*db, std::string("SELECT ") + examColumns +
                                         " FROM exams WHERE day BETWEEN ? AND ? ORDER BY at, id");
        exams.bind(1, range.from);
        exams.bind(2, range.to);
        std::vector<ExportRow> examLines;
        while (exams.executeStep()) {
            PastExam past = pastExamOf(exams);
            ExportRow line;
            line.at = past.at;
            line.exam = std::move(past.exam);
            examLines.push_back(std::move(line));
        }
        // Both in time order: merged, a question before an item of the same second.
        std::vector<ExportRow> merged;
        merged.reserve(lines.size() + examLines.size());
        std::merge(std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()),
                   std::make_move_iterator(examLines.begin()),
                   std::make_move_iterator(examLines.end()), std::back_inserter(merged),
                   [](const ExportRow &a, const ExportRow &b) { return a.at < b.at; });
        return merged;
    } catch (const SQLite::Exception &failure) {
        reportFailure(failure);
        return currentProblem;
    }
}

} // namespace miminomi
