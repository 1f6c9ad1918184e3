// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/Record.h"

#include "app/services/Fonts.h"
#include "app/widgets/TabControl.h"
#include "app/windows/ToolWindow.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <optional>

namespace miminomi {

namespace {

// The colours of the solid brushes and the system pens.
const QColor black(0, 0, 0);
const QColor green(0, 128, 0);
const QColor red(255, 0, 0);

/// The white drawing surface with a sunken border; the viewer paints the graph into it.
class GraphBox : public QFrame {
public:
    GraphBox(const Record &record, QWidget *parent) : QFrame(parent), record(record) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        setAutoFillBackground(true);
        QPalette white = palette();
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        painter.translate(contentsRect().topLeft());
        record.drawGraph(painter);
    }

private:
    const Record &record;
};

/// One-pixel lines and text with its top-left corner at the given point.
class Pen {
public:
    explicit Pen(QPainter &painter) : painter(painter) {}

    void line(QColor colour, int x1, int y1, int x2, int y2) {
        usePen(colour);
        painter.drawLine(x1, y1, x2, y2);
    }
    void lines(QColor colour, const QList<QLine> &segments) {
        usePen(colour);
        painter.drawLines(segments);
    }
    /// Returns the x just after the text.
    int text(double points, QColor colour, int x, int y, const QString &text) {
        useFont(points);
        usePen(colour);
        const QFontMetrics metrics = painter.fontMetrics();
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
        return x + metrics.horizontalAdvance(text);
    }

private:
    void usePen(QColor colour) {
        if (!penColour || *penColour != colour) {
            QPen pen(colour, 1);
            pen.setCosmetic(true);
            painter.setPen(pen);
            penColour = colour;
        }
    }
    void useFont(double points) {
        if (points != fontPoints) {
            painter.setFont(Fonts::make(Fonts::century, points));
            fontPoints = points;
        }
    }

    QPainter &painter;
    std::optional<QColor> penColour;
    double fontPoints = 0;
};

/// The segments joining a run of points, as few as draw the same pixels: a long record file puts
/// hundreds of points in each pixel column, and the segments between points of one column are all
/// vertical, together covering that column from their highest to their lowest point.
class GraphLine {
public:
    void add(QPoint point) {
        if (!columnPoints.isEmpty() && point.x() != columnPoints.last().x())
            closeColumn(point);
        if (columnPoints.isEmpty() || columnPoints.last() != point)
            columnPoints.append(point);
    }

    /// All the segments, once every point has been added.
    const QList<QLine> &segments() {
        closeColumn(std::nullopt);
        return lines;
    }

private:
    /// Ends the points of the current column, joining its last point to `next` if there is one.
    void closeColumn(std::optional<QPoint> next) {
        if (columnPoints.isEmpty())
            return;
        if (columnPoints.size() > 1) {
            const auto [top, bottom] =
                std::minmax_element(columnPoints.begin(), columnPoints.end(),
                                    [](QPoint a, QPoint b) { return a.y() < b.y(); });
            lines.append(QLine(*top, *bottom));
        }
        if (next)
            lines.append(QLine(columnPoints.last(), *next));
        columnPoints.clear();
    }

    QList<QPoint> columnPoints;
    QList<QLine> lines;
};

} // namespace

Record::Record(const Tallies &current, QWidget *parent, const std::string &recordPath)
    : QWidget(parent), last(current) {
    // Each count scale reaches at least the current run's answers, and never less than 1.
    for (const Exercise exercise : allExercises)
        sumTest[exercise] = std::max<std::int64_t>(current[exercise].answers(), 1);

    ToolWindow::setUp(this, QStringLiteral("過去の成績"), ToolWindow::Kind::note);
    setFixedSize(480, 349);

    tabControl1 = new TabControl(this);
    tabControl1->setObjectName(QStringLiteral("tabControl1"));
    tabControl1->setGeometry(8, 8, 464, 336);
    tabControl1->setFont(Fonts::ui(12));
    const std::pair<const char *, QString> pages[] = {
        {"tabPageNote", QStringLiteral("単音")},       {"tabPageScale", QStringLiteral("スケール")},
        {"tabPageChord", QStringLiteral("和音")},      {"tabPageRisum", QStringLiteral("リズム")},
        {"tabPageMelody", QStringLiteral("メロディ")},
    };
    for (const auto &[name, caption] : pages) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        tabControl1->addTab(page, caption);
    }
    tabControl1->setCurrentIndex(0);

    pictureBoxGraph = new GraphBox(*this, this);
    pictureBoxGraph->setObjectName(QStringLiteral("pictureBoxGraph"));
    pictureBoxGraph->setGeometry(14, 38, 450, 300);
    // In front of the pages, below the tab captions.
    tabControl1->raise();
    pictureBoxGraph->raise();

    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    connect(tabControl1, &QTabWidget::currentChanged, this,
            &Record::tabControl1_SelectedIndexChanged);

    loadData(recordPath);
}

