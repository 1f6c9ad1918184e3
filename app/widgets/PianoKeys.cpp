// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/PianoKeys.h"

#include "app/services/Fonts.h"
#include "app/widgets/ChartStyle.h"
#include "quiz/SingleNote.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace miminomi {

namespace {

constexpr int whiteWidth = 22;
constexpr int blackHeight = 42;
constexpr int keyHeight = 70;
constexpr int labelHeight = 16;

} // namespace

PianoKeys::PianoKeys(std::int32_t lowestKey, std::int32_t keys, QWidget *parent)
    : QWidget(parent), lowest(lowestKey), count(keys) {
    int whites = 0;
    for (std::int32_t note = lowest; note < lowest + count; ++note)
        whites += SingleNote::isBlackKey(note) ? 0 : 1;
    setFixedSize(whiteWidth * whites + 1, keyHeight + labelHeight);
}

std::optional<std::int32_t> PianoKeys::keyAt(QPoint point) const {
    for (const bool black : {true, false})
        for (std::int32_t note = lowest; note < lowest + count; ++note)
            if (SingleNote::isBlackKey(note) == black && rectOf(note).contains(point))
                return note;
    return std::nullopt;
}

QRect PianoKeys::rectOf(std::int32_t note) const {
    int whites = 0;
    for (std::int32_t below = lowest; below < note; ++below)
        whites += SingleNote::isBlackKey(below) ? 0 : 1;
    if (SingleNote::isBlackKey(note))
        return {whites * whiteWidth - whiteWidth / 3, 0, whiteWidth * 2 / 3, blackHeight};
    return {whites * whiteWidth, 0, whiteWidth, keyHeight - 1};
}

void PianoKeys::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setFont(Fonts::ui(8));
    for (const bool black : {false, true})
        for (std::int32_t note = lowest; note < lowest + count; ++note) {
            if (SingleNote::isBlackKey(note) != black)
                continue;
            painter.setPen(isEnabled() ? ChartStyle::text : ChartStyle::grid);
            painter.setBrush(black ? painter.pen().color() : QColor(Qt::white));
            painter.drawRect(rectOf(note));
            if (note % 12 == 0 && labelOfC) {
                // Beneath the octave's seven white keys, from its C.
                // The last C's label, with fewer keys above it, ends at the keyboard's end.
                const QString label = labelOfC(note);
                const int left = std::min(rectOf(note).left(),
                                          width() - painter.fontMetrics().horizontalAdvance(label));
                painter.drawText(QRect(left, keyHeight, width() - left, labelHeight),
                                 Qt::AlignLeft | Qt::AlignVCenter, label);
            }
        }
}

void PianoKeys::mousePressEvent(QMouseEvent *event) {
    if (const auto note = keyAt(event->position().toPoint()); note && onKey)
        onKey(*note);
}

} // namespace miminomi
