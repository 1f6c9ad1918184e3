// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/StaffView.h"

#include "app/services/Fonts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>

namespace miminomi {

namespace {

const QColor defaultInk(24, 26, 30);
constexpr double staffLineWidth = 0.13;
constexpr double dotRadius = 0.2;
constexpr double beamThickness = 0.5;

/// A symbol's outline scaled to a height of 1 with its box's top left corner at the origin, and
/// its width at that height.
struct Outline {
    QPainterPath path;
    double width = 0;
};

char32_t codeOf(StaffSymbol symbol) {
    switch (symbol) {
    case StaffSymbol::gClef:
        return U'\U0001D11E';
    case StaffSymbol::fClef:
        return U'\U0001D122';
    case StaffSymbol::blackHead:
        return U'\U0001D158';
    case StaffSymbol::halfHead:
        return U'\U0001D157';
    case StaffSymbol::wholeHead:
        return U'\U0001D15D';
    case StaffSymbol::flag8:
        return U'\U0001D16E';
    case StaffSymbol::flag16:
        return U'\U0001D16F';
    case StaffSymbol::sharp:
        return U'\u266F';
    case StaffSymbol::flat:
        return U'\u266D';
    case StaffSymbol::natural:
        return U'\u266E';
    case StaffSymbol::doubleSharp:
        return U'\U0001D12A';
    case StaffSymbol::doubleFlat:
        return U'\U0001D12B';
    case StaffSymbol::quarterRest:
        return U'\U0001D13D';
    case StaffSymbol::eighthRest:
        return U'\U0001D13E';
    case StaffSymbol::sixteenthRest:
        return U'\U0001D13F';
    default:
        return U'0' + static_cast<char32_t>(static_cast<int>(symbol) -
                                            static_cast<int>(StaffSymbol::digit0));
    }
}

const Outline &outlineOf(StaffSymbol symbol) {
    static std::array<std::optional<Outline>, static_cast<std::size_t>(StaffSymbol::digit0) + 10>
        outlines;
    auto &outline = outlines[static_cast<std::size_t>(symbol)];
    if (!outline) {
        static const bool warned = [] {
            if (!Fonts::hasNotation())
                std::cerr << "miminomi: the notation font " << Fonts::notationFamily.toStdString()
                          << " is not installed (package fonts-freefont-ttf); the staff is drawn "
                             "with another font\n"
                          << std::flush;
            return true;
        }();
        (void)warned;
        const bool digit = symbol >= StaffSymbol::digit0;
        const char32_t code = codeOf(symbol);
        QPainterPath path;
        path.addText(0, 0, Fonts::notation(digit), QString::fromUcs4(&code, 1));
        const QRectF box = path.boundingRect();
        Outline made;
        if (box.height() > 0) {
            QTransform toUnit;
            toUnit.scale(1 / box.height(), 1 / box.height());
            toUnit.translate(-box.left(), -box.top());
            made.path = toUnit.map(path);
            made.width = box.width() / box.height();
        }
        outline = made;
    }
    return *outline;
}

void drawGlyph(QPainter &painter, const StaffLayout::Glyph &glyph, double space) {
    const SymbolBox box = symbolBox(glyph.symbol);
    const Outline &outline = outlineOf(glyph.symbol);
    const double height = box.height * space;
    QTransform place;
    place.translate(glyph.at.x(), glyph.at.y());
    if (glyph.mirrored)
        place.scale(1, -1);
    // Centred in its box's width, its anchor on the point.
    place.translate((box.width - outline.width * box.height) / 2 * space, -box.anchor * height);
    place.scale(height, height);
    painter.drawPath(place.map(outline.path));
}

/// A tie as a crescent: thick in the middle, pointed at both ends, bowed away from the notes.
QPainterPath tiePath(const StaffLayout::Tie &tie, double space) {
    const double length = QLineF(tie.from, tie.to).length();
    const double height = std::clamp(length * 0.12, 0.45 * space, 1.0 * space);
    const double thickness = 0.17 * space;
    const double sign = tie.above ? -1 : 1;
    const auto control = [&](double fraction, double bow) {
        return tie.from + (tie.to - tie.from) * fraction + QPointF(0, sign * bow);
    };
    QPainterPath path(tie.from);
    path.cubicTo(control(0.2, height * 4 / 3), control(0.8, height * 4 / 3), tie.to);
    const double inner = (height - thickness) * 4 / 3;
    path.cubicTo(control(0.8, inner), control(0.2, inner), tie.from);
    return path;
}

} // namespace

StaffView::StaffView(QWidget *parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void StaffView::setScore(const music::Score &score) {
    setScores({score});
}

void StaffView::setScores(std::vector<music::Score> shown) {
    scores = std::move(shown);
    updateGeometry();
    update();
}

void StaffView::setMarks(std::vector<NoteMark> shown) {
    marks = std::move(shown);
    updateGeometry();
    update();
}

void StaffView::setStaffSpace(double staffSpace) {
    space = staffSpace;
    updateGeometry();
    update();
}

StaffLayout StaffView::layout(double width) const {
    return layoutStaff(scores, marks, {space, width, 4});
}

void StaffView::paint(QPainter &painter, const QRectF &area) const {
    paint(painter, layout(area.width()), marks, area.topLeft(), defaultInk);
}

QSize StaffView::sizeHint() const {
    const int width = std::max(320, static_cast<int>(80 * space));
    return {width, heightForWidth(width)};
}

int StaffView::heightForWidth(int width) const {
    return scores.empty() ? 0 : static_cast<int>(std::ceil(layout(width).size.height()));
}

void StaffView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    paint(painter, rect());
}

void StaffView::paint(QPainter &painter, const StaffLayout &layout,
                      const std::vector<NoteMark> &marks, QPointF origin, const QColor &ink) {
    const double sp = layout.space;
    const auto colourOf = [&](StaffLayout::Owner owner) {
        if (owner.note < 0)
            return ink;
        const NoteRef &ref = layout.notes[static_cast<std::size_t>(owner.note)].ref;
        for (const NoteMark &mark : marks)
            if (mark.note == ref) {
                const QColor &colour = owner.shown ? mark.shownColour : mark.colour;
                return colour.isValid() ? colour : ink;
            }
        return ink;
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(origin);

    QPen pen(ink, staffLineWidth * sp, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    for (const auto &staff : layout.staves)
        for (int line = 0; line < 5; ++line) {
            const double y = staff.top + line * sp;
            painter.drawLine(QPointF(staff.left, y), QPointF(staff.right, y));
        }
    for (const auto &line : layout.lines) {
        pen.setColor(colourOf(line.owner));
        pen.setWidthF(line.width);
        painter.setPen(pen);
        painter.drawLine(line.line);
    }
    painter.setPen(Qt::NoPen);
    for (const auto &beam : layout.beams) {
        const QPointF half(0, beamThickness * sp / 2);
        painter.setBrush(colourOf(beam.owner));
        painter.drawPolygon(QPolygonF({beam.line.p1() - half, beam.line.p2() - half,
                                       beam.line.p2() + half, beam.line.p1() + half}));
    }
    for (const auto &glyph : layout.glyphs) {
        painter.setBrush(colourOf(glyph.owner));
        drawGlyph(painter, glyph, sp);
    }
    for (const auto &tie : layout.ties) {
        painter.setBrush(colourOf(tie.owner));
        painter.drawPath(tiePath(tie, sp));
    }
    for (const auto &dot : layout.dots) {
        painter.setBrush(colourOf(dot.owner));
        painter.drawEllipse(dot.centre, dotRadius * sp, dotRadius * sp);
    }
    for (const auto &block : layout.blocks) {
        painter.setBrush(colourOf(block.owner));
        painter.drawRect(block.rect);
    }
    painter.restore();
}

} // namespace miminomi
