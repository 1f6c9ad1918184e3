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

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

#include <numeric>
#include <utility>

namespace miminomi {

namespace {

using Rows = std::vector<AccuracyChart::Row>;

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
                                : QStringLiteral("%1%").arg(statistics.total.percentRight());
    if (isPiece(exercise))
        return QStringLiteral("問題 %1曲\u3000\u3000自己採点の正解率 %2")
            .arg(statistics.questions)
            .arg(percent);
    return QStringLiteral("問題 %1問\u3000\u3000答え %2回\u3000\u3000正解率 %3\u3000\u3000"
                          "採点の前に「正解を見る」で見た答え %4回")
        .arg(statistics.questions)
        .arg(statistics.total.answers())
        .arg(percent)
        .arg(statistics.lookedAt);
}

Rows rowsOf(const Statistics &statistics, ItemKind kind) {
    Rows rows;
    for (const auto &[item, tally] : statistics.items)
        if (item.kind == kind)
            rows.push_back({itemName(item), tally, times(tally.answers()), {}});
    return rows;
}

/// The counts of the given grades of a piece, or nothing when none of them was given.
QString gradeCounts(const PieceGrades &piece, std::initializer_list<std::int32_t> grades) {
    QStringList counts;
    for (const std::int32_t grade : grades)
        if (const std::int64_t count = piece.grades[static_cast<std::size_t>(grade)])
            counts << gradeName(grade) + QLatin1Char(' ') + QString::number(count);
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

std::vector<std::pair<QString, Rows>> itemGroupsOf(const Statistics &statistics,
                                                   Exercise exercise) {
    switch (exercise) {
    case Exercise::note:
        return {{QStringLiteral("音の名前"), rowsOf(statistics, ItemKind::noteName)},
                {QStringLiteral("高さ（オクターブ）"), rowsOf(statistics, ItemKind::octave)}};
    case Exercise::scale:
        return {{QStringLiteral("音階（主音と種類）"), rowsOf(statistics, ItemKind::scale)}};
    case Exercise::chord:
        return {{QStringLiteral("コードの種類"), rowsOf(statistics, ItemKind::chordType)},
                {QStringLiteral("根音"), rowsOf(statistics, ItemKind::chordRoot)}};
    case Exercise::risum:
    case Exercise::melody:
        break;
    }
    return {{QStringLiteral("曲（自己採点の点数から）"), pieceRows(statistics)}};
}

QString emptyText(Exercise exercise, Period period) {
    const QString first = period == Period::everything
                              ? QStringLiteral("まだ記録がありません。\n")
                              : QStringLiteral("この期間の記録はありません。\n期間を変えるか，");
    const QString action = isPiece(exercise)
                               ? QStringLiteral("曲を聴いて自己採点し「得点確定」を押す")
                               : QStringLiteral("問題に答えて「採点」する");
    return first + action + QStringLiteral("と，ここに成績の分析が表示されます。");
}

QString noticeOf(History::Problem problem) {
    const QString file = QStringLiteral("答えの履歴（history.sqlite3）");
    QString what;
    switch (problem) {
    case History::Problem::newer:
        what =
            file + QStringLiteral("は，新しい版のみみのみで作られているため，この版では読めません。"
                                  "\nファイルはそのままにしてあります。");
        break;
    case History::Problem::locked:
        what = file + QStringLiteral("を，いまほかのプログラムが使っています。"
                                     "\nしばらくしてから，もう一度開いてください。");
        break;
    case History::Problem::cannotWrite:
        what =
            file + QStringLiteral("を置くフォルダーに書き込めないため，答えが記録されていません。");
        break;
    case History::Problem::unreadable:
    case History::Problem::none:
        what = file + QStringLiteral("が壊れているか，読み込めません。"
                                     "\nファイルは手を加えずに，そのままにしてあります。");
        break;
    }
    return what + QStringLiteral("\n\n練習も，成績ファイル（record.txt）への記録も，"
                                 "いつもどおり続けられます。");
}

QLabel *heading(const QString &text) {
    auto *label = new QLabel(text);
    label->setFont(Fonts::ui(10.5, true));
    return label;
}

} // namespace

StatisticsWindow::StatisticsWindow(std::shared_ptr<History> history, Exercise exercise,
                                   QWidget *parent)
    : QDialog(parent), history(std::move(history)) {
    ToolWindow::setUp(this, QStringLiteral("成績の分析"), ToolWindow::Kind::tool);
    setFont(Fonts::ui(9.75));
    resize(760, 560);

    exerciseChoice = new QComboBox;
    exerciseChoice->setObjectName(QStringLiteral("exerciseChoice"));
    exerciseChoice->addItems({QStringLiteral("単音"), QStringLiteral("スケール"),
                              QStringLiteral("コード"), QStringLiteral("リズム"),
                              QStringLiteral("メロディ")});
    exerciseChoice->setCurrentIndex(static_cast<int>(indexOf(exercise)));
    periodChoice = new QComboBox;
    periodChoice->setObjectName(QStringLiteral("periodChoice"));
    periodChoice->addItems({QStringLiteral("今日"), QStringLiteral("7日間"),
                            QStringLiteral("30日間"), QStringLiteral("すべて")});
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
    confusionArea = new QScrollArea;
    confusionArea->setObjectName(QStringLiteral("confusions"));
    confusionLines = scrollingPanel(confusionArea);
    confusionLines->setContentsMargins(10, 8, 10, 8);
    confusionLines->setSpacing(8);
    auto *columns = new QHBoxLayout;
    columns->addWidget(itemArea, 3);
    columns->addWidget(confusionArea, 2);

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
    message->setWordWrap(true);
    auto *card = new QWidget;
    card->setFixedWidth(560);
    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(28, 22, 28, 22);
    cardLayout->addWidget(message);
    // Centred between stretches rather than by alignment, so that the wrapped text's height is
    // worked out for the card's own width.
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

void StatisticsWindow::reload() {
    const auto exercise = static_cast<Exercise>(exerciseChoice->currentIndex());
    const auto period = static_cast<Period>(periodChoice->currentIndex());
    const auto statistics = history->statistics(exercise, period);
    if (!statistics)
        showMessage(noticeOf(statistics.reason()), true);
    else if (statistics->empty())
        showMessage(emptyText(exercise, period), false);
    else
        showStatistics(*statistics, exercise);
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

void StatisticsWindow::showStatistics(const Statistics &statistics, Exercise exercise) {
    summary->setText(summaryOf(statistics, exercise));
    clearAboveStretch(itemCharts);
    for (auto &[title, rows] : itemGroupsOf(statistics, exercise)) {
        auto *chart = new AccuracyChart(title, std::move(rows));
        chart->setObjectName(QStringLiteral("accuracyChart"));
        itemCharts->insertWidget(itemCharts->count() - 1, chart);
    }
    // The bars keep their labels and figures whole; the confusions take the width left.
    itemArea->setMinimumWidth(itemArea->widget()->minimumSizeHint().width() +
                              itemArea->verticalScrollBar()->sizeHint().width());
    confusionArea->setVisible(!isPiece(exercise));
    showConfusions(statistics.confusions);
    trend->setDays(statistics.days, isPiece(exercise) ? QStringLiteral("自己採点の点数")
                                                      : QStringLiteral("答えの数"));
    pages->setCurrentWidget(content);
}

void StatisticsWindow::showConfusions(const std::vector<Confusion> &confusions) {
    clearAboveStretch(confusionLines);
    confusionLines->insertWidget(0, heading(QStringLiteral("よくある間違い")));
    if (confusions.empty())
        confusionLines->insertWidget(1, new QLabel(QStringLiteral("まちがえた答えはありません。")));
    for (const Confusion &confusion : confusions) {
        auto *line = new QLabel(confusionText(confusion));
        line->setObjectName(QStringLiteral("confusion"));
        line->setWordWrap(true);
        confusionLines->insertWidget(confusionLines->count() - 1, line);
    }
}

} // namespace miminomi
