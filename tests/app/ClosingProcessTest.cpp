// Ending a run in a separate process: every way a run can end keeps its record exactly once and
// ends the program with status 0, and programs ending at the same moment never mix their lines.
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

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

    /// Starts the helper (see RecordCloser.cpp); with "wait", only once it is ready for signals.
    /// The waits are bounds for a stuck helper, not measures of speed.
    std::unique_ptr<QProcess> start(int first, const char *how, int count = 0) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(RECORD_CLOSER),
                       {QString::fromStdString(path), QString::number(first),
                        QString::fromLatin1(how), QString::number(count)});
        EXPECT_TRUE(process->waitForStarted(30000));
        if (std::string(how) != "append") {
            while (!process->canReadLine() && process->waitForReadyRead(30000)) {
            }
            EXPECT_EQ(process->readLine(), "ready\n") << "the helper never became ready";
        }
        return process;
    }
    static void kill(QProcess &process, int signal) {
        ::kill(static_cast<pid_t>(process.processId()), signal);
    }
    static void expectCleanEnd(QProcess &process) {
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }
};

TEST_F(ClosingProcessTest, EveryWayOfEndingKeepsTheRecordExactlyOnce) {
    // The session ending (the application quits without a close), and all three signals at
    // once. Each signal alone and the menu are tried on the real program (the smoke test and
    // tests/app).
    const std::pair<const char *, std::vector<int>> ways[] = {{"quit", {}},
                                                              {"wait", {SIGHUP, SIGTERM, SIGINT}}};
    for (const auto &[how, sent] : ways) {
        SCOPED_TRACE(sent.empty() ? how : strsignal(sent[0]));
        std::filesystem::remove(path);
        auto process = start(5, how);
        for (int signal : sent)
            kill(*process, signal);
        expectCleanEnd(*process);
        EXPECT_EQ(fileText(path), lineFor(5));
        EXPECT_EQ(process->readAllStandardOutput(), "run ended\n");
    }
}

TEST_F(ClosingProcessTest, TwoProgramsClosingTogetherWriteTwoWholeLines) {
    auto first = start(7, "wait");
    auto second = start(9, "wait");
    kill(*first, SIGTERM);
    kill(*second, SIGTERM);
    expectCleanEnd(*first);
    expectCleanEnd(*second);
    const std::string text = fileText(path);
    EXPECT_TRUE(text == lineFor(7) + lineFor(9) || text == lineFor(9) + lineFor(7)) << text;
}

TEST_F(ClosingProcessTest, ManyProgramsAppendingAtOnceNeverMixTheirLines) {
    std::vector<std::unique_ptr<QProcess>> running;
    for (int id = 1; id <= 4; ++id)
        running.push_back(start(id, "append", 2000));
    for (auto &process : running)
        expectCleanEnd(*process);
    // Every line whole and exactly once, as its program wrote it (lines differ in length).
    std::multiset<std::string> lines, expected;
    const std::string text = fileText(path);
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "the file ends in a whole line";
        lines.insert(text.substr(at, end - at));
    }
    for (int id = 1; id <= 4; ++id)
        for (int i = 0; i < 2000; ++i)
            expected.insert("2006/04/01," + std::to_string(id) + "," + std::to_string(i) + "," +
                            std::string(static_cast<std::size_t>(i % 7), '0') + "0,0,0,0,0,0,0,0");
    EXPECT_TRUE(lines == expected);
}

TEST_F(ClosingProcessTest, UnwritableRecordStillEndsCleanlyWithOneLineOfExplanation) {
    std::filesystem::create_directory(path);
    auto process = start(5, "wait");
    kill(*process, SIGTERM);
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
