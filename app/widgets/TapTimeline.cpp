// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/TapTimeline.h"

#include "app/services/Fonts.h"
#include "app/widgets/ChartStyle.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace miminomi {

namespace {

constexpr int left = 70;
constexpr int pieceY = 42;
constexpr int tapY = 88;

} // namespace

TapTimeline::TapTimeline(QWidget *parent) : QWidget(parent) {
    setMinimumSize(560, 112);
}

void TapTimeline::setData(const PieceNotes &shown, std::vector<double> tapped,
                          std::optional<Dictation> marked) {
    piece = shown;
    taps = std::move(tapped);
    marking = std::move(marked);
    update();
}

void TapTimeline::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), ChartStyle::panel);
    if (piece.notes.empty())
        return;
    std::vector<double> placed = taps;
    if (marking)
        for (double &tap : placed)
            tap = marking->pieceTimeOf(tap);
    double first = piece.notes.front().onsetSeconds, last = piece.notes.back().onsetSeconds;
    for (const double tap : placed) {
        first = std::min(first, tap);
        last = std::max(last, tap);
    }
    const double margin = piece.beatSeconds > 0 ? piece.beatSeconds / 2 : 0.3;
    first -= margin;
    last += margin;
    const int right = width() - 12;
    const auto x = [&](double seconds) {
        return left + int((seconds - first) / std::max(last - first, 0.1) * (right - left));
    };

    painter.setFont(Fonts::ui(9));
    painter.setPen(ChartStyle::text);
    painter.drawText(QRect(8, pieceY - 10, left - 12, 20), Qt::AlignVCenter, QStringLiteral("曲"));
    painter.drawText(QRect(8, tapY - 10, left - 12, 20), Qt::AlignVCenter,
                     QStringLiteral("あなた"));

    // Beats faint, bar lines stronger with the bar's number; an upbeat lies before bar 1.
    if (piece.hasCountIn()) {
        painter.setFont(Fonts::ui(7));
        const double firstBar = piece.firstBarSeconds();
        for (auto beat = static_cast<long>(std::ceil((first - firstBar) / piece.beatSeconds));
             firstBar + double(beat) * piece.beatSeconds <= last; ++beat) {
            const int at = x(firstBar + double(beat) * piece.beatSeconds);
            const bool barLine = beat % piece.beatsPerBar == 0;
            painter.setPen(QPen(barLine ? ChartStyle::axisText : ChartStyle::grid, 1));
            painter.drawLine(at, 16, at, height() - 6);
            if (barLine && beat >= 0)
                painter.drawText(at + 3, 12, QString::number(beat / piece.beatsPerBar + 1));
        }
    }
    painter.setPen(QPen(ChartStyle::grid, 1));
    painter.drawLine(left, pieceY, right, pieceY);
    painter.drawLine(left, tapY, right, tapY);

    painter.setRenderHint(QPainter::Antialiasing);
    if (marking)
        for (const Dictation::Column &column : marking->columns)
            if (column.mark == Dictation::Mark::wrong && column.note && column.given) {
                painter.setPen(QPen(ChartStyle::wrong, 1.5, Qt::DashLine));
                painter.drawLine(x(piece.notes[*column.note].onsetSeconds), pieceY,
                                 x(placed[*column.given]), tapY);
            }
    const auto dot = [&](int cx, int cy, std::optional<bool> met) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(!met   ? ChartStyle::axisText
                         : *met ? ChartStyle::right
                                : ChartStyle::wrong);
        painter.drawEllipse(QPoint(cx, cy), 6, 6);
    };
    // The piece's notes only once marked: before, they would give the answer away.
    for (std::size_t k = 0; marking && k < piece.notes.size(); ++k)
        dot(x(piece.notes[k].onsetSeconds), pieceY, marking->notesGot[k]);
    for (std::size_t k = 0; k < placed.size(); ++k)
        dot(x(placed[k]), tapY,
            marking ? std::optional<bool>(marking->givenMatched[k]) : std::nullopt);
}

} // namespace miminomi
