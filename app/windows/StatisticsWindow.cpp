// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/StatisticsWindow.h"

#include "app/services/Fonts.h"
#include "app/services/ItemNames.h"
#include "app/widgets/AccuracyChart.h"
#include "app/widgets/ChartStyle.h"
#include "app/widgets/TrendChart.h"
#include "app/windows/ToolWindow.h"
#include "history/History.h"
#include "records/RecordDate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <map>
#include <numeric>
#include <utility>

namespace miminomi {

namespace {

using Rows = std::vector<AccuracyChart::Row>;

/// The exercise list's item for the exam-format dictation items, after the five exercises.
constexpr int examChoice = static_cast<int>(allExercises.size());

const QColor noticeBackground(255, 248, 228);
const QColor noticeText(110, 80, 20);

QString times(std::int64_t count) {
    return QStringLiteral("%1回").arg(count);
}

void paintPanel(QWidget *widget, QColor colour = ChartStyle::panel) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

/// A frameless scroll area over a panel; returns the panel's layout.
QVBoxLayout *scrollingPanel(QScrollArea *area) {
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *inside = new QWidget;
    paintPanel(inside);
    auto *layout = new QVBoxLayout(inside);
    layout->setContentsMargins(4, 6, 4, 6);
    layout->addStretch();
    area->setWidget(inside);
    return layout;
}

/// Empties a layout whose last item is a stretch, deleting its widgets at once so that nothing of
/// the previous choice can still be found or drawn.
void clearAboveStretch(QVBoxLayout *layout) {
    while (layout->count() > 1) {
        QLayoutItem *item = layout->takeAt(0);
        delete item->widget();
        delete item;
    }
}

QString summaryOf(const Statistics &statistics, Exercise exercise) {
    const QString percent = statistics.total.answers() == 0
                                ? QStringLiteral("—")
                                : QStringLiteral("%1%").arg(roundedPercent(statistics.total));
    if (isPiece(exercise))
        return QStringLiteral("出題数：%1曲\u3000自己採点の得点率：%2")
            .arg(statistics.questions)
            .arg(percent);
    const Tally &total = statistics.total;
    return QStringLiteral("出題数：%1問\u3000解答数：%2\u3000正解率：%3\n"
                          "正解：%4\u3000間違い：%5\u3000答えなし：%6\u3000"
                          "採点前に正解を見た：%7問")
        .arg(statistics.questions)
        .arg(total.answers())
        .arg(percent)
        .arg(total.right)
        .arg(total.wrong - statistics.unanswered)
        .arg(statistics.unanswered)
        .arg(statistics.lookedAt);
}

Rows rowsOf(const Statistics &statistics, ItemKind kind) {
    Rows rows;
    for (const auto &[item, tally] : statistics.items)
        if (item.kind == kind)
            rows.push_back({itemName(item), tally, times(tally.answers()), {}});
    return rows;
}

using Groups = std::vector<std::pair<QString, Rows>>;

/// Scales: each type over all its keys first, then each type's keys beneath it.
Groups scaleGroups(const Statistics &statistics) {
    std::map<std::int32_t, Tally> types;
    std::map<std::int32_t, Rows> keys;
    for (const auto &[item, tally] : statistics.items) {
        if (item.kind != ItemKind::scale)
            continue;
        Tally &type = types[item.value];
        type.right += tally.right;
        type.wrong += tally.wrong;
        if (item.key >= 0)
            keys[item.value].push_back({noteName(item.key), tally, times(tally.answers()), {}});
    }
    Groups groups(1, {QStringLiteral("音階の種類"), {}});
    for (const auto &[type, tally] : types)
        groups.front().second.push_back({scaleTypeName(type), tally, times(tally.answers()), {}});
    for (auto &[type, rows] : keys)
        groups.push_back({scaleTypeName(type) + QStringLiteral("（主音ごと）"), std::move(rows)});
    return groups;
}

/// The counts of the given grades of a piece, or nothing when none of them was given.
QString gradeCounts(const PieceGrades &piece, std::initializer_list<std::int32_t> grades) {
    QStringList counts;
    for (const std::int32_t grade : grades)
        if (const std::int64_t count = piece.grades[static_cast<std::size_t>(grade)])
            counts << gradeName(grade) + times(count);
    return counts.join(QStringLiteral("\u3000"));
}

/// Each piece with the share of its self-marked points and how often each grade was given, the
/// good grades on one line and the others on the next.
Rows pieceRows(const Statistics &statistics) {
    Rows rows;
    for (const PieceGrades &piece : statistics.pieces) {
        const auto found = statistics.items.find({ItemKind::piece, piece.piece});
        const Tally points = found == statistics.items.end() ? Tally{} : found->second;
        const std::int64_t played =
            std::accumulate(piece.grades.begin(), piece.grades.end(), std::int64_t{0});
        QStringList notes;
        for (const QString &line : {gradeCounts(piece, {0, 1}), gradeCounts(piece, {3, 4, 2})})
            if (!line.isEmpty())
                notes << line;
        rows.push_back({pieceName(piece.piece), points, times(played), notes});
    }
    return rows;
}

Groups itemGroupsOf(const Statistics &statistics, Exercise exercise) {
    switch (exercise) {
    case Exercise::note:
        return {{QStringLiteral("音（名前と高さ）"), rowsOf(statistics, ItemKind::note)}};
    case Exercise::scale:
        return scaleGroups(statistics);
    case Exercise::chord:
        return {{QStringLiteral("コードの種類"), rowsOf(statistics, ItemKind::chordType)},
                {QStringLiteral("根音"), rowsOf(statistics, ItemKind::chordRoot)}};
    case Exercise::risum:
    case Exercise::melody:
        break;
    }
    return {{QStringLiteral("曲（自己採点の得点率）"), pieceRows(statistics)}};
}

// The messages break their lines by hand, between phrases, and are not wrapped: a wrapped
// Japanese line may break inside a word.
QString emptyText(Exercise exercise, Period period) {
    const QString first =
        period == Period::everything
            ? QStringLiteral("まだ答えの履歴がありません．\n")
            : QStringLiteral("この期間に答えた問題はありません．\n期間を変えるか，");
    const QString action = isPiece(exercise)
                               ? QStringLiteral("曲を聴いて自己採点し，「得点確定」を押すと，")
                               : QStringLiteral("問題に答えて「採点」すると，");
    return first + action + QStringLiteral("\nここに成績の分析が表示されます．");
}

QString examEmptyText(Period period) {
    const QString first =
        period == Period::everything
            ? QStringLiteral("まだ聴音（試験形式）の記録がありません．\n")
            : QStringLiteral("この期間に答え合わせをした聴音はありません．\n期間を変えるか，");
    return first + QStringLiteral("「練習」メニューの「聴音（試験形式）…」で書き取って"
                                  "\n「答え合わせ」をすると，ここに成績の分析が表示されます．");
}

/// Marks shown as a bar: their sum out of 100 each, so that the bar's share is the mean mark.
Tally marksOf(std::int64_t items, std::int64_t scoreSum) {
    return Tally{static_cast<std::int32_t>(scoreSum),
                 static_cast<std::int32_t>(items * 100 - scoreSum)};
}

QString shortDate(std::int32_t day) {
    const RecordDate date = RecordDate::fromDayNumber(day);
    return QStringLiteral("%1/%2").arg(date.getMonth()).arg(date.getDay());
}

/// A level as the learner chose it: "レベル5", its rhythm alone "レベル5（リズム）".
QString levelName(const ExamDay &day) {
    return QStringLiteral("レベル%1").arg(day.level) +
           (day.mode == StoredExam::Mode::rhythm ? QStringLiteral("（リズム）") : QString());
}

/// The mean mark of each level, then each level's marks day by day.
Groups examGroups(const ExamStatistics &statistics) {
    // The days come by mode and level, then by day.
    Groups groups(1, {QStringLiteral("レベルごとの平均点"), {}});
    ExamDay level;
    for (std::size_t k = 0; k < statistics.days.size(); ++k) {
        const ExamDay &day = statistics.days[k];
        if (k == 0 || day.level != level.level || day.mode != level.mode) {
            level = ExamDay{day.level, 0, 0, 0, day.mode};
            groups.push_back({levelName(day) + QStringLiteral("の平均点（日ごと）"), {}});
        }
        level.items += day.items;
        level.scoreSum += day.scoreSum;
        groups.back().second.push_back({shortDate(day.day),
                                        marksOf(day.items, day.scoreSum),
                                        QStringLiteral("%1問").arg(day.items),
                                        {}});
        const bool lastOfLevel = k + 1 == statistics.days.size() ||
                                 statistics.days[k + 1].level != day.level ||
                                 statistics.days[k + 1].mode != day.mode;
        if (lastOfLevel)
            groups.front().second.push_back({levelName(level),
                                             marksOf(level.items, level.scoreSum),
                                             QStringLiteral("%1問").arg(level.items),
                                             {}});
    }
    return groups;
}

QString noticeOf(History::Problem problem) {
    const QString file = QStringLiteral("答えの履歴（history.sqlite3）");
    QString what;
    switch (problem) {
    case History::Problem::newer:
        what = file + QStringLiteral("は，\n新しい版のみみのみで作られているため，"
                                     "この版では読めません．\nファイルはそのままにしてあります．");
        break;
    case History::Problem::locked:
        what = file + QStringLiteral("を，\nいまほかのプログラムが使っています．"
                                     "\nしばらくしてから，もう一度開いてください．");
        break;
    case History::Problem::cannotWrite:
        what = file + QStringLiteral("を置くフォルダーに\n書き込めないため，"
                                     "答えを履歴に残せません．");
        break;
    case History::Problem::unreadable:
    case History::Problem::none:
        what = file + QStringLiteral("が\n壊れているか，読み込めません．"
                                     "\nファイルは手を加えずに，そのままにしてあります．");
        break;
    }
    return what + QStringLiteral("\n\n練習も，成績ファイル（record.txt）への記録も，"
                                 "\nいつもどおり続けられます．");
}

QLabel *heading(const QString &text, double points = 10.5) {
    auto *label = new QLabel(text);
    label->setFont(Fonts::ui(points, true));
    return label;
}

/// The mistakes as a table: headings across, and lines of text with their counts right-aligned
/// in one column beside them.
class MistakeTable {
public:
    MistakeTable() : table(new QWidget), grid(new QGridLayout(table)) {
        table->setObjectName(QStringLiteral("mistakeTable"));
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(14);
        grid->setVerticalSpacing(6);
        grid->setColumnStretch(2, 1);
    }

