// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/AccuracyChart.h"

#include "app/services/Fonts.h"
#include "app/widgets/ChartStyle.h"

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

} // namespace

AccuracyChart::AccuracyChart(QString title, std::vector<Row> rows, QWidget *parent)
    : QWidget(parent), title(std::move(title)), rows(std::move(rows)) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int AccuracyChart::titleHeight() const {
    return QFontMetrics(titleFont()).height() + QFontMetrics(smallFont()).height() + 8;
}

int AccuracyChart::rowHeight(const Row &row) const {
    const int line = QFontMetrics(labelFont()).height() + 10;
    return line + static_cast<int>(row.notes.size()) * QFontMetrics(smallFont()).height();
}

int AccuracyChart::labelWidth() const {
    const QFontMetrics metrics(labelFont());
    int widest = 0;
    for (const Row &row : rows)
        widest = std::max(widest, metrics.horizontalAdvance(row.label));
    return widest;
}

QString AccuracyChart::valueText(const Row &row) {
    if (row.tally.answers() == 0)
        return QStringLiteral("—\u3000") + row.count;
    return QStringLiteral("%1%\u3000%2").arg(row.tally.percentRight()).arg(row.count);
}

int AccuracyChart::valueWidth() const {
    const QFontMetrics metrics(labelFont());
    int widest = metrics.horizontalAdvance(QStringLiteral("100%"));
    for (const Row &row : rows)
        widest = std::max(widest, metrics.horizontalAdvance(valueText(row)));
    return widest;
}

QSize AccuracyChart::sizeHint() const {
    int height = titleHeight() + margin;
    for (const Row &row : rows)
        height += rowHeight(row);
    return {2 * margin + labelWidth() + valueWidth() + 2 * gap + 2 * minimumBar, height};
}

QSize AccuracyChart::minimumSizeHint() const {
    return {2 * margin + labelWidth() + valueWidth() + 2 * gap + minimumBar, sizeHint().height()};
}

void AccuracyChart::paintEvent(QPaintEvent *) {
    // Drawn over the panel of the window that holds the charts.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const int barLeft = margin + labelWidth() + gap;
    // Long bars on a wide window are hard to compare with their figures: they stop at a width.
    const int barRight =
        std::clamp(width() - margin - valueWidth() - gap, barLeft + 1, barLeft + maximumBar);
    const auto xAt = [&](double share) { return barLeft + share * (barRight - barLeft); };

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
        painter.drawText(barRight + gap, baseline, valueText(row));

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
            painter.drawText(
                barLeft, noteTop + smallMetrics.ascent(),
                smallMetrics.elidedText(note, Qt::ElideRight, width() - margin - barLeft));
            noteTop += smallMetrics.height();
        }
        top += rowHeight(row);
    }
}

} // namespace miminomi
