// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/ExamStaff.h"

#include "app/services/Fonts.h"
#include "app/widgets/StaffView.h"
#include "music/Notation.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>

namespace miminomi {

namespace {

const QColor ink(24, 26, 30);
/// The faint rests that show what a bar has left.
const QColor faint(182, 186, 194);
const QColor cursorColour(30, 110, 230);
const QColor wrongColour(214, 40, 40);
const QColor overfullTint(255, 222, 222);
const QColor rightTint(226, 244, 228);
/// Room above the music for the bars' labels, in staff spaces.
constexpr double labelRoom = 2.2;
constexpr double margin = 4;

/// The rests that fill `ticks` from `position` of a bar, beat by beat as a musician writes them.
std::vector<music::Note> restsFilling(const music::Metre &metre, std::int32_t position,
                                      std::int32_t ticks) {
    std::vector<music::Note> rests;
    const std::int32_t beat = metre.beatTicks();
    while (ticks > 0) {
        const std::int32_t toBeat = beat - position % beat;
        const std::int32_t part = std::min(ticks, toBeat);
        for (const auto &value : music::writtenValues(metre, position, part, true, false))
            rests.push_back({std::nullopt, value, false});
        position += part;
        ticks -= part;
    }
    return rests;
}

/// Where each bar of the first staff stands: its left and right x and its line of music.
struct BarBox {
    int system = 0;
    double left = 0;
    double right = 0;
    double top = 0;
};

std::vector<BarBox> barBoxes(const StaffLayout &layout, std::size_t bars) {
    std::vector<BarBox> boxes(bars);
    // The first note of each bar tells its line; the bar lines of that line, in order, its end.
    std::map<int, std::vector<int>> barsOfSystem;
    for (const auto &note : layout.notes)
        if (note.ref.staff == 0 && note.ref.voice == 0) {
            auto &list = barsOfSystem[note.system];
            if (std::find(list.begin(), list.end(), note.ref.bar) == list.end())
                list.push_back(note.ref.bar);
        }
    for (auto &[system, list] : barsOfSystem) {
        std::sort(list.begin(), list.end());
        const StaffLayout::Staff *staff = nullptr;
        for (const auto &s : layout.staves)
            if (s.system == system && s.staff == 0)
                staff = &s;
        if (!staff)
            continue;
        std::vector<double> ends;
        for (const auto &line : layout.lines)
            if ((line.kind == StaffLayout::LineKind::barline ||
                 line.kind == StaffLayout::LineKind::finalBarline) &&
                std::abs(line.line.y1() - staff->top) < 0.5)
                ends.push_back(line.line.x1());
        std::sort(ends.begin(), ends.end());
        // The final bar line is a thin and a thick line: one end.
        std::vector<double> merged;
        for (double x : ends)
            if (merged.empty() || x - merged.back() > layout.space * 1.5)
                merged.push_back(x);
            else
                merged.back() = x;
        double left = 0;
        for (const auto &note : layout.notes)
            if (note.system == system && note.ref.bar == list.front())
                left = left == 0 ? note.head.x() : std::min(left, note.head.x());
        left -= layout.space * 2;
        for (std::size_t k = 0; k < list.size() && k < merged.size(); ++k) {
            const auto b = static_cast<std::size_t>(list[k]);
            if (b < boxes.size())
                boxes[b] = {system, left, merged[k], staff->top};
            left = merged[k];
        }
    }
    return boxes;
}

/// The top of what bar `bar` of the first staff draws above its staff: noteheads and stems.
double topOfBar(const StaffLayout &layout, int bar, double staffTop) {
    double top = staffTop - layout.space * 1.8; // above the cursor's mark
    for (const auto &note : layout.notes)
        if (note.ref.staff == 0 && note.ref.bar == bar) {
            top = std::min(top, note.head.y() - layout.space * 0.7);
            if (!note.stem.isNull())
                top = std::min(top, std::min(note.stem.y1(), note.stem.y2()) - layout.space * 0.3);
        }
    return top;
}

QString beatsText(std::int32_t ticks, const music::Metre &metre) {
    const double beats = double(ticks) / metre.beatTicks();
    return QString::number(beats, 'g', 3) + QStringLiteral("拍");
}

} // namespace

ExamStaff::ExamStaff(QWidget *parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // No input method here: letters and digits arrive as keys with whatever input method on.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFont(Fonts::ui(9));
}

void ExamStaff::showWriting(Writing shown) {
    writing = std::move(shown);
    marked.reset();
    cached.reset();
    updateGeometry();
    update();
}

void ExamStaff::showMarked(Marked shown) {
    marked = std::move(shown);
    writing.reset();
    cached.reset();
    updateGeometry();
    update();
}

bool ExamStaff::oneLine() const {
    return (writing && writing->rhythmOnly) || (marked && marked->rhythmOnly);
}

namespace {

/// A rhythm as it is written on one line: every note on the middle line, no signature.
music::Score onOneLine(music::Score score) {
    score.key = {};
    for (auto &bar : score.bars)
        for (auto &note : bar.upper)
            if (note.pitch)
                note.pitch = music::Pitch{music::Step::B, 0, 4};
    return score;
}

} // namespace

ExamStaff::Shown ExamStaff::shown() const {
    Shown out;
    if (marked) {
        out.scores = {marked->item, marked->written};
        if (marked->rhythmOnly)
            for (auto &score : out.scores)
                score = onOneLine(score);
        out.marks = marked->marks;
        return out;
    }
    if (!writing)
        return out;
    music::Score score = writing->rhythmOnly ? onOneLine(writing->written) : writing->written;
    const auto &metre = score.metre;
    for (std::size_t b = 0; b < score.bars.size(); ++b) {
        auto &notes = score.bars[b].upper;
        std::int32_t used = 0;
        for (const auto &note : notes)
            used += note.value.ticks();
        const std::int32_t length = b < writing->barTicks.size() ? writing->barTicks[b] : 0;
        if (used >= length)
            continue;
        // An upbeat's notes stand at the end of a full bar.
        const std::int32_t start = score.bars[b].pickup ? metre.barTicks() - length : 0;
        const std::size_t first = notes.size();
        for (const auto &rest : restsFilling(metre, start + used, length - used))
            notes.push_back(rest);
        for (std::size_t i = first; i < notes.size(); ++i)
            out.marks.push_back({{0, int(b), 0, int(i)}, faint, std::nullopt, {}});
    }
    out.scores = {std::move(score)};
    return out;
}

const StaffLayout &ExamStaff::layoutFor(double width) const {
    if (!cached || cachedWidth != width) {
        cachedShown = shown();
        cached = layoutStaff(cachedShown.scores, cachedShown.marks, {space, width - 2 * margin, 4});
        cachedWidth = width;
    }
    return *cached;
}

int ExamStaff::heightFor(double width) const {
    if (!writing && !marked)
        return 0;
    return static_cast<int>(std::ceil(layoutFor(width).size.height() + labelRoom * space * 2));
}

QSize ExamStaff::sizeHint() const {
    return {static_cast<int>(90 * space), std::max(heightFor(90 * space), 120)};
}

QSize ExamStaff::minimumSizeHint() const {
    // The window stays on the screen; a long answer is drawn as far as it reaches.
    return {static_cast<int>(60 * space), std::clamp(heightFor(90 * space), 100, 280)};
}

void ExamStaff::render(QPainter &painter, double width) const {
    if (!writing && !marked)
        return;
    StaffLayout layout = layoutFor(width);
    const double sp = layout.space;
    const QPointF origin(margin, labelRoom * sp);
    const std::size_t barCount = marked ? marked->item.bars.size() : writing->written.bars.size();
    const auto boxes = barBoxes(layout, barCount);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(origin);
    QFont labelFont = font();
    labelFont.setPixelSize(std::max(10, static_cast<int>(sp * 1.25)));
    painter.setFont(labelFont);

    const auto barArea = [&](const BarBox &box, int staves) {
        return QRectF(box.left, box.top - sp, box.right - box.left,
                      (staves == 2 ? 0 : 6 * sp) + sp);
    };
    if (writing) {
        // Each bar: an overfull one tinted and labelled, another its time left.
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            const BarBox &box = boxes[b];
            if (box.right <= box.left)
                continue;
            std::int32_t used = 0;
            for (const auto &note : writing->written.bars[b].upper)
                used += note.value.ticks();
            const std::int32_t left = writing->barTicks[b] - used;
            const QRectF label(box.left + sp * 0.5,
                               topOfBar(layout, int(b), box.top) - labelRoom * sp,
                               box.right - box.left - sp, labelRoom * sp);
            if (left < 0) {
                painter.fillRect(barArea(box, 1), overfullTint);
                painter.setPen(wrongColour);
                painter.drawText(label, Qt::AlignLeft | Qt::AlignBottom,
                                 beatsText(-left, writing->written.metre) +
                                     QStringLiteral("多すぎます"));
            } else if (left > 0 && used > 0) {
                painter.setPen(QColor(110, 114, 122));
                painter.drawText(label, Qt::AlignLeft | Qt::AlignBottom,
                                 QStringLiteral("残り") + beatsText(left, writing->written.metre));
            }
        }
    } else {
        for (std::size_t b = 0; b < boxes.size() && b < marked->barLabels.size(); ++b) {
            const BarBox &box = boxes[b];
            const QRectF label(box.left + sp * 0.5,
                               topOfBar(layout, int(b), box.top) - labelRoom * sp,
                               box.right - box.left - sp, labelRoom * sp);
            painter.setPen(marked->barRight[b] ? QColor(30, 130, 60) : wrongColour);
            painter.drawText(label, Qt::AlignLeft | Qt::AlignBottom, marked->barLabels[b]);
        }
    }