    void addHeading(QLabel *label) {
        // A heading after lines stands a little apart from them.
        if (std::exchange(afterLine, false))
            grid->setRowMinimumHeight(row++, 4);
        grid->addWidget(label, row++, 0, 1, 3);
    }
    void addLine(const QString &text, std::int64_t count, const QString &name) {
        auto *line = new QLabel(text);
        line->setObjectName(name);
        auto *figure = new QLabel(times(count));
        figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(line, row, 0);
        grid->addWidget(figure, row++, 1);
        afterLine = true;
    }
    QWidget *widget() const { return table; }

private:
    QWidget *table;
    QGridLayout *grid;
    int row = 0;
    bool afterLine = false;
};

/// Shows the groups as bar charts with their columns aligned, beside the mistakes or alone.
void showCharts(Groups groups, QVBoxLayout *itemCharts, QScrollArea *itemArea,
                QScrollArea *mistakeArea, bool withMistakes) {
    clearAboveStretch(itemCharts);
    std::vector<AccuracyChart *> charts;
    for (auto &[title, rows] : groups) {
        auto *chart = new AccuracyChart(title, std::move(rows));
        chart->setObjectName(QStringLiteral("accuracyChart"));
        itemCharts->insertWidget(itemCharts->count() - 1, chart);
        // Shown at once: a widget added to an open window is shown only later, and until then
        // its panel's size leaves it out.
        chart->show();
        charts.push_back(chart);
    }
    AccuracyChart::align(charts);
    // The bars keep their labels and figures whole, and the mistakes their lines: neither wraps.
    mistakeArea->setVisible(withMistakes);
    itemArea->setMinimumWidth(itemArea->widget()->minimumSizeHint().width() +
                              itemArea->verticalScrollBar()->sizeHint().width());
    mistakeArea->setFixedWidth(mistakeArea->widget()->minimumSizeHint().width() +
                               mistakeArea->verticalScrollBar()->sizeHint().width());
}

} // namespace

StatisticsWindow::StatisticsWindow(std::shared_ptr<History> history, Exercise exercise,
                                   QWidget *parent)
    : QDialog(parent), history(std::move(history)) {
    ToolWindow::setUp(this, QStringLiteral("成績の分析"), ToolWindow::Kind::tool);
    setFont(Fonts::ui(9.75));
    resize(860, 620);

    exerciseChoice = new QComboBox;
    exerciseChoice->setObjectName(QStringLiteral("exerciseChoice"));
    for (const Exercise each : allExercises)
        exerciseChoice->addItem(exerciseName(each));
    exerciseChoice->addItem(QStringLiteral("聴音（試験形式）"));
    exerciseChoice->setCurrentIndex(static_cast<int>(indexOf(exercise)));
    periodChoice = new QComboBox;
    periodChoice->setObjectName(QStringLiteral("periodChoice"));
    periodChoice->addItems({QStringLiteral("今日"), QStringLiteral("過去7日間"),
                            QStringLiteral("過去30日間"), QStringLiteral("すべて")});
    periodChoice->setCurrentIndex(static_cast<int>(Period::everything));
    auto *choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("練習：")));
    choices->addWidget(exerciseChoice);
    choices->addSpacing(20);
    choices->addWidget(new QLabel(QStringLiteral("期間：")));
    choices->addWidget(periodChoice);
    choices->addStretch();

    summary = new QLabel;
    summary->setObjectName(QStringLiteral("summary"));
    summary->setFont(Fonts::ui(10.5));

    itemArea = new QScrollArea;
    itemArea->setObjectName(QStringLiteral("itemCharts"));
    itemCharts = scrollingPanel(itemArea);
    mistakeArea = new QScrollArea;
    mistakeArea->setObjectName(QStringLiteral("mistakes"));
    mistakeLines = scrollingPanel(mistakeArea);
    mistakeLines->setContentsMargins(10, 8, 10, 8);
    // The mistakes take the width of their longest line; the bars take the rest.
    auto *columns = new QHBoxLayout;
    columns->addWidget(itemArea, 1);
    columns->addWidget(mistakeArea, 0);

    trend = new TrendChart;
    trend->setObjectName(QStringLiteral("trendChart"));

    content = new QWidget;
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(summary);
    contentLayout->addLayout(columns, 1);
    contentLayout->addWidget(trend);

    // The empty state and the notices: a card of text a little above the middle.
    message = new QLabel;
    message->setObjectName(QStringLiteral("message"));
    message->setFont(Fonts::ui(11));
    auto *card = new QWidget;
    card->setMinimumWidth(480);
    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(28, 22, 28, 22);
    cardLayout->addWidget(message);
    auto *centred = new QHBoxLayout;
    centred->addStretch();
    centred->addWidget(card);
    centred->addStretch();
    auto *messagePage = new QWidget;
    auto *messageLayout = new QVBoxLayout(messagePage);
    messageLayout->addStretch(1);
    messageLayout->addLayout(centred);
    messageLayout->addStretch(2);

    pages = new QStackedWidget;
    pages->addWidget(content);
    pages->addWidget(messagePage);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 14);
    layout->setSpacing(10);
    layout->addLayout(choices);
    layout->addWidget(pages, 1);

    connect(exerciseChoice, &QComboBox::currentIndexChanged, this, &StatisticsWindow::reload);
    connect(periodChoice, &QComboBox::currentIndexChanged, this, &StatisticsWindow::reload);
    reload();
}

