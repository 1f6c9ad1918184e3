// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"
#include "history/AnswerLog.h"
#include "history/ExamStatistics.h"
#include "history/HistoryExport.h"
#include "history/HistoryItem.h"
#include "history/Statistics.h"
#include "history/StoredExam.h"
#include "history/StoredQuestion.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace SQLite {
class Database;
class Exception;
} // namespace SQLite

namespace miminomi {

class CalendarClock;

/// The learner's history of answers: every question as it ended, kept in an SQLite file the moment
/// it ends, and the statistics read back from it. The file is opened when it is first needed. A
/// file that cannot be used is said once on the diagnostics stream and left as it is; the quiz
/// goes on without it.
class History {
public:
    /// The history file's name, beside the record file.
    static inline const std::string defaultPath = "history.sqlite3";

    /// Why the history cannot be used.
    enum class Problem {
        none,
        unreadable,  // not a history file, damaged, or not readable
        newer,       // written by a newer version of the program
        locked,      // another program holds it for longer than busyMs
        cannotWrite, // the file or its folder cannot be written
    };

    /// How long a store or a read waits for another program that holds the file.
    static constexpr int busyMs = 250;
    /// How long the end of the run waits for another program to let go of the file.
    static constexpr std::chrono::milliseconds closingPatience{5000};
    /// The latest answer rows the weak-spot draw looks at.
    static constexpr int recentRows = 200;
    /// How many of the most frequent confusions the statistics keep.
    static constexpr std::size_t keptConfusions = 10;
    /// How many of the most missed degrees, intervals and figures the exam statistics keep.
    static constexpr std::size_t keptMisses = 10;
    /// The latest exam items the leaning towards missed intervals and figures looks at.
    static constexpr int recentExams = 30;

    History(std::string path, const CalendarClock &clock, std::ostream &diagnostics = std::cerr);
    ~History();
    History(const History &) = delete;
    History &operator=(const History &) = delete;

    /// Keeps the questions that wait, trying again for up to `patience` while another program
    /// holds the file, and lets the file go. Those still not kept are said on the diagnostics
    /// stream and dropped, and their number is the reason of the failure. The history opens the
    /// file again when next used.
    Result<void, std::size_t> close(std::chrono::milliseconds patience = closingPatience);

    /// Keeps a question, with the time and the run, in one transaction. While another program
    /// holds the file the question waits in memory and is kept with the next one; why it is not
    /// kept now.
    Result<void, Problem> add(const StoredQuestion &question);
    /// Keeps a marked exam item with its errors, as add(StoredQuestion): in one transaction, or
    /// waiting in memory while another program holds the file.
    Result<void, Problem> add(const StoredExam &exam);
    /// The statistics of an exercise over a period that ends today, or why the history cannot be
    /// read. A missing file gives empty statistics.
    Result<Statistics, Problem> statistics(Exercise exercise, Period period);
    /// Right and wrong per item over the exercise's latest recentRows marked answer rows.
    ItemTallies recentTallies(Exercise exercise);

    /// Every marked answer row of the single-note, scale and chord exercises in the order they
    /// were answered, for the spaced review; or why the history cannot be read. A missing file
    /// gives an empty log. Only the questions kept since the last reading are read from the file.
    Result<AnswerLog, Problem> answerLog();
    /// The same log without copying it: the history's own, which it never changes once handed
    /// out (a later reading with more rows makes a new one).
    Result<std::shared_ptr<const AnswerLog>, Problem> sharedAnswerLog();
    /// The latest `limit` exam items, latest first, for playing one again (their errors not
    /// read).
    Result<std::vector<PastExam>, Problem> pastExams(std::size_t limit = 100);
    /// The exam items of a period that ends today: marks per level and day, and the degrees,
    /// intervals and figures missed most (keptMisses of each).
    Result<ExamStatistics, Problem> examStatistics(Period period);
    /// The intervals and rhythm figures missed most in the latest recentExams items (keptMisses
    /// of each); empty when there are none or the history cannot be read.
    ExamWeakSpots recentExamMisses();
    /// Every line of the history on the days of `range`, in time order: an answer row of a
    /// question, a self-marked piece, an exam item.
    Result<std::vector<ExportRow>, Problem> exportRows(DayRange range);

    /// Questions waiting to be kept.
    std::size_t waiting() const { return pending.size(); }
    const std::string &path() const { return filePath; }

private:
    struct Pending {
        std::variant<StoredQuestion, StoredExam> item;
        std::int64_t at;
    };

    bool open();
    bool flush();
    void storeRun();
    void store(const StoredQuestion &question, std::int64_t at);
    void store(const StoredExam &exam, std::int64_t at);
    Result<void, Problem> keep(Pending entry);
    /// Opens the file for reading: true when open, false when there is no file yet (nothing to
    /// read), or why it cannot be read.
    Result<bool, Problem> openForReading();
    void report(Problem problem, const std::string &detail);
    void reportFailure(const SQLite::Exception &failure);
    bool gaveUp() const;

    std::string filePath;
    const CalendarClock &clock;
    std::ostream &diagnostics;
    std::unique_ptr<SQLite::Database> db;
    std::optional<std::int64_t> run;
    std::vector<Pending> pending;
    /// Questions dropped because too many waited.
    std::size_t overflowed = 0;
    Problem currentProblem = Problem::none;
    std::vector<Problem> told;
    /// The log of answers read so far, and the last question in it.
    std::shared_ptr<AnswerLog> log = std::make_shared<AnswerLog>();
    std::int64_t loggedUpTo = 0;
};

} // namespace miminomi
