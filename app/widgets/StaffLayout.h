// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace miminomi {

/// The symbols the staff draws from the notation font; everything else (staff and ledger lines,
/// stems, beams, bar lines, ties, dots, the whole and half rests) is drawn as paths.
enum class StaffSymbol : std::uint8_t {
    gClef,
    fClef,
    blackHead,
    halfHead,
    wholeHead,
    flag8,
    flag16,
    sharp,
    flat,
    natural,
    doubleSharp,
    doubleFlat,
    quarterRest,
    eighthRest,
    sixteenthRest,
    digit0, // digit0 + n for the digit n of a time signature
};

/// The box a symbol is drawn in, in staff spaces: the glyph is scaled to `height` and centred in
/// `width`; `anchor` is the fraction of the height, from the top, that sits on the point the
/// layout gives (a notehead's centre, a G clef's curl on the G line, a flat's bowl).
struct SymbolBox {
    double width;
    double height;
    double anchor;
};
SymbolBox symbolBox(StaffSymbol symbol);

/// One note or rest of a score shown on the staff: which score (0 the first, 1 the second staff
/// beneath it), which bar, which voice (0 upper, 1 lower) and its index in that voice.
struct NoteRef {
    int staff = 0;
    int bar = 0;
    int voice = 0;
    int index = 0;
    bool operator==(const NoteRef &) const = default;
};

/// How one note is shown: in its own colour, and optionally with another pitch (the right one,
/// where the learner wrote a wrong one) drawn as a second notehead at the same place in
/// `shownColour`.
struct NoteMark {
    NoteRef note;
    QColor colour;
    std::optional<music::Pitch> shown;
    QColor shownColour;
};

/// How large and how wide to set the music: `space` is the distance of two staff lines in device
/// independent pixels; bars wrap onto as many lines as `width` needs, at most `barsPerLine` a line.
struct StaffOptions {
    double space = 9;
    double width = 720;
    int barsPerLine = 4;
};

/// Where every element of one or two scores goes, in device independent pixels from the top left
/// corner of the area: the painter draws only what this holds, and tests read it.
struct StaffLayout {
    /// Whose colour an element takes: the note (an index into `notes`) or none; `shown` for the
    /// second notehead of a mark.
    struct Owner {
        int note = -1;
        bool shown = false;
    };
    /// The five lines of one staff on one line of music, `space` apart from `top`.
    struct Staff {
        int system = 0;
        int staff = 0;
        double top = 0;
        double left = 0;
        double right = 0;
    };
    enum class LineKind : std::uint8_t { ledger, stem, barline, finalBarline, systemStart };
    struct Line {
        LineKind kind;
        QLineF line;
        double width;
        Owner owner;
    };
    /// A symbol whose box is `width` wide from `at.x()` and whose anchor sits at `at.y()`;
    /// `mirrored` turns it upside down about the anchor (the flags of stems pointing down).
    struct Glyph {
        StaffSymbol symbol;
        QPointF at;
        bool mirrored = false;
        Owner owner;
    };
    /// A beam, `space / 2` thick, from the first stem to the last along its middle line.
    struct Beam {
        QLineF line;
        Owner owner;
    };
    /// A tie (or half of one broken by the end of a line) between two notehead ends.
    struct Tie {
        QPointF from;
        QPointF to;
        bool above = false;
        Owner owner;
    };
    struct Dot {
        QPointF centre;
        Owner owner;
    };
    /// A whole or half rest: a filled block.
    struct Block {
        QRectF rect;
        Owner owner;
    };
    /// What the layout decided about one note or rest.
    struct Note {
        NoteRef ref;
        bool rest = false;
        int system = 0;
        /// Steps above the bottom line: 0 the bottom line, 1 the space above it, 8 the top line.
        int position = 0;
        /// The notehead's (or rest's) centre.
        QPointF head;
        bool stemUp = false;
        /// Empty for whole notes and rests; otherwise from the head to the stem's end.
        QLineF stem;
        /// The accidental written before the note, if any.
        std::optional<StaffSymbol> accidental;
        /// Index of its beam group in the voice's bar (`music::beamGroups`), -1 when unbeamed.
        int beamGroup = -1;
    };

    double space = 8;
    QSizeF size;
    std::vector<Staff> staves;
    std::vector<Note> notes;
    std::vector<Line> lines;
    std::vector<Glyph> glyphs;
    std::vector<Beam> beams;
    std::vector<Tie> ties;
    std::vector<Dot> dots;
    std::vector<Block> blocks;

    /// The note `ref` names, or null when the layout holds none.
    const Note *find(const NoteRef &ref) const;
    /// The staff a note is set on.
    const Staff &staffOf(const Note &note) const;
    /// The y of a staff position (0 the bottom line, 8 the top line) on `staff`.
    double yOf(const Staff &staff, int position) const {
        return staff.top + (8 - position) * space / 2;
    }
};

/// Sets one or two scores (the second on a staff beneath the first, bar for bar in step with it)
/// on lines of music: clef and key on every line, the metre on the first, spacing that grows with
/// a note's duration as an engraver's does (by its logarithm), each full line stretched to the
/// width.
StaffLayout layoutStaff(std::span<const music::Score> scores, std::span<const NoteMark> marks,
                        const StaffOptions &options);

} // namespace miminomi