Exercise StatisticsWindow::chosenExercise() const {
    return static_cast<Exercise>(exerciseChoice->currentIndex());
}

bool StatisticsWindow::examChosen() const {
    return exerciseChoice->currentIndex() == examChoice;
}

void StatisticsWindow::questionMarked(Exercise exercise) {
    if (!examChosen() && exercise == chosenExercise())
        reload();
}

void StatisticsWindow::examMarked() {
    if (examChosen())
        reload();
}

void StatisticsWindow::reload() {
    const auto period = static_cast<Period>(periodChoice->currentIndex());
    if (examChosen()) {
        const auto statistics = history->examStatistics(period);
        if (!statistics)
            showMessage(noticeOf(statistics.reason()), true);
        else if (statistics->empty())
            showMessage(examEmptyText(period), false);
        else
            showExamStatistics(*statistics);
    } else {
        const Exercise exercise = chosenExercise();
        const auto statistics = history->statistics(exercise, period);
        if (!statistics)
            showMessage(noticeOf(statistics.reason()), true);
        else if (statistics->empty())
            showMessage(emptyText(exercise, period), false);
        else
            showStatistics(*statistics, exercise);
    }
    if (shownExercise != exerciseChoice->currentIndex())
        for (QScrollArea *area : {itemArea, mistakeArea})
            area->verticalScrollBar()->setValue(0);
    shownExercise = exerciseChoice->currentIndex();
}

