// Ending a run in a separate process: every way a run can end keeps its record exactly once and
// ends the program with status 0, and programs ending at the same moment never mix their lines.
#include "records/RecordFile.h"
#include "records/RecordList.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

using miminomi::RecordFile;
using miminomi::RecordList;

namespace {

// Bounds for a stuck helper, not measures of speed.
constexpr int startMs = 30000;
constexpr int finishMs = 60000;

std::string fileText(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string lineFor(int noteRight) {
    return "2006/04/01," + std::to_string(noteRight) + ",0,0,0,0,0,0,0,0,0\r\n";
}

class ClosingProcessTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string path = folder.filePath(QStringLiteral("record.txt")).toStdString();

    std::unique_ptr<QProcess> start(const QStringList &arguments) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(RECORD_CLOSER),
                       QStringList{QString::fromStdString(path)} + arguments);
        EXPECT_TRUE(process->waitForStarted(startMs));
        return process;
    }

    /// Waits until the helper has its window and its signal handling in place.
    static void waitUntilReady(QProcess &process) {
        while (!process.canReadLine())
            ASSERT_TRUE(process.waitForReadyRead(startMs)) << "the helper never became ready";
        ASSERT_EQ(process.readLine(), "ready\n");
    }

    static void expectCleanEnd(QProcess &process) {
        ASSERT_TRUE(process.waitForFinished(finishMs));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }
};

TEST_F(ClosingProcessTest, EveryWayOfEndingKeepsTheRecordExactlyOnce) {
    const std::pair<const char *, int> ways[] = {
        {"menu", 0}, {"quit", 0}, {"wait", SIGTERM}, {"wait", SIGINT}, {"wait", SIGHUP}};
    for (const auto &[how, signal] : ways) {
        SCOPED_TRACE(signal ? strsignal(signal) : how);
        std::remove(path.c_str());
        auto process = start({QStringLiteral("5"), QString::fromLatin1(how)});
        waitUntilReady(*process);
        if (signal)
            ::kill(static_cast<pid_t>(process->processId()), signal);
        expectCleanEnd(*process);
        EXPECT_EQ(fileText(path), lineFor(5));
        EXPECT_EQ(process->readAllStandardOutput(), "run ended\n");
    }
}

TEST_F(ClosingProcessTest, SignalsArrivingTogetherStillEndTheRunOnce) {
    auto process = start({QStringLiteral("3"), QStringLiteral("wait")});
    waitUntilReady(*process);
    const auto pid = static_cast<pid_t>(process->processId());
    ::kill(pid, SIGHUP);
    ::kill(pid, SIGTERM);
    ::kill(pid, SIGINT);
    expectCleanEnd(*process);
    EXPECT_EQ(fileText(path), lineFor(3));
    EXPECT_EQ(process->readAllStandardOutput(), "run ended\n");
}

TEST_F(ClosingProcessTest, TwoProgramsClosingTogetherWriteTwoWholeLines) {
    auto first = start({QStringLiteral("7"), QStringLiteral("wait")});
    auto second = start({QStringLiteral("9"), QStringLiteral("wait")});
    waitUntilReady(*first);
    waitUntilReady(*second);
    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    ::kill(static_cast<pid_t>(second->processId()), SIGTERM);
    expectCleanEnd(*first);
    expectCleanEnd(*second);
    const std::string text = fileText(path);
    EXPECT_TRUE(text == lineFor(7) + lineFor(9) || text == lineFor(9) + lineFor(7)) << text;
}

TEST_F(ClosingProcessTest, ManyProgramsAppendingAtOnceNeverMixTheirLines) {
    constexpr int programs = 4;
    constexpr int linesEach = 2000;
    std::vector<std::unique_ptr<QProcess>> running;
    for (int id = 1; id <= programs; ++id)
        running.push_back(
            start({QString::number(id), QStringLiteral("append"), QString::number(linesEach)}));
    for (auto &process : running)
        expectCleanEnd(*process);

    RecordList list;
    ASSERT_TRUE(RecordFile::read(path, list)) << "every line is whole";
    EXPECT_EQ(list.items().size(), std::size_t{programs * linesEach});
    // Every line appears exactly once, as its program wrote it.
    std::multiset<std::string> lines;
    const std::string text = fileText(path);
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "the file ends in a whole line";
        lines.insert(text.substr(start, end - start));
    }
    std::multiset<std::string> expected;
    for (int id = 1; id <= programs; ++id)
        for (int i = 0; i < linesEach; ++i)
            expected.insert("2006/04/01," + std::to_string(id) + "," + std::to_string(i) + "," +
                            std::string(static_cast<std::size_t>(i % 7), '0') + "0,0,0,0,0,0,0,0");
    EXPECT_TRUE(lines == expected);
}

TEST_F(ClosingProcessTest, UnwritableRecordStillEndsCleanlyWithOneLineOfExplanation) {
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    auto process = start({QStringLiteral("5"), QStringLiteral("wait")});
    waitUntilReady(*process);
    ::kill(static_cast<pid_t>(process->processId()), SIGTERM);
    expectCleanEnd(*process);
    // Qt may add its own warnings; of ours there is exactly one line.
    const QStringList lines = QString::fromUtf8(process->readAllStandardError()).split('\n');
    const QStringList ours = lines.filter(QStringLiteral("miminomi:"));
    ASSERT_EQ(ours.size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(ours[0].startsWith(
        QStringLiteral("miminomi: the record of this run could not be kept in ")));
    EXPECT_TRUE(
        ours[0].endsWith(QStringLiteral("(Is a directory): 2006/04/01,5,0,0,0,0,0,0,0,0,0")));
}

} // namespace
