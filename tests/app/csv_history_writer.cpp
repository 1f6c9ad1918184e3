// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the CSV files csv_roundtrip.py reads back: a history of every kind of line, and lines of
// awkward text, each with the fields it should read as (JSON); and checks that a write that fails
// says why and leaves nothing behind.
//
//   csv_history_writer <empty folder>
#include "app/services/HistoryCsv.h"
#include "base/CalendarClock.h"
#include "history/History.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

using namespace miminomi;

namespace {

class StillClock final : public CalendarClock {
public:
    std::int64_t nowSeconds() const override { return seconds; }
    std::int64_t seconds = 1'700'000'000;
};

int failures = 0;

void check(bool ok, const char *what) {
    if (!ok) {
        std::fprintf(stderr, "csv_history_writer: %s\n", what);
        ++failures;
    }
}

void save(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "cannot save");
}

void saveExpected(const QString &path, const std::vector<QStringList> &lines) {
    QJsonArray array;
    for (const QStringList &fields : lines)
        array.append(QJsonArray::fromStringList(fields));
    save(path, QJsonDocument(array).toJson());
}

StoredQuestion question(Exercise exercise, int note, std::optional<int> type, bool right) {
    StoredQuestion made;
    made.exercise = exercise;
    made.answers.push_back({note, type, right ? note % 12 : (note + 1) % 12, note / 12,
                            right ? type : std::optional<int>(0), right});
    return made;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    StillClock clock;
    History history(folder.filePath(QStringLiteral("history.sqlite3")).toStdString(), clock);

    // One line of every kind: each exercise, right and wrong, a review, an answer looked at first,
    // a piece and an exam item.
    StoredQuestion review = question(Exercise::note, 61, std::nullopt, false);
    review.review = true;
    history.add(review);
    history.add(question(Exercise::scale, 62, 2, true));
    StoredQuestion chord = question(Exercise::chord, 64, 5, false);
    chord.settings.chordTypes = 0b1111;
    history.add(chord);
    StoredQuestion looked = question(Exercise::note, 60, std::nullopt, true);
    looked.answers[0].right.reset();
    looked.answerSeen = true;
    history.add(looked);
    clock.seconds += 86'400;
    StoredQuestion piece;
    piece.exercise = Exercise::melody;
    piece.piece = 12;
    piece.grade = 3;
    history.add(piece);
    StoredExam exam;
    exam.level = 5;
    exam.seed = 1234;
    exam.key = {-2, true};
    exam.metre = {6, 8};
    exam.bars = 8;
    exam.score = 87;
    exam.barsRight = 6;
    history.add(exam);

    const QString csv = folder.filePath(QStringLiteral("history.csv"));
    const auto written = writeHistoryCsv(history, csv);
    check(written && *written == 6, "the history's six lines are not written");
    saveExpected(folder.filePath(QStringLiteral("history.json")),
                 HistoryCsv::lines(*history.exportRows(DayRange::everything())));

    // Awkward text: commas, quotes, line ends, full-width punctuation, empty fields.
    const std::vector<QStringList> awkward = {HistoryCsv::heading(),
                                              {QStringLiteral("a,b"), QStringLiteral("say \"hi\""),
                                               QStringLiteral("two\nlines"),
                                               QStringLiteral("聴音，テスト．"), QString(),
                                               QStringLiteral("end\r\n"), QStringLiteral("\"")}};
    save(folder.filePath(QStringLiteral("awkward.csv")), HistoryCsv::text(awkward));
    saveExpected(folder.filePath(QStringLiteral("awkward.json")), awkward);

    // A folder that is not there: nothing is written, and the reason is given.
    const auto nowhere = writeHistoryCsv(history, csv + QStringLiteral("/inside.csv"));
    check(!nowhere && !nowhere.reason().isEmpty(), "a write into no folder does not fail");

    // A write that fails half way (the file size limit reached): the file of that name keeps what
    // it held and nothing else is left in its folder.
    folder.mkdir(QStringLiteral("full"));
    const QDir full(folder.filePath(QStringLiteral("full")));
    const QString kept = full.filePath(QStringLiteral("kept.csv"));
    save(kept, "before");
    for (int k = 0; k < 100; ++k)
        history.add(question(Exercise::note, 60 + k % 12, std::nullopt, k % 3 != 0));
    history.exportRows(DayRange::everything()); // opened before the limit
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto cut = writeHistoryCsv(history, kept);
    check(!cut, "a write cut short does not fail");
    QFile after(kept);
    check(after.open(QIODevice::ReadOnly) && after.readAll() == "before",
          "the file of that name was changed");
    check(full.entryList(QDir::Files | QDir::Hidden) == QStringList{QStringLiteral("kept.csv")},
          "something was left beside the file");
    // Without the privilege to write anywhere, a read-only folder refuses the write likewise.
    if (geteuid() != 0) {
        QFile::setPermissions(full.path(), QFile::ReadOwner | QFile::ExeOwner);
        check(!writeHistoryCsv(history, full.filePath(QStringLiteral("new.csv"))),
              "a read-only folder takes the file");
        check(!full.exists(QStringLiteral("new.csv")), "a file appeared in a read-only folder");
    }
    if (!cut)
        std::printf("%s\n", cut.reason().toUtf8().constData());
    return failures == 0 ? 0 : 1;
}