void StatisticsWindow::showMessage(const QString &text, bool notice) {
    message->setText(text);
    QWidget *card = message->parentWidget();
    paintPanel(card, notice ? noticeBackground : ChartStyle::panel);
    QPalette palette = message->palette();
    palette.setColor(QPalette::WindowText, notice ? noticeText : ChartStyle::text);
    message->setPalette(palette);
    pages->setCurrentWidget(card->parentWidget());
}

void StatisticsWindow::showExamStatistics(const ExamStatistics &statistics) {
    std::int64_t sum = 0;
    for (const ExamDay &day : statistics.days)
        sum += day.scoreSum;
    const ExamDay all{0, 0, statistics.items, sum};
    summary->setText(QStringLiteral("出題数：%1問\u3000平均点：%2点（100点満点）\n"
                                    "間違えた音と拍を，音階の中の位置・前の音からの音程・"
                                    "拍のリズムごとに数えています．")
                         .arg(statistics.items)
                         .arg(all.meanScore()));
    clearAboveStretch(mistakeLines);
    MistakeTable table;
    const auto section = [&](const QString &title, const auto &misses, const auto &name,
                             const QString &objectName) {
        table.addHeading(heading(title, 9.75));
        if (misses.empty())
            table.addHeading(new QLabel(QStringLiteral("間違えた箇所はありません．")));
        for (const auto &miss : misses)
            table.addLine(name(miss), miss.count, objectName);
    };
    table.addHeading(heading(QStringLiteral("多かった書き取りの間違い")));
    section(
        QStringLiteral("音階の中の位置"), statistics.degrees,
        [](const DegreeMiss &miss) {
            return scaleDegreeName(miss.degree, miss.alteration, miss.minor) +
                   (miss.minor ? QStringLiteral("・短調") : QString());
        },
        QStringLiteral("degreeMiss"));
    section(
        QStringLiteral("前の音からの音程"), statistics.intervals,
        [](const IntervalMiss &miss) { return melodicIntervalName(miss.steps); },
        QStringLiteral("intervalMiss"));
    section(
        QStringLiteral("拍のリズム"), statistics.figures,
        [](const FigureMiss &miss) { return rhythmFigureName(miss.figure); },
        QStringLiteral("figureMiss"));
    mistakeLines->insertWidget(0, table.widget());
    table.widget()->show(); // as the charts
    showCharts(examGroups(statistics), itemCharts, itemArea, mistakeArea, true);
    trend->hide();
    pages->setCurrentWidget(content);
    // Longer names of what was missed widen the window rather than hide behind its edge.
    if (const int wanted = minimumSizeHint().width(); wanted > width())
        resize(wanted, height());
}

