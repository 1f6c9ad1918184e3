// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window as a learner reads it.
#include "app/windows/StatisticsWindow.h"
#include "app/widgets/ChartStyle.h"
#include "history/History.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/FormHarness.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TemporaryFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <gmock/gmock.h>

#include <fstream>

namespace miminomi::testing {

using namespace ::testing;

class StatisticsWindowTest : public Test {
protected:
    TemporaryFolder folder;
    std::string path = folder.filePath("history.sqlite3");
    FixedCalendarClock clock{1714000000};
    std::shared_ptr<History> history = std::make_shared<History>(path, clock);

    /// Keeps a question: its answer rows, or for a piece its grade and points.
    void add(Exercise exercise, std::vector<StoredAnswer> answers, std::optional<int> grade = {},
             Tally points = {}) {
        StoredQuestion question;
        question.exercise = exercise;
        question.answers = std::move(answers);
        question.piece = grade ? std::optional(3) : std::nullopt;
        question.grade = grade;
        question.points = points;
        history->add(question);
    }
    /// The lines of the mistakes named `name`, each with its count as it stands beside it.
    static QStringList lines(const QWidget &window, const QString &name = "confusion") {
        QStringList lines;
        for (const QLabel *line : window.findChildren<QLabel *>(name)) {
            auto *table = static_cast<QGridLayout *>(line->parentWidget()->layout());
            int row = 0, column = 0, rows = 0, columns = 0;
            table->getItemPosition(table->indexOf(line), &row, &column, &rows, &columns);
            lines << line->text() + "　" +
                         static_cast<QLabel *>(table->itemAtPosition(row, 1)->widget())->text();
        }
        return lines;
    }
    static QString text(const QWidget &window, const char *name) {
        return window.findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
};

TEST_F(StatisticsWindowTest, MistakesFollowTheChosenExerciseAndPeriodWholeNotesAndBlanksIncluded) {
    add(Exercise::note, {{66, {}, 7, 5, {}, false}}); // 嬰ヘ heard as ト, three days ago
    clock.seconds += 3 * 86400;
    add(Exercise::note, {{66, {}, 7, 5, {}, false}, {61, {}, 0, 5, {}, false}});
    add(Exercise::note, {{64, {}, {}, {}, {}, false}, {64, {}, 4, 5, {}, true}});
    add(Exercise::chord, {{60, 12, 0, {}, 1, false}}); // dim7 heard as minor

    StatisticsWindow window(history, Exercise::chord);
    EXPECT_EQ(lines(window),
              QStringList{"「dim7（ディミニッシュ）」を「minor（マイナー）」と答えた　1回"});
    window.findChild<QComboBox *>(QStringLiteral("exerciseChoice"))->setCurrentIndex(0);
    EXPECT_EQ(lines(window), (QStringList{"「嬰ヘ（上一点）」を「ト（上一点）」と答えた　2回",
                                          "「嬰ハ（上一点）」を「ハ（上一点）」と答えた　1回"}));
    EXPECT_EQ(lines(window, "slip"), (QStringList{"半音高く答えた　2回", "半音低く答えた　1回"}));
    EXPECT_EQ(lines(window, "unanswered"), QStringList{"答えなし　1回"});
    EXPECT_EQ(text(window, "summary"), "出題数：3問　解答数：5　正解率：20%\n"
                                       "正解：1　間違い：3　答えなし：1　採点前に正解を見た：0問");
    window.findChild<QComboBox *>(QStringLiteral("periodChoice"))->setCurrentIndex(0); // today
    EXPECT_EQ(lines(window, "slip"), (QStringList{"半音高く答えた　1回", "半音低く答えた　1回"}));
    EXPECT_THAT(text(window, "summary").toStdString(),
                StartsWith("出題数：2問　解答数：4　正解率：25%"));
}

TEST_F(StatisticsWindowTest, SaysSoWhenThereIsNothingOrTheFileIsDamaged) {
    EXPECT_THAT(text(StatisticsWindow(history), "message").toStdString(),
                StartsWith("まだ答えの履歴がありません．"));

    const std::string garbage(5000, 'Z');
    std::ofstream(path, std::ios::binary) << garbage;
    EXPECT_THAT(text(StatisticsWindow(history), "message").toStdString(),
                AllOf(HasSubstr("history.sqlite3"), HasSubstr("壊れている")));
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), garbage);
}