Exercise Record::shownExercise() const {
    return exerciseAt(tabControl1->currentIndex()).value_or(Exercise::note);
}

void Record::loadData(const std::string &recordPath) {
    isNoRecord = !RecordFile::read(recordPath, recordList);
    // The records read before a bad line still raise the scales, as they were read.
    for (const RecordData &record : recordList.items())
        for (const Exercise exercise : allExercises)
            sumTest[exercise] = std::max(sumTest[exercise], record.getCount(exercise));
}

bool Record::event(QEvent *event) {
    if (event->type() == QEvent::WindowDeactivate)
        Record_Deactivate();
    return QWidget::event(event);
}

void Record::tabControl1_SelectedIndexChanged() {
    update();
    pictureBoxGraph->update();
}

void Record::Record_Deactivate() {
    close();
}

void Record::drawGraph(QPainter &painter) const {
    if (isNoRecord)
        drawMessage(painter);
    else
        drawChart(painter);
}

void Record::drawMessage(QPainter &painter) const {
    Pen pen(painter);
    pen.text(12, red, 10, 20, QStringLiteral("成績ファイルを読み込めませんでした！"));
    pen.text(12, red, 10, 50, QStringLiteral("成績ファイル（record.txt）がないか，壊れてます．"));
    pen.text(12, red, 10, 80, QStringLiteral("確認してやり直してください．"));
    pen.text(12, black, 10, 150,
             QStringLiteral("record.txtは，はじめて使ったときには存在しません．"));
    pen.text(12, black, 10, 170,
             QStringLiteral("record.txtを作るには，正答・誤答の数字がある状態で，"));
    pen.text(12, black, 10, 190, QStringLiteral("最低一度はソフトを終了させてください．"));
}

void Record::drawChart(QPainter &painter) const {
    Pen pen(painter);

    // Axes: percentage, time, count.
    pen.line(black, 25, 282, 25, 25);
    pen.line(black, 25, 282, 415, 282);
    pen.line(green, 415, 282, 415, 25);

    // Percentage scale.
    pen.text(12, black, 0, 1, QStringLiteral("正解率（％）"));
    pen.line(black, 25, 275, 30, 275);
    pen.text(10, black, 10, 265, QStringLiteral("0"));
    pen.line(black, 25, 150, 30, 150);
    pen.text(10, black, 5, 143, QStringLiteral("50"));
    pen.text(10, black, 0, 20, QStringLiteral("100"));
    pen.line(black, 25, 25, 30, 25);

    // Count scale.
    pen.text(12, green, 350, 1, QStringLiteral("回答数（問）"));
    pen.line(green, 410, 275, 415, 275);
    pen.text(10, green, 430, 265, QStringLiteral("0"));
    pen.line(green, 410, 25, 415, 25);

    // Time labels.
    pen.text(8, black, 0, 282, QStringLiteral("一番古い記録"));
    pen.line(black, 30, 282, 30, 277);
    pen.text(8, black, 390, 282, QStringLiteral("今の記録"));
    pen.line(black, 410, 282, 410, 277);

    // Record count.
    const auto &items = recordList.items();
    const auto n = static_cast<std::int64_t>(items.size());
    pen.text(8, black, 125, 2, QStringLiteral("今までで，"));
    // A count of four digits or more would run into the words after it: they move right.
    const int afterCount = pen.text(8, black, 177, 2, QString::number(n));
    pen.text(8, black, std::max(200, afterCount + 2), 2, QStringLiteral("回分の記録があります．"));

    const Exercise e = shownExercise();
    const std::int64_t top = getCountTop(e);
    if (n > 0)
        pen.text(10, green, 417, 20, QString::number(top));

    // All arithmetic is 64-bit: counts are 32-bit and their products with 250 or 380 are not.
    GraphLine ratioLine;
    GraphLine countLine;
    for (std::int64_t i = 0; i < n; ++i) {
        const RecordData &record = items[static_cast<std::size_t>(i)];
        const int x = static_cast<int>(i * 380 / n + 30);
        ratioLine.add({x, static_cast<int>(275 - std::int64_t{record.getRatio(e)} * 250 / 100)});
        countLine.add({x, static_cast<int>(275 - record.getCount(e) * 250 / top)});
    }
    // With no records the lines of the current run start at the origin.
    if (n == 0) {
        ratioLine.add({25, 275});
        countLine.add({25, 275});
    }

    // The current run at the right edge; its percentage point comes straight from its counts.
    const std::int64_t right = last[e].right;
    const std::int64_t answers = last[e].answers();
    const std::int64_t divisor = answers == 0 ? 1 : answers;
    ratioLine.add({410, static_cast<int>(275 - right * 250 / divisor)});
    countLine.add({410, static_cast<int>(275 - answers * 250 / top)});

    // The count line lies over the percentage line where they cross.
    pen.lines(black, ratioLine.segments());
    pen.lines(green, countLine.segments());
}

} // namespace miminomi