void StatisticsWindow::showStatistics(const Statistics &statistics, Exercise exercise) {
    summary->setText(summaryOf(statistics, exercise));
    showMistakes(statistics, exercise);
    showCharts(itemGroupsOf(statistics, exercise), itemCharts, itemArea, mistakeArea,
               !isPiece(exercise));
    trend->show();
    if (isPiece(exercise))
        trend->setDays(statistics.days, QStringLiteral("得点率"), QStringLiteral("自己採点の点数"));
    else
        trend->setDays(statistics.days, QStringLiteral("正解率"), QStringLiteral("解答数"));
    pages->setCurrentWidget(content);
}

void StatisticsWindow::showMistakes(const Statistics &statistics, Exercise exercise) {
    clearAboveStretch(mistakeLines);
    MistakeTable table;
    table.addHeading(heading(QStringLiteral("多かった聞き間違い")));
    if (statistics.total.wrong == 0) {
        table.addHeading(new QLabel(QStringLiteral("間違えた答えはありません．")));
    } else if (exercise == Exercise::note) {
        // Every wrong note once by how far and which way it missed, then the notes most often
        // taken for others.
        table.addHeading(heading(QStringLiteral("ずれの幅と向き"), 9.75));
        for (const NoteSlip &slip : statistics.slips)
            table.addLine(slipText(slip), slip.count, QStringLiteral("slip"));
        if (statistics.unanswered > 0)
            table.addLine(QStringLiteral("答えなし"), statistics.unanswered,
                          QStringLiteral("unanswered"));
        if (!statistics.confusions.empty())
            table.addHeading(heading(QStringLiteral("取り違えた音"), 9.75));
    }
    for (const Confusion &confusion : statistics.confusions)
        table.addLine(confusionText(confusion), confusion.count, QStringLiteral("confusion"));
    if (exercise != Exercise::note && statistics.unanswered > 0)
        table.addLine(QStringLiteral("答えなし"), statistics.unanswered,
                      QStringLiteral("unanswered"));
    mistakeLines->insertWidget(0, table.widget());
    table.widget()->show(); // as the charts
}

} // namespace miminomi
