// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/TrendChart.h"

#include "app/services/Fonts.h"
#include "app/widgets/ChartStyle.h"
#include "records/RecordDate.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace miminomi {

namespace {

const int margin = 10;

QFont titleFont() {
    return Fonts::ui(10.5, true);
}
QFont smallFont() {
    return Fonts::ui(8.25);
}

QString shortDate(std::int32_t day) {
    const RecordDate date = RecordDate::fromDayNumber(day);
    return QStringLiteral("%1/%2").arg(date.getMonth()).arg(date.getDay());
}

} // namespace

TrendChart::TrendChart(QWidget *parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void TrendChart::setDays(const std::vector<DayAccuracy> &all, const QString &rate,
                         const QString &count) {
    days.clear();
    std::copy_if(all.begin(), all.end(), std::back_inserter(days),
                 [](const DayAccuracy &day) { return day.tally.answers() > 0; });
    rateCaption = rate;
    countCaption = count;
    update();
}

QSize TrendChart::sizeHint() const {
    return {600, 190};
}

QSize TrendChart::minimumSizeHint() const {
    const int small = QFontMetrics(smallFont()).height();
    return {300, QFontMetrics(titleFont()).height() + 5 * small + 80};
}

void TrendChart::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), ChartStyle::panel);

    const QFontMetrics titleMetrics(titleFont());
    const QFontMetrics small(smallFont());
    painter.setFont(titleFont());
    painter.setPen(ChartStyle::text);
    painter.drawText(margin, margin / 2 + titleMetrics.ascent(),
                     QStringLiteral("日ごとの") + rateCaption);

    // The legend at the right of the title: the line and the small bar.
    painter.setFont(smallFont());
    const QString &pointLegend = rateCaption;
    const int legendBaseline = margin / 2 + titleMetrics.ascent();
    int x = width() - margin - small.horizontalAdvance(countCaption);
    painter.setPen(ChartStyle::axisText);
    painter.drawText(x, legendBaseline, countCaption);
    painter.fillRect(QRectF(x - 12, legendBaseline - 8, 8, 8), ChartStyle::countBar);
    x -= 12 + 24 + small.horizontalAdvance(pointLegend);
    painter.drawText(x, legendBaseline, pointLegend);
    painter.setPen(QPen(ChartStyle::trendLine, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x - 18, legendBaseline - 4), QPointF(x - 6, legendBaseline - 4));

    // From the top: the title, the percentages, the small bars with their figures, the dates.
    const int left = margin + small.horizontalAdvance(QStringLiteral("100%")) + 6;
    const int right = width() - margin;
    const int plotTop = titleMetrics.height() + margin + small.height() / 2;
    const int dateBaseline = height() - margin / 2 - small.descent();
    const int countBottom = dateBaseline - small.ascent() - 4;
    const int countTop = countBottom - std::max(small.height() + 16, height() / 5);
    const int plotBottom = countTop - small.height() / 2 - 6;
    const auto yAt = [&](double share) { return plotBottom - share * (plotBottom - plotTop); };

    painter.setFont(smallFont());
    for (const int percent : {0, 50, 100}) {
        const double y = yAt(percent / 100.0);
        const QString text = QStringLiteral("%1%").arg(percent);
        painter.setPen(ChartStyle::axisText);
        painter.drawText(QPointF(left - 6 - small.horizontalAdvance(text),
                                 y + (small.ascent() - small.descent()) / 2.0),
                         text);
        painter.setPen(QPen(ChartStyle::grid, 1));
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    if (days.empty())
        return;

    // Each day of the stretch from the first day with answers to the last takes a slot, so that
    // days without answers show as a gap.
    const std::int32_t firstDay = days.front().day;
    const double slot = static_cast<double>(right - left) / (days.back().day - firstDay + 1);
    const auto xAt = [&](std::size_t i) { return left + slot * (days[i].day - firstDay + 0.5); };
    // The room around each point: to its nearer neighbour, or the whole width when it is alone.
    const auto roomAt = [&](std::size_t i) {
        double room = right - left;
        if (i > 0)
            room = std::min(room, xAt(i) - xAt(i - 1));
        if (i + 1 < days.size())
            room = std::min(room, xAt(i + 1) - xAt(i));
        return room;
    };
    double closest = right - left;
    std::int64_t most = 1;
    for (std::size_t i = 0; i < days.size(); ++i) {
        closest = std::min(closest, roomAt(i));
        most = std::max(most, days[i].tally.answers());
    }

    // The small bars, with their figures where there is room for them, and the dates, each where
    // it does not run into the one before.
    const double barWidth = std::clamp(slot * 0.6, 1.0, 22.0);
    const int barSpace = countBottom - countTop - small.height();
    double dateEnd = left - margin;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const std::int64_t count = days[i].tally.answers();
        const double barHeight = std::max(1.0, static_cast<double>(count) * barSpace / most);
        painter.fillRect(
            QRectF(xAt(i) - barWidth / 2, countBottom - barHeight, barWidth, barHeight),
            ChartStyle::countBar);
        painter.setPen(ChartStyle::axisText);
        const QString figure = QString::number(count);
        const int figureWidth = small.horizontalAdvance(figure);
        if (figureWidth + 4 <= roomAt(i))
            painter.drawText(QPointF(xAt(i) - figureWidth / 2.0, countBottom - barHeight - 3),
                             figure);
        const QString date = shortDate(days[i].day);
        const double dateLeft = xAt(i) - small.horizontalAdvance(date) / 2.0;
        if (dateLeft >= dateEnd + 8) {
            painter.drawText(QPointF(dateLeft, dateBaseline), date);
            dateEnd = dateLeft + small.horizontalAdvance(date);
        }
    }

    const auto pointAt = [&](std::size_t i) {
        const Tally &tally = days[i].tally;
        return QPointF(xAt(i), yAt(static_cast<double>(tally.right) / tally.answers()));
    };
    // The line first, solid from day to day and dashed across days without answers; then the
    // points over it.
    QPainterPath daily;
    QPainterPath acrossGaps;
    for (std::size_t i = 1; i < days.size(); ++i) {
        QPainterPath &path = days[i].day - days[i - 1].day == 1 ? daily : acrossGaps;
        path.moveTo(pointAt(i - 1));
        path.lineTo(pointAt(i));
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ChartStyle::trendLine, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(daily);
    painter.setPen(QPen(ChartStyle::trendLine, 1.5, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(acrossGaps);
    const double radius = std::clamp(closest / 4, 2.0, 4.0);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(ChartStyle::trendPoint);
    for (std::size_t i = 0; i < days.size(); ++i)
        painter.drawEllipse(pointAt(i), radius, radius);
}

} // namespace miminomi
