// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Staff notation: where the layout puts noteheads, ledger lines, signatures, accidentals, stems,
// ties and beams, and that the drawing puts the font's noteheads there.
#include "app/widgets/StaffView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>

namespace miminomi {

using namespace music;

namespace {

/// A voice written as words: "f#4:q", "g4:8.", "bb3:h~" (tied to the next), "r:h" (a rest).
std::vector<Note> voice(const QString &text) {
    std::vector<Note> notes;
    for (QString word : text.split(' ', Qt::SkipEmptyParts)) {
        Note note;
        note.tieToNext = word.endsWith('~');
        const QString name = word.section(':', 0, 0);
        QString value = word.section(':', 1).remove('~');
        note.value.dots = static_cast<std::uint8_t>(value.count('.'));
        note.value.type =
            static_cast<NoteType>(QStringList{"w", "h", "q", "8", "16"}.indexOf(value.remove('.')));
        if (name != "r")
            note.pitch = Pitch{static_cast<Step>(QStringLiteral("cdefgab").indexOf(name[0])),
                               static_cast<std::int8_t>(name.count('#') - name.mid(1).count('b')),
                               static_cast<std::int8_t>(name.back().digitValue())};
        notes.push_back(note);
    }
    return notes;
}

Score score(std::vector<QString> bars, Clef clef = Clef::treble, Key key = {},
            Metre metre = {4, 4}) {
    Score made;
    made.clef = clef;
    made.key = key;
    made.metre = metre;
    for (const QString &bar : bars)
        made.bars.push_back({voice(bar), {}, false});
    return made;
}

StaffLayout layOut(const Score &shown, std::vector<NoteMark> marks = {}) {
    return layoutStaff({&shown, 1}, marks, {10, 800, 4});
}

const StaffLayout::Note &noteAt(const StaffLayout &layout, int bar, int index, int voice = 0) {
    const StaffLayout::Note *note = layout.find({0, bar, voice, index});
    EXPECT_NE(note, nullptr);
    return note ? *note : layout.notes.front();
}

/// The heights of the ledger lines drawn across a note's head.
std::vector<double> ledgersOf(const StaffLayout &layout, const StaffLayout::Note &note) {
    std::vector<double> ys;
    for (const auto &line : layout.lines)
        if (line.kind == StaffLayout::LineKind::ledger && line.line.x1() < note.head.x() &&
            line.line.x2() > note.head.x())
            ys.push_back(line.line.y1());
    return ys;
}

} // namespace

TEST(StaffView, NoteheadsSitOnTheLinesTheirClefGivesWithLedgerLinesBeyondTheStaff) {
    for (const auto &[clef, bottom, top, middleC] :
         {std::tuple{Clef::treble, "e4", "f5", 0}, std::tuple{Clef::bass, "g2", "a3", 1}}) {
        SCOPED_TRACE(clef == Clef::treble ? "treble" : "bass");
        const auto layout =
            layOut(score({QStringLiteral("%1:q %2:q c4:q r:q").arg(bottom, top)}, clef));
        const auto &staff = layout.staves.front();
        EXPECT_DOUBLE_EQ(noteAt(layout, 0, 0).head.y(), staff.top + 4 * layout.space);
        EXPECT_DOUBLE_EQ(noteAt(layout, 0, 1).head.y(), staff.top);
        EXPECT_TRUE(ledgersOf(layout, noteAt(layout, 0, 0)).empty());
        EXPECT_TRUE(ledgersOf(layout, noteAt(layout, 0, 1)).empty());
        // Middle C: on one ledger line below the treble staff, above the bass staff.
        const auto &c4 = noteAt(layout, 0, 2);
        const double ledger = middleC ? staff.top - layout.space : staff.top + 5 * layout.space;
        EXPECT_DOUBLE_EQ(c4.head.y(), ledger);
        const auto ledgers = ledgersOf(layout, c4);
        ASSERT_EQ(ledgers.size(), 1u);
        EXPECT_NEAR(ledgers.front(), ledger, 1e-9);
    }
}

TEST(StaffView, KeySignatureWritesItsSharpsOrFlatsOnTheirNotesInOrder) {
    for (const auto &[clef, key, notes, symbol] :
         {std::tuple{Clef::treble, Key{3, false}, "f#5:q c#5:q g#5:q r:q", StaffSymbol::sharp},
          std::tuple{Clef::bass, Key{-4, false}, "bb2:q eb3:q ab2:q db3:q", StaffSymbol::flat}}) {
        SCOPED_TRACE(notes);
        const auto layout = layOut(score({QString::fromLatin1(notes)}, clef, key));
        std::vector<StaffLayout::Glyph> signature;
        for (const auto &glyph : layout.glyphs)
            if (glyph.symbol == symbol)
                signature.push_back(glyph);
        ASSERT_EQ(signature.size(), static_cast<std::size_t>(std::abs(key.fifths)));
        for (std::size_t k = 0; k < signature.size(); ++k) {
            const auto &note = noteAt(layout, 0, static_cast<int>(k));
            EXPECT_FALSE(note.accidental) << "the signature already alters it";
            if (!note.rest) {
                EXPECT_DOUBLE_EQ(signature[k].at.y(), note.head.y()) << k;
            }
            EXPECT_LT(signature[k].at.x(), noteAt(layout, 0, 0).head.x());
            if (k > 0) {
                EXPECT_GT(signature[k].at.x(), signature[k - 1].at.x());
            }
        }
    }
}

TEST(StaffView, AnAccidentalLastsToTheEndOfItsBarAndIsRestatedAfterIt) {
    const auto layout =
        layOut(score({"c#5:q c#5:q f#4:q f4:q", "f4:q c5:q f#4:h~", "f#4:h f#4:h"}));
    std::vector<std::optional<StaffSymbol>> written;
    for (const auto &note : layout.notes)
        written.push_back(note.accidental);
    const auto sharp = StaffSymbol::sharp, natural = StaffSymbol::natural;
    const std::vector<std::optional<StaffSymbol>> expected = {
        sharp,        std::nullopt, sharp,
        natural,                           // the second C♯ needs none; F after F♯ a natural
        natural,      natural,      sharp, // courtesy naturals after the bar before
        std::nullopt, sharp};              // none on the tied note; the next one restates it
    EXPECT_EQ(written, expected);
    const auto &accidental = std::find_if(layout.glyphs.begin(), layout.glyphs.end(), [](auto &g) {
        return g.symbol == StaffSymbol::sharp && g.owner.note == 0;
    });
    ASSERT_NE(accidental, layout.glyphs.end());
    EXPECT_DOUBLE_EQ(accidental->at.y(), layout.notes[0].head.y());
    EXPECT_LT(accidental->at.x() + symbolBox(StaffSymbol::sharp).width * layout.space,
              layout.notes[0].head.x() -
                  symbolBox(StaffSymbol::blackHead).width / 2 * layout.space);
}

TEST(StaffView, StemsPointAwayFromTheMiddleLineAndApartInTwoVoices) {
    Score shown = score({"a4:q b4:q c5:h"});
    shown.bars.push_back({voice("e4:h g4:h"), voice("e5:h f4:h"), false});
    const auto layout = layOut(shown);
    const auto stemUp = [&](int bar, int index, int voice) {
        const auto &note = noteAt(layout, bar, index, voice);
        // An up stem rises from the head's right side, a down stem falls from its left.
        const bool up = note.stem.y2() < note.head.y() && note.stem.x1() > note.head.x();
        const bool down = note.stem.y2() > note.head.y() && note.stem.x1() < note.head.x();
        EXPECT_NE(up, down);
        return up;
    };
    EXPECT_TRUE(stemUp(0, 0, 0));  // below the middle line
    EXPECT_FALSE(stemUp(0, 1, 0)); // on it
    EXPECT_FALSE(stemUp(0, 2, 0));
    EXPECT_TRUE(stemUp(1, 0, 0));  // the upper voice, however low
    EXPECT_FALSE(stemUp(1, 0, 1)); // the lower voice, however high
    EXPECT_FALSE(stemUp(1, 1, 1));
    // A second apart, the upper voice's head steps to the right of the lower one's.
    EXPECT_NEAR(noteAt(layout, 1, 1, 0).head.x() - noteAt(layout, 1, 1, 1).head.x(),
                symbolBox(StaffSymbol::halfHead).width * layout.space, 1e-9);
}

TEST(StaffView, ATieJoinsItsNotesAcrossTheBarLineOnTheSideAwayFromTheStems) {
    const auto layout = layOut(score({"c4:h g4:h~", "g4:q a5:h.~", "a5:w"}));
    ASSERT_EQ(layout.ties.size(), 2u);
    for (const auto &[tie, from, to] :
         {std::tuple{layout.ties[0], noteAt(layout, 0, 1), noteAt(layout, 1, 0)},
          std::tuple{layout.ties[1], noteAt(layout, 1, 1), noteAt(layout, 2, 0)}}) {
        EXPECT_EQ(tie.above, !from.stemUp);
        EXPECT_GT(tie.from.x(), from.head.x() - layout.space);
        EXPECT_LT(tie.to.x(), to.head.x() + layout.space);
        EXPECT_LT(tie.from.x(), tie.to.x());
        for (const QPointF end : {tie.from, tie.to})
            EXPECT_NEAR(end.y(), from.head.y() + (tie.above ? -1 : 1) * layout.space / 2,
                        layout.space / 2);
    }
}

TEST(StaffView, BeamsJoinTheEighthsOfEachBeatAndEndTheirStems) {
    for (const auto &[metre, groups] : {std::pair{Metre{3, 4}, 3}, std::pair{Metre{6, 8}, 2}}) {
        SCOPED_TRACE(metre.beatType == 8 ? "6/8" : "3/4");
        const auto layout =
            layOut(score({"g4:8 a4:8 b4:8 c5:8 d5:8 e5:8"}, Clef::treble, {}, metre));
        ASSERT_EQ(layout.beams.size(), static_cast<std::size_t>(groups));
        const std::size_t each = 6 / static_cast<std::size_t>(groups);
        for (std::size_t g = 0; g < layout.beams.size(); ++g) {
            const QLineF beam = layout.beams[g].line;
            for (std::size_t i = g * each; i < (g + 1) * each; ++i) {
                const auto &note = layout.notes[i];
                ASSERT_EQ(note.beamGroup, layout.notes[g * each].beamGroup);
                const QPointF end = note.stem.p2();
                EXPECT_GE(end.x(), beam.x1() - 0.01);
                EXPECT_LE(end.x(), beam.x2() + 0.01);
                const double beamY = beam.y1() + (beam.y2() - beam.y1()) * (end.x() - beam.x1()) /
                                                     (beam.x2() - beam.x1());
                EXPECT_NEAR(end.y(), beamY, layout.space / 4 + 0.01) << "stem " << i;
            }
        }
        EXPECT_TRUE(std::none_of(layout.glyphs.begin(), layout.glyphs.end(),
                                 [](auto &glyph) { return glyph.symbol == StaffSymbol::flag8; }));
    }
    // An upbeat's beats are counted from the end of its bar: in 3/4, the first of three
    // eighths falls on the second beat alone, the other two share the third.
    Score upbeat = score({"e4:8 f4:8 g4:8", "a4:h."}, Clef::treble, {}, {3, 4});
    upbeat.bars.front().pickup = true;
    const auto layout = layOut(upbeat);
    EXPECT_EQ(noteAt(layout, 0, 0).beamGroup, -1);
    EXPECT_EQ(noteAt(layout, 0, 1).beamGroup, noteAt(layout, 0, 2).beamGroup);
    EXPECT_NE(noteAt(layout, 0, 1).beamGroup, -1);
}

TEST(StaffView, ARestFillingTheBarIsAWholeRestInItsMiddle) {
    const auto layout = layOut(score({"c5:q c5:q c5:q", "r:h."}, Clef::treble, {}, {3, 4}));
    ASSERT_EQ(layout.blocks.size(), 1u);
    std::vector<double> barlines;
    for (const auto &line : layout.lines)
        if (line.kind != StaffLayout::LineKind::ledger && line.kind != StaffLayout::LineKind::stem)
            barlines.push_back(line.line.x1());
    std::sort(barlines.begin(), barlines.end());
    ASSERT_EQ(barlines.size(), 3u); // the bar line and the final thin and thick ones
    const QRectF rest = layout.blocks.front().rect;
    EXPECT_NEAR(rest.center().x(), (barlines[0] + barlines[1]) / 2, layout.space);
    EXPECT_DOUBLE_EQ(rest.top(), layout.staves.front().top + layout.space); // from the 4th line
}

TEST(StaffView, DrawsTheFontsNoteheadsAStaffSpaceHighOnTheirPlacesInTheirMarksColours) {
    const Score shown = score({"e4:q g4:q b4:q d5:q"});
    const QColor wrong(220, 40, 30), right(30, 80, 220);
    StaffView view;
    view.setScore(shown);
    view.setStaffSpace(10);
    view.setMarks({{{0, 0, 0, 3}, wrong, Pitch{Step::F, 0, 5}, right}});
    QImage image(400, view.heightForWidth(400), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.paint(painter, image.rect());
    painter.end();
    const auto layout = view.layout(400);
    const auto dark = [&](QPointF at) { return qGray(image.pixel(at.toPoint())) < 100; };
    for (int i = 0; i < 3; ++i) {
        // Each head on a line: the ink through its middle is one staff space from top to bottom.
        const QPointF centre = noteAt(layout, 0, i).head;
        ASSERT_TRUE(dark(centre)) << i;
        double top = centre.y(), bottom = centre.y();
        while (dark({centre.x(), top - 1}))
            --top;
        while (dark({centre.x(), bottom + 1}))
            ++bottom;
        EXPECT_NEAR(bottom - top + 1, layout.space, 0.25 * layout.space) << i;
        EXPECT_NEAR((top + bottom) / 2, centre.y(), 1.5) << i;
    }
    // And the stems: across the middle of E4's, between two lines, as much ink as its width.
    const QPoint stem = noteAt(layout, 0, 0).stem.center().toPoint();
    double ink = 0;
    for (int x = stem.x() - 2; x <= stem.x() + 2; ++x)
        ink += 1 - qGray(image.pixel(x, stem.y())) / 255.0;
    EXPECT_NEAR(ink, 0.12 * layout.space, 0.5);
    const QPointF marked = noteAt(layout, 0, 3).head;
    EXPECT_EQ(image.pixelColor(marked.toPoint()), wrong);
    // The right pitch, F5, stands over it on the top line in the second colour.
    const QPointF shownAt(marked.x(), layout.staves.front().top);
    EXPECT_EQ(image.pixelColor(shownAt.toPoint()), right);
}

} // namespace miminomi
