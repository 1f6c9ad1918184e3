// A stand-in for the program that ends a run the way the program does, without its main window:
// a window whose closing (or else its destruction) keeps the run's record once, with the program's
// handling of termination signals and of the session ending. Started by ClosingProcessTest:
//   record_closer <record path> <single-note right answers> wait|quit   shows the window, says
//       "ready", then runs until something closes it, or quits the application at once
//   record_closer <record path> <first field> append <n>                 appends n numbered lines
#include "app/ExitSignals.h"
#include "records/RecordFile.h"
#include "records/Score.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using miminomi::RecordDate;
using miminomi::RecordFile;
using miminomi::Score;

class ClosingWindow : public QWidget {
public:
    ClosingWindow(std::string path, int noteRight) : path(std::move(path)) {
        for (int i = 0; i < noteRight; ++i)
            score.addScore(miminomi::Exercise::note, true);
    }
    ~ClosingWindow() override { endRun(); }

    void endRun() {
        if (runEnded)
            return;
        runEnded = true;
        RecordFile::SaveCsvFile(score, RecordDate(2006, 4, 1), path);
        std::printf("run ended\n");
        std::fflush(stdout);
    }

protected:
    void closeEvent(QCloseEvent *event) override {
        endRun();
        event->accept();
    }

private:
    std::string path;
    Score score;
    bool runEnded = false;
};

int appendMany(const std::string &path, const std::string &first, int count) {
    for (int i = 0; i < count; ++i) {
        // Lines of different lengths, so that two mixed lines could not pass for whole ones.
        const std::string line = "2006/04/01," + first + "," + std::to_string(i) + "," +
                                 std::string(static_cast<std::size_t>(i % 7), '0') +
                                 "0,0,0,0,0,0,0,0\r\n";
        std::string reason;
        if (!RecordFile::appendLine(path, line, reason)) {
            std::fprintf(stderr, "%s\n", reason.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 4)
        return 2;
    const std::string path = argv[1];
    const std::string how = argv[3];
    if (how == "append" && argc == 5)
        return appendMany(path, argv[2], std::atoi(argv[4]));

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    ClosingWindow window(path, std::atoi(argv[2]));
    window.show();
    miminomi::ExitSignals exitSignals([&window] { window.close(); });

    if (how == "quit")
        QTimer::singleShot(0, &application, &QCoreApplication::quit);
    std::printf("ready\n");
    std::fflush(stdout);
    QApplication::exec();
    return 0;
}
