// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The history file: its versions, what happens to files the program cannot use, and programs that
// are killed or run side by side.
#include "history/History.h"
#include "history/HistorySchema.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/TemporaryFolder.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace miminomi::testing {

namespace {

std::string bytesOf(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

StoredQuestion oneRow(int note) {
    StoredQuestion question;
    question.answers.push_back({note, std::nullopt, note % 12, note / 12, std::nullopt, true});
    return question;
}

std::int64_t questionsIn(const std::string &path) {
    SQLite::Database db(path);
    return db.execAndGet("SELECT count(*) FROM questions").getInt64();
}

/// Runs `child` in a child process and waits for it; its exit status, or the signal that ended it.
template <typename Child> int inChild(Child child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        child();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status);
}

/// Another program that holds the file's write lock from its start until it is told to let go,
/// and then `linger` longer.
class LockHolder {
public:
    LockHolder(const std::string &path, std::chrono::milliseconds linger) {
        int held[2], letGo[2];
        if (::pipe(held) != 0 || ::pipe(letGo) != 0)
            return;
        child = ::fork();
        if (child == 0) {
            ::close(held[0]);
            ::close(letGo[1]);
            sqlite3 *db = nullptr;
            char byte = 0;
            if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
                sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK ||
                ::write(held[1], &byte, 1) != 1 || ::read(letGo[0], &byte, 1) != 0)
                ::_exit(1);
            std::this_thread::sleep_for(linger);
            ::_exit(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 1);
        }
        ::close(held[1]);
        ::close(letGo[0]);
        char byte = 0;
        holding = ::read(held[0], &byte, 1) == 1;
        ::close(held[0]);
        toChild = letGo[1];
    }
    ~LockHolder() { end(); }
    /// Tells it to let go, by closing the pipe it reads.
    void letGo() {
        if (toChild >= 0)
            ::close(std::exchange(toChild, -1));
    }
    /// Tells it to let go and waits for it; its exit status.
    int end() {
        letGo();
        int status = -1;
        const bool ended = child > 0 && ::waitpid(std::exchange(child, -1), &status, 0) > 0;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool holding = false;

private:
    pid_t child = -1;
    int toChild = -1;
};

} // namespace

