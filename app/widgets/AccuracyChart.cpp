// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/AccuracyChart.h"

#include "app/services/Fonts.h"
#include "app/widgets/ChartStyle.h"
#include "history/Statistics.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace miminomi {

namespace {

const int margin = 10;
const int gap = 10;
/// The narrowest the bars may get.
const int minimumBar = 80;
const int maximumBar = 340;

QFont titleFont() {
    return Fonts::ui(10.5, true);
}
QFont labelFont() {
    return Fonts::ui(9.75);
}
QFont smallFont() {
    return Fonts::ui(8.25);
}

QString percentText(const Tally &tally) {
    return tally.answers() == 0 ? QStringLiteral("—")
                                : QStringLiteral("%1%").arg(roundedPercent(tally));
}

} // namespace

AccuracyChart::AccuracyChart(QString title, std::vector<Row> rows, QWidget *parent)
    : QWidget(parent), title(std::move(title)), rows(std::move(rows)), columns(ownColumns()) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void AccuracyChart::align(const std::vector<AccuracyChart *> &charts) {
    Columns widest;
    for (const AccuracyChart *chart : charts) {
        const Columns own = chart->ownColumns();
        widest.label = std::max(widest.label, own.label);
        widest.percent = std::max(widest.percent, own.percent);
        widest.count = std::max(widest.count, own.count);
    }
    for (AccuracyChart *chart : charts) {
        chart->columns = widest;
        chart->updateGeometry();
        chart->update();
    }
}

int AccuracyChart::titleHeight() const {
    return QFontMetrics(titleFont()).height() + QFontMetrics(smallFont()).height() + 8;
}

int AccuracyChart::rowHeight(const Row &row) const {
    const int line = QFontMetrics(labelFont()).height() + 10;
    return line + static_cast<int>(row.notes.size()) * QFontMetrics(smallFont()).height();
}

AccuracyChart::Columns AccuracyChart::ownColumns() const {
    const QFontMetrics metrics(labelFont());
    Columns own{0, metrics.horizontalAdvance(QStringLiteral("100%")), 0};
    for (const Row &row : rows) {
        own.label = std::max(own.label, metrics.horizontalAdvance(row.label));
        own.percent = std::max(own.percent, metrics.horizontalAdvance(percentText(row.tally)));
        own.count = std::max(own.count, metrics.horizontalAdvance(row.count));
    }
    return own;
}

int AccuracyChart::valueWidth() const {
    return columns.percent + gap + columns.count;
}

QSize AccuracyChart::sizeHint() const {
    int height = titleHeight() + margin;
    for (const Row &row : rows)
        height += rowHeight(row);
    return {2 * margin + columns.label + valueWidth() + 2 * gap + 2 * minimumBar, height};
}

QSize AccuracyChart::minimumSizeHint() const {
    // The lines under the bars are whole, never cut short.
    const QFontMetrics small(smallFont());
    int widestNote = 0;
    for (const Row &row : rows)
        for (const QString &note : row.notes)
            widestNote = std::max(widestNote, small.horizontalAdvance(note));
    const int bars = 2 * margin + columns.label + valueWidth() + 2 * gap + minimumBar;
    return {std::max(bars, 2 * margin + columns.label + gap + widestNote), sizeHint().height()};
}

void AccuracyChart::paintEvent(QPaintEvent *) {
    // Drawn over the panel of the window that holds the charts.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const int barLeft = margin + columns.label + gap;
    // Long bars on a wide window are hard to compare with their figures: they stop at a width.
    const int barRight =
        std::clamp(width() - margin - valueWidth() - gap, barLeft + 1, barLeft + maximumBar);
    const auto xAt = [&](double share) { return barLeft + share * (barRight - barLeft); };
    // The percentages and the counts each right-aligned in their column.
    const int percentRight = barRight + gap + columns.percent;
    const int countRight = percentRight + gap + columns.count;

    painter.setPen(ChartStyle::text);
    painter.setFont(titleFont());
    const QFontMetrics titleMetrics(titleFont());
    painter.drawText(margin, margin / 2 + titleMetrics.ascent(), title);

    // The grid's percentages under the title, each centred on its line.
    const QFontMetrics smallMetrics(smallFont());
    const int gridTop = titleHeight();
    int bottom = gridTop;
    for (const Row &row : rows)
        bottom += rowHeight(row);
    painter.setFont(smallFont());
    for (const int percent : {0, 50, 100}) {
        const QString text = QStringLiteral("%1%").arg(percent);
        const double x = xAt(percent / 100.0);
        painter.setPen(ChartStyle::axisText);
        painter.drawText(QPointF(x - smallMetrics.horizontalAdvance(text) / 2.0,
                                 gridTop - 4 - smallMetrics.descent()),
                         text);
        painter.setPen(QPen(ChartStyle::grid, 1));
        painter.drawLine(QPointF(x, gridTop), QPointF(x, bottom));
    }

    const QFontMetrics labelMetrics(labelFont());
    const int barHeight = std::max(6, labelMetrics.height() * 3 / 5);
    int top = gridTop;
    for (const Row &row : rows) {
        const int lineHeight = labelMetrics.height() + 10;
        const int middle = top + lineHeight / 2;
        const int baseline = middle + (labelMetrics.ascent() - labelMetrics.descent()) / 2;
        painter.setFont(labelFont());
        painter.setPen(ChartStyle::text);
        painter.drawText(margin, baseline, row.label);
        const QString percent = percentText(row.tally);
        painter.drawText(percentRight - labelMetrics.horizontalAdvance(percent), baseline, percent);
        painter.drawText(countRight - labelMetrics.horizontalAdvance(row.count), baseline,
                         row.count);

        if (row.tally.answers() > 0) {
            const double share = static_cast<double>(row.tally.right) / row.tally.answers();
            const QRectF bar(barLeft, middle - barHeight / 2.0, barRight - barLeft, barHeight);
            QPainterPath shape;
            shape.addRoundedRect(bar, 2, 2);
            painter.save();
            painter.setClipPath(shape);
            painter.setPen(Qt::NoPen);
            painter.fillRect(bar, ChartStyle::wrong);
            painter.fillRect(QRectF(bar.left(), bar.top(), xAt(share) - barLeft, bar.height()),
                             ChartStyle::right);
            painter.restore();
        }
        painter.setFont(smallFont());
        painter.setPen(ChartStyle::axisText);
        int noteTop = top + lineHeight - 4;
        for (const QString &note : row.notes) {
            // Over the grid lines, which would run through the words.
            painter.fillRect(QRectF(barLeft, noteTop, smallMetrics.horizontalAdvance(note),
                                    smallMetrics.height()),
                             ChartStyle::panel);
            painter.drawText(barLeft, noteTop + smallMetrics.ascent(), note);
            noteTop += smallMetrics.height();
        }
        top += rowHeight(row);
    }
}

} // namespace miminomi
