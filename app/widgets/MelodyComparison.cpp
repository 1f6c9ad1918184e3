// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/MelodyComparison.h"

#include "app/services/Fonts.h"
#include "app/services/ItemNames.h"
#include "app/widgets/ChartStyle.h"

#include <QPainter>

namespace miminomi {

namespace {

constexpr int left = 70;
constexpr int pieceY = 10;
constexpr int givenY = 44;
constexpr int rowHeight = 22;
constexpr int pairHeight = 76;

} // namespace

MelodyComparison::MelodyComparison(QWidget *parent) : QWidget(parent) {
    setMinimumSize(560, 80);
}

void MelodyComparison::setData(std::vector<std::int32_t> notes, std::vector<std::int32_t> given,
                               std::optional<Dictation> marked) {
    pieceNotes = std::move(notes);
    entered = std::move(given);
    marking = std::move(marked);
    const std::vector<QRect> placed = cells(std::max(width(), minimumWidth()));
    setMinimumHeight(placed.empty() ? pairHeight : placed.back().bottom() + 1);
    update();
}

std::vector<QRect> MelodyComparison::cells(int availableWidth) const {
    // Each column is as wide as its wider note; a row that is full goes on beneath.
    std::vector<QRect> placed;
    if (!marking)
        return placed;
    const QFontMetrics metrics(Fonts::ui(9));
    const int minimum = metrics.horizontalAdvance(writtenNote(61)) + 8;
    int x = left, y = 0;
    for (const Dictation::Column &column : marking->columns) {
        int w = minimum;
        if (column.note)
            w = std::max(w, metrics.horizontalAdvance(writtenNote(pieceNotes[*column.note])) + 8);
        if (column.given)
            w = std::max(w, metrics.horizontalAdvance(writtenNote(entered[*column.given])) + 8);
        if (x + w > availableWidth - 8 && x > left) {
            x = left;
            y += pairHeight;
        }
        placed.emplace_back(x, y, w, pairHeight);
        x += w;
    }
    return placed;
}

void MelodyComparison::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ChartStyle::panel);
    if (!marking)
        return;
    painter.setFont(Fonts::ui(9));
    const std::vector<QRect> placed = cells(width());
    for (int y = 0; !placed.empty() && y <= placed.back().y(); y += pairHeight) {
        painter.setPen(ChartStyle::text);
        painter.drawText(QRect(8, y + pieceY, left - 12, rowHeight), Qt::AlignVCenter,
                         QStringLiteral("曲"));
        painter.drawText(QRect(8, y + givenY, left - 12, rowHeight), Qt::AlignVCenter,
                         QStringLiteral("あなた"));
    }
    for (std::size_t k = 0; k < placed.size(); ++k) {
        const Dictation::Column &column = marking->columns[k];
        const QRect cell = placed[k];
        if (column.mark != Dictation::Mark::right) {
            // A column that differs is tinted, with a gap where one row has nothing.
            QColor tint = ChartStyle::wrong;
            tint.setAlpha(28);
            painter.fillRect(QRect(cell.x(), cell.y() + pieceY - 2, cell.width(),
                                   givenY + rowHeight - pieceY + 4),
                             tint);
        }
        painter.setPen(column.mark == Dictation::Mark::right ? ChartStyle::right
                                                             : ChartStyle::wrong);
        if (column.note)
            painter.drawText(QRect(cell.x(), cell.y() + pieceY, cell.width(), rowHeight),
                             Qt::AlignCenter, writtenNote(pieceNotes[*column.note]));
        if (column.given)
            painter.drawText(QRect(cell.x(), cell.y() + givenY, cell.width(), rowHeight),
                             Qt::AlignCenter, writtenNote(entered[*column.given]));
    }
}

} // namespace miminomi