TEST(HistoryFile, AFileOfTheFirstVersionIsReadAndExtendedANewerOneIsLeftAlone) {
    TemporaryFolder folder;
    FixedCalendarClock clock(1'700'000'000);
    const std::string path = folder.filePath("history.sqlite3");
    {
        // Written as the first version wrote it: its tables, frozen here, and one question.
        SQLite::Database v1(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        v1.exec(R"sql(
        CREATE TABLE runs (id INTEGER PRIMARY KEY, started INTEGER NOT NULL);
        CREATE TABLE questions (id INTEGER PRIMARY KEY, run INTEGER NOT NULL, at INTEGER NOT NULL,
            day INTEGER NOT NULL, exercise INTEGER NOT NULL, piece INTEGER, grade INTEGER,
            points_right INTEGER NOT NULL, points_wrong INTEGER NOT NULL, replays INTEGER NOT NULL,
            answer_seen INTEGER NOT NULL, range_preset INTEGER, only_white_keys INTEGER NOT NULL,
            note_count INTEGER NOT NULL, scale_family INTEGER NOT NULL,
            chord_types INTEGER NOT NULL, chord_white_keys INTEGER NOT NULL,
            chord_hint INTEGER NOT NULL, reference_a INTEGER NOT NULL);
        CREATE TABLE answers (question INTEGER NOT NULL, row INTEGER NOT NULL,
            exercise INTEGER NOT NULL, day INTEGER NOT NULL, asked_note INTEGER NOT NULL,
            asked_type INTEGER, chosen_name INTEGER, chosen_octave INTEGER, chosen_type INTEGER,
            right INTEGER, PRIMARY KEY (question, row)) WITHOUT ROWID;
        INSERT INTO runs VALUES (1, 1699990000);
        INSERT INTO questions VALUES (1, 1, 1699990000, 0, 2, NULL, NULL, 0, 1, 0, 0, NULL, 1, 1,
                                      0, 3, 1, 1, 1);
        INSERT INTO answers VALUES (1, 0, 2, 0, 60, 1, 0, NULL, 0, 0);
        PRAGMA user_version = 1;
        )sql");
    }
    History history(path, clock);
    StoredQuestion proposed;
    proposed.exercise = Exercise::risum;
    proposed.piece = 7;
    proposed.grade = 1;
    proposed.proposedGrade = 0;
    proposed.givenCount = 12;
    ASSERT_TRUE(history.add(proposed));
    const auto chords = history.statistics(Exercise::chord, Period::everything);
    ASSERT_TRUE(chords);
    EXPECT_EQ(chords->confusions, (std::vector<Confusion>{{ItemKind::chordType, 1, 0, 1}}));
    {
        // Upgraded to the current version: the first version's question has no proposal.
        SQLite::Database db(path);
        EXPECT_EQ(HistorySchema::versionOf(db), HistorySchema::currentVersion);
        EXPECT_EQ(db.execAndGet("SELECT group_concat(coalesce(proposed_grade, '-') || '/' || "
                                "coalesce(given_count, '-')) FROM questions")
                      .getString(),
                  "-/-,0/12");
    }
    // The first version's answer row joins the log of answers whole, with its question's time.
    const auto log = history.answerLog();
    ASSERT_TRUE(log);
    EXPECT_EQ(*log,
              (AnswerLog{{1699990000, 0, 1, Exercise::chord, 60, 1, 0, -1, 0, false, false}}));

    const std::string newer = folder.filePath("newer.sqlite3");
    {
        SQLite::Database db(newer, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec("PRAGMA user_version = " + std::to_string(HistorySchema::currentVersion + 1));
    }
    const std::string before = bytesOf(newer);
    std::ostringstream said;
    History later(newer, clock, said);
    EXPECT_EQ(later.add(oneRow(60)).reason(), History::Problem::newer);
    EXPECT_EQ(later.statistics(Exercise::note, Period::everything).reason(),
              History::Problem::newer);
    EXPECT_EQ(bytesOf(newer), before);
}

TEST(HistoryFile, AnUnusableFileOrFolderIsSaidOnceAndLeftAsItIs) {
    TemporaryFolder folder;
    FixedCalendarClock clock(1'700'000'000);
    const std::string damaged = folder.filePath("damaged.sqlite3");
    std::ofstream(damaged) << std::string(4096, 'x');
    std::ostringstream said;
    {
        History history(damaged, clock, said);
        EXPECT_EQ(history.add(oneRow(60)).reason(), History::Problem::unreadable);
        EXPECT_EQ(history.add(oneRow(62)).reason(), History::Problem::unreadable);
        EXPECT_FALSE(history.statistics(Exercise::note, Period::everything));
    }
    EXPECT_EQ(bytesOf(damaged), std::string(4096, 'x'));
    const std::string lines = said.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
    EXPECT_NE(lines.find(damaged), std::string::npos);

    // A folder that cannot take a file (here a file stands where the folder should be, which
    // refuses the superuser as well as anyone).
    const std::string notAFolder = folder.filePath("not-a-folder");
    std::ofstream(notAFolder) << "";
    History nowhere(notAFolder + "/history.sqlite3", clock, said);
    EXPECT_EQ(nowhere.add(oneRow(60)).reason(), History::Problem::cannotWrite);
    EXPECT_EQ(bytesOf(notAFolder), "");
}

TEST(HistoryFile, AnswersWaitWhileAnotherProgramHoldsTheFileAndAreKeptWithTheNext) {
    TemporaryFolder folder;
    FixedCalendarClock clock(1'700'000'000);
    const std::string path = folder.filePath("history.sqlite3");
    std::ostringstream said;
    History history(path, clock, said);
    ASSERT_TRUE(history.add(oneRow(60)));
    {
        SQLite::Database other(path, SQLite::OPEN_READWRITE);
        SQLite::Transaction holding(other, SQLite::TransactionBehavior::IMMEDIATE);
        History reader(path, clock);
        EXPECT_EQ(reader.statistics(Exercise::note, Period::everything)->questions, 1)
            << "another program opens it and reads meanwhile";
        EXPECT_EQ(history.add(oneRow(62)).reason(), History::Problem::locked);
        EXPECT_EQ(history.add(StoredExam{}).reason(), History::Problem::locked);
        EXPECT_EQ(history.waiting(), 2u);
    }
    EXPECT_TRUE(history.add(oneRow(64)));
    EXPECT_EQ(questionsIn(path), 3);
    EXPECT_EQ(history.pastExams()->size(), 1u);
    EXPECT_NE(said.str().find("held by another program"), std::string::npos);
}

TEST(HistoryFile, AProgramKilledRightAfterAMarkingKeepsItAndTwoProgramsKeepAllTheirAnswers) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("history.sqlite3");
    EXPECT_EQ(inChild([&] {
                  FixedCalendarClock clock(1'700'000'000);
                  History history(path, clock);
                  history.add(oneRow(60));
                  ::raise(SIGKILL);
              }),
              SIGKILL);
    EXPECT_EQ(questionsIn(path), 1);

    // Two programs answer at the same time from a file neither has opened yet.
    const std::string shared = folder.filePath("shared.sqlite3");
    const auto answerMany = [&] {
        FixedCalendarClock clock(1'700'000'000);
        History history(shared, clock);
        for (int k = 0; k < 150; ++k)
            if (!history.add(oneRow(60 + k % 12)) && history.waiting() == 0)
                ::_exit(1);
    };
    const pid_t first = ::fork();
    if (first == 0) {
        answerMany();
        ::_exit(0);
    }
    EXPECT_EQ(inChild(answerMany), 0);
    int status = 0;
    ::waitpid(first, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(questionsIn(shared), 300);
}

TEST(HistoryFile, AtTheEndOfTheRunAnswersWaitForTheFileAndThoseNotKeptAreSaid) {
    TemporaryFolder folder;
    FixedCalendarClock clock(1'700'000'000);
    const std::string path = folder.filePath("history.sqlite3");
    History(path, clock).add(oneRow(60)); // no connection open when the other program starts

    // The other program lets go longer after the end of the run begins than one store waits.
    std::ostringstream said;
    {
        LockHolder other(path, std::chrono::milliseconds(2 * History::busyMs));
        ASSERT_TRUE(other.holding);
        History history(path, clock, said);
        EXPECT_FALSE(history.add(oneRow(62)));
        EXPECT_FALSE(history.add(oneRow(64)));
        ASSERT_EQ(history.waiting(), 2u);
        other.letGo();
        EXPECT_TRUE(history.close(std::chrono::seconds(10)));
        EXPECT_EQ(other.end(), 0);
    }
    EXPECT_EQ(questionsIn(path), 3);

    // The other program holds it throughout: the two answers are said lost, once.
    said.str("");
    {
        LockHolder other(path, std::chrono::milliseconds(0));
        ASSERT_TRUE(other.holding);
        History history(path, clock, said);
        history.add(oneRow(62));
        history.add(oneRow(64));
        EXPECT_FALSE(history.close(std::chrono::milliseconds(300)));
        EXPECT_EQ(other.end(), 0);
    }
    EXPECT_EQ(questionsIn(path), 3);
    const std::string lines = said.str();
    const std::string last = lines.substr(lines.rfind('\n', lines.size() - 2) + 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
    EXPECT_NE(last.find(" 2 "), std::string::npos) << last;
    EXPECT_NE(last.find(path), std::string::npos) << last;
}

} // namespace miminomi::testing
