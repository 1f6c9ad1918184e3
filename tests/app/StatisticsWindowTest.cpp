// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window as a learner reads it.
#include "app/windows/StatisticsWindow.h"
#include "app/widgets/ChartStyle.h"
#include "history/History.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TemporaryFolder.h"

#include <QComboBox>
#include <QLabel>
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
    static QStringList confusions(const StatisticsWindow &window) {
        QStringList lines;
        for (const QLabel *line : window.findChildren<QLabel *>(QStringLiteral("confusion")))
            lines << line->text();
        return lines;
    }
    static std::string message(const StatisticsWindow &window) {
        return window.findChild<QLabel *>(QStringLiteral("message"))->text().toStdString();
    }
};

TEST_F(StatisticsWindowTest, ConfusionsFollowTheChosenExerciseAndPeriod) {
    add(Exercise::note, {{66, {}, 7, 5, {}, false}}); // 嬰ヘ heard as ト, three days ago
    clock.seconds += 3 * 86400;
    add(Exercise::note, {{66, {}, 7, 5, {}, false}, {61, {}, 0, 5, {}, false}});
    add(Exercise::chord, {{60, 12, 0, {}, 1, false}}); // dim7 heard as minor

    StatisticsWindow window(history, Exercise::chord);
    EXPECT_EQ(confusions(window),
              QStringList{"dim7（ディミニッシュ） を minor（マイナー） と答えた　1回"});
    window.findChild<QComboBox *>(QStringLiteral("exerciseChoice"))->setCurrentIndex(0);
    EXPECT_EQ(confusions(window),
              (QStringList{"嬰ヘ を ト と答えた　2回", "嬰ハ を ハ と答えた　1回"}));
    window.findChild<QComboBox *>(QStringLiteral("periodChoice"))->setCurrentIndex(0); // today
    EXPECT_EQ(confusions(window),
              (QStringList{"嬰ハ を ハ と答えた　1回", "嬰ヘ を ト と答えた　1回"}));
}

TEST_F(StatisticsWindowTest, SaysSoWhenThereIsNothingOrTheFileIsDamaged) {
    EXPECT_THAT(message(StatisticsWindow(history)), StartsWith("まだ記録がありません。"));

    const std::string garbage(5000, 'Z');
    std::ofstream(path, std::ios::binary) << garbage;
    EXPECT_THAT(message(StatisticsWindow(history)),
                AllOf(HasSubstr("history.sqlite3"), HasSubstr("壊れている")));
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), garbage);
}

TEST_F(StatisticsWindowTest, TrendHasOnePointPerDayWithAnswers) {
    // Pieces on three days; the blank grade of the second scores nothing, so its day has none.
    for (const Tally points : {Tally{2, 0}, Tally{}, Tally{0, 2}}) {
        add(Exercise::risum, {}, points.answers() ? 0 : 2, points);
        clock.seconds += 2 * 86400;
    }
    StatisticsWindow window(history, Exercise::risum);
    window.show();
    const QImage image =
        window.findChild<QWidget *>(QStringLiteral("trendChart"))->grab().toImage();
    int points = 0;
    for (int x = 0, before = 0, in = 0; x < image.width(); ++x, before = in) {
        in = 0;
        for (int y = 0; y < image.height(); ++y)
            in |= image.pixelColor(x, y) == ChartStyle::trendPoint;
        points += in > before;
    }
    EXPECT_EQ(points, 2);
}

} // namespace miminomi::testing