    if (oneLine()) {
        // One line: the middle line of each staff, without clef and signature.
        painter.setPen(QPen(ink, 0.13 * sp));
        for (const auto &staff : layout.staves)
            painter.drawLine(QPointF(staff.left, staff.top + 2 * sp),
                             QPointF(staff.right, staff.top + 2 * sp));
        layout.staves.clear();
        std::erase_if(layout.glyphs, [](const StaffLayout::Glyph &glyph) {
            return glyph.owner.note < 0 && glyph.symbol < StaffSymbol::digit0;
        });
    }
    StaffView::paint(painter, layout, cachedShown.marks, {}, ink);

    if (writing) {
        // The cursor: a box around the note being corrected, or a bar where the next note goes.
        const int bar = writing->cursorBar;
        const int index = writing->cursorIndex;
        const auto &notes = writing->written.bars[static_cast<std::size_t>(bar)].upper;
        const StaffLayout::Note *at = layout.find({0, bar, 0, index});
        if (at && static_cast<std::size_t>(index) < notes.size()) {
            const auto &staff = layout.staffOf(*at);
            painter.setPen(QPen(cursorColour, 2));
            painter.setBrush(QColor(30, 110, 230, 40));
            painter.drawRoundedRect(
                QRectF(at->head.x() - sp * 1.1, staff.top - 1.5 * sp, sp * 2.2, 7 * sp), 3, 3);
        } else if (static_cast<std::size_t>(bar) < boxes.size()) {
            double x = boxes[static_cast<std::size_t>(bar)].left + sp * 1.5;
            double top = boxes[static_cast<std::size_t>(bar)].top;
            if (at) {
                x = at->head.x() - sp * 1.2; // the first faint rest
                top = layout.staffOf(*at).top;
            } else if (index > 0) {
                if (const auto *before = layout.find({0, bar, 0, index - 1})) {
                    x = before->head.x() + sp * 1.6;
                    top = layout.staffOf(*before).top;
                }
            }
            painter.setPen(QPen(cursorColour, 2.5));
            painter.drawLine(QPointF(x, top - sp), QPointF(x, top + 5 * sp));
            painter.setPen(Qt::NoPen);
            painter.setBrush(cursorColour);
            painter.drawPolygon(
                QPolygonF({QPointF(x - sp * 0.6, top - sp * 1.6),
                           QPointF(x + sp * 0.6, top - sp * 1.6), QPointF(x, top - sp)}));
        }
    }
    painter.restore();
}