TEST_F(StatisticsWindowTest, TrendPlacesEachDayWithAnswersByItsDate) {
    // Pieces on days 0, 1 and 4; the blank grade of day 2 scores nothing, so its day has none.
    for (const int day : {0, 1, 2, 4}) {
        const Tally points = day == 2 ? Tally{} : Tally{day % 2 == 0 ? 2 : 0, 2};
        add(Exercise::risum, {}, day == 2 ? 2 : 0, points);
        clock.seconds += (day == 2 ? 2 : 1) * 86400;
    }
    StatisticsWindow window(history, Exercise::risum);
    window.show();
    const QImage image =
        window.findChild<QWidget *>(QStringLiteral("trendChart"))->grab().toImage();
    std::vector<double> points; // the middle of each point, left to right
    for (int x = 0, start = -1; x < image.width(); ++x) {
        bool in = false;
        for (int y = 0; y < image.height(); ++y)
            in = in || image.pixelColor(x, y) == ChartStyle::trendPoint;
        if (in && start < 0)
            start = x;
        if (!in && start >= 0)
            points.push_back((start + x - 1) / 2.0), start = -1;
    }
    ASSERT_EQ(points.size(), 3u);
    EXPECT_NEAR(points[2] - points[1], 3 * (points[1] - points[0]), 2.0)
        << "three days from day 1 to day 4, one from day 0 to day 1";
}

TEST_F(StatisticsWindowTest, TheOpenWindowShowsAQuestionAsSoonAsItIsMarked) {
    FormHarness h;
    h.find<QAction>("menuStatistics")->trigger();
    const auto *window = h.form.findChild<StatisticsWindow *>();
    ASSERT_NE(window, nullptr);
    const QString before = text(*window, "summary");
    h.click("buttonNext");
    h.click("buttonCheck"); // nothing chosen
    const QString after = text(*window, "summary");
    EXPECT_NE(after, before);
    // As a window opened now over the same history (the working folder's) shows it.
    EXPECT_EQ(after,
              text(StatisticsWindow(std::make_shared<History>(History::defaultPath, h.calendar)),
                   "summary"));
}

TEST_F(StatisticsWindowTest, DictationShowsTheMarksAndWhatWasMissedMostInALearnersWords) {
    StatisticsWindow window(history);
    window.show();
    auto *exercises = window.findChild<QComboBox *>(QStringLiteral("exerciseChoice"));
    exercises->setCurrentIndex(exercises->count() - 1);
    EXPECT_THAT(text(window, "message").toStdString(),
                StartsWith("まだ聴音（試験形式）の記録がありません．"));

    // A sixth up missed twice on E (in C major), once on G♯ (in A minor); a dotted-eighth beat
    // held one error, a beat of a continued note and a sixteenth another.
    using Kind = StoredExamError::Kind;
    StoredExam major;
    major.score = 70;
    major.errors = {{Kind::pitch, 1, 0, 0, 3, 0, 5, 9, "x--x"},
                    {Kind::missing, 2, 1, 0, 3, 0, 5, 8, "--xx"}};
    StoredExam minor = major;
    minor.key.minor = true;
    minor.score = 81;
    minor.errors = {{Kind::pitch, 1, 0, 0, 7, 1, 5, 9, "r-x-"}};
    history->add(major);
    history->add(minor);
    window.examMarked();
    EXPECT_EQ(text(window, "summary").section('\n', 0, 0),
              "出題数：2問　平均点：76点（100点満点）");
    EXPECT_EQ(lines(window, "degreeMiss"),
              (QStringList{"第3音（ミ）　2回", "第7音（ソ♯）・短調　1回"}));
    EXPECT_EQ(lines(window, "intervalMiss"), QStringList{"上行の6度　3回"});
    // Shown anew in the open window (another period), the mistakes keep the width of their lines.
    window.findChild<QComboBox *>(QStringLiteral("periodChoice"))->setCurrentIndex(0);
    QApplication::processEvents();
    const auto *mistakes = window.findChild<QScrollArea *>(QStringLiteral("mistakes"));
    EXPECT_GE(mistakes->width(), mistakes->widget()->minimumSizeHint().width());
    EXPECT_EQ(lines(window, "figureMiss"),
              (QStringList{"前から続く音＋16分音符2つ　1回", "8分休符＋8分音符　1回",
                           "付点8分音符＋16分音符　1回"}));
}

} // namespace miminomi::testing