void ExamStaff::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (hasFocus()) {
        painter.setPen(QPen(cursorColour, 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    render(painter, width());
}

bool ExamStaff::event(QEvent *event) {
    // Every key, Tab and the arrows included, before the widget's own handling moves the focus.
    if (event->type() == QEvent::KeyPress && onKey && onKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::event(event);
}

void ExamStaff::mousePressEvent(QMouseEvent *event) {
    setFocus();
    if (!writing || !onClick || !cached)
        return;
    // The written note nearest the click on its line; a faint rest stands for its bar's end.
    const QPointF at = event->position() - QPointF(margin, labelRoom * cached->space);
    const StaffLayout::Note *nearest = nullptr;
    double best = cached->space * 3;
    for (const auto &note : cached->notes) {
        const auto &staffOf = cached->staffOf(note);
        if (at.y() < staffOf.top - cached->space * 4 || at.y() > staffOf.top + cached->space * 8)
            continue;
        const double distance = std::abs(note.head.x() - at.x());
        if (distance < best) {
            best = distance;
            nearest = &note;
        }
    }
    if (!nearest)
        return;
    const auto &notes = writing->written.bars[static_cast<std::size_t>(nearest->ref.bar)].upper;
    onClick(nearest->ref.bar, std::min(nearest->ref.index, static_cast<int>(notes.size())));
}

void ExamStaff::inputMethodEvent(QInputMethodEvent *event) {
    // Only reached if an input method is forced on: its committed text counts as typed.
    if (onText && !event->commitString().isEmpty())
        onText(event->commitString());
    event->accept();
}

} // namespace miminomi
