// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Marking a written dictation bar by bar: the exact scores and marks of the usual mistakes, and
// what each error says about where it stands.
#include "practice/ExamMarking.h"
#include "practice/ExamLeaning.h"

#include "tests/music/ScoreText.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

// Four bars of C major, 25 points each; bar 4 begins with the end of a note tied from bar 3.
const char *const item = "C5:q D5:q E5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | "
                         "C5:q D5:q C5:q r:q";

ExamMarking marked(const std::string &written, bool rhythmOnly = false) {
    return markExam(scoreOf({}, {4, 4}, item), scoreOf({}, {4, 4}, written), rhythmOnly);
}

/// Marks as letters, one a note: right '.', pitch 'p', rhythm 'r', both 'b', missing 'm',
/// extra 'x', unmarked '_'.
std::string letters(const std::vector<ExamMark> &marks) {
    std::string text;
    for (ExamMark mark : marks)
        text += ".prbmx_"[static_cast<int>(mark)];
    return text;
}

} // namespace

TEST(ExamMarking, EachMistakeCostsItsShareOfItsOwnBarOnly) {
    const struct {
        const char *what;
        const char *written;
        int score;
        int bar; // the one bar that loses points, with its marks, written and asked, and errors
        const char *writtenMarks, *itemMarks, *errors;
    } cases[] = {
        {"the item itself", item, 100, 0, "", "", ""},
        {"a wrong pitch: half a note's share of a four-note bar (25 × 1/8 off)",
         "C5:q D5:q G5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q", 97, 1,
         "..p.", "..p.", "p"},
        {"a wrong length: half a share of three",
         "C5:q D5:q E5:q F5:q | G5:h E5:q F5:e | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q", 96, 2,
         "..r", "..r", "r"},
        {"a missing note: its whole share",
         "C5:q r:q E5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q", 94, 1,
         "._..", ".m..", "m"},
        {"an extra note: one share more",
         "C5:q D5:q E5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q D5:q", 92, 4,
         "...x", "..._", "x"},
        {"a bar an eighth late: every note's rhythm",
         "r:e C5:q D5:q E5:q F5:e | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q", 88,
         1, "_rrrr", "rrrr", "rrrr"},
        {"the tie over the bar line left out: bar 4 struck anew",
         "C5:q D5:q E5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h | C5:q D5:q C5:q r:q", 96, 4,
         "r.._", "r.._", "r"},
        {"a pitch spelled otherwise (F♭ for E) is still a pitch error",
         "C5:q D5:q Fb5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q", 97, 1,
         "..p.", "..p.", "p"},
        {"a bar left empty", "C5:q D5:q E5:q F5:q | | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q",
         75, 2, "", "mmm", "mmm"},
        {"an overfull bar of wrong notes: 8 half shares lost of 6, and the bar stops at 0",
         "C5:q D5:q E5:q F5:q | A5:q A5:q A5:q A5:q A5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q "
         "r:q",
         75, 2, "bxppx", "bpp", "prxppx"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const ExamMarking marking = marked(c.written);
        EXPECT_EQ(marking.score, c.score);
        EXPECT_EQ(marking.barsRight, c.bar ? 3 : 4);
        for (int bar = 1; bar <= 4; ++bar)
            EXPECT_EQ(bar == c.bar || marking.barPoints[bar - 1] == 25.0, true) << "bar " << bar;
        std::string kinds;
        for (const ExamError &error : marking.errors) {
            kinds += "prmx"[static_cast<int>(error.kind)];
            EXPECT_EQ(error.bar, c.bar);
        }
        EXPECT_EQ(kinds, c.errors);
        if (c.bar) {
            EXPECT_EQ(letters(marking.writtenMarks[c.bar - 1]), c.writtenMarks);
            EXPECT_EQ(letters(marking.itemMarks[c.bar - 1]), c.itemMarks);
        }
    }
}

TEST(ExamMarking, AnErrorSaysItsBeatDegreeIntervalAndFigure) {
    // E5 (the 3rd degree) on beat 3, a second up from D5, written as G5.
    ExamMarking marking =
        marked("C5:q D5:q G5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q");
    ASSERT_EQ(marking.errors.size(), 1u);
    ExamError expected{ExamErrorKind::pitch, 1, 3, 0, 3, 0, 1, 2, "x---", false};
    EXPECT_EQ(marking.errors[0], expected);

    // E5 of bar 3, an eighth after beat 1, written an eighth long as a quarter: a rhythm error
    // on the first beat's figure of two eighths, a step down from F5; the notes after it move.
    marking = marked("C5:q D5:q E5:q F5:q | G5:h E5:q F5:q | F5:e E5:q D5:e C5:h~ | C5:q D5:q "
                     "C5:q r:q");
    ASSERT_FALSE(marking.errors.empty());
    expected = {ExamErrorKind::rhythm, 3, 1, 2, 3, 0, -1, -1, "x-x-", false};
    EXPECT_EQ(marking.errors[0], expected);
    EXPECT_EQ(marking.errors.back().beat, 2); // D5, asked on beat 2
    EXPECT_EQ(marking.errors.back().sixteenth, 0);

    // F♭ for E: the same key on the piano, so the error says the spelling is what is wrong.
    marking =
        marked("C5:q D5:q Fb5:q F5:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q");
    EXPECT_TRUE(marking.errors.at(0).enharmonic);

    // An upbeat stands at the end of its bar, and it and the short last bar share one bar's
    // points (a third of 100 here): its one note's pitch costs half of the upbeat's ninth.
    const auto upbeat = [](const char *first) {
        return scoreOf({}, {3, 4}, std::string("^ ") + first + ":q | C5:h. | E5:h. | D5:h");
    };
    marking = markExam(upbeat("G4"), upbeat("A4"), false);
    EXPECT_DOUBLE_EQ(marking.points, 100 - 100.0 / 9 / 2);
    expected = {ExamErrorKind::pitch, 1, 3, 0, 5, 0, std::nullopt, std::nullopt, "x---", false};
    EXPECT_EQ(marking.errors.at(0), expected);
}

TEST(ExamMarking, ARhythmItemMarksOnlyLengthsAndRestsAWrongOneItsWholeShare) {
    const struct {
        const char *written;
        int score;
    } cases[] = {
        // Other pitches do not matter.
        {"D4:q E4:q A4:q B4:q | B4:h C4:q C4:q | C4:e C4:e C4:q C4:h~ | C4:q C4:q C4:q r:q", 100},
        // A rest for the note on beat 4 of bar 1: its whole share.
        {"C5:q D5:q E5:q r:q | G5:h E5:q F5:q | F5:e E5:e D5:q C5:h~ | C5:q D5:q C5:q r:q", 94},
        // Two eighths written as a quarter in bar 3: one wrong, one missing, of four.
        {"C5:q D5:q E5:q F5:q | G5:h E5:q F5:q | F5:q D5:q C5:h~ | C5:q D5:q C5:q r:q", 88},
    };
    for (const auto &c : cases)
        EXPECT_EQ(marked(c.written, true).score, c.score) << c.written;
}

TEST(ExamLeaning, TheThreeMostMissedAreWeightedUpInProportionBetweenOneAndAHalfAndThree) {
    ExamMisses misses;
    misses.intervals = {{1, 10}, {-2, 5}, {3, 1}, {4, 2}, {5, 2}, {-1, 2}};
    misses.figures = {{"x-x-", 4}, {"x--x", 1}};
    const music::DictationLeaning leaning = examLeaning(misses);
    // A third up missed once is not leaned on; of the three missed twice the first in order.
    EXPECT_EQ(leaning.intervals, (std::map<int, int>{{1, 300}, {-2, 200}, {-1, 150}}));
    EXPECT_EQ(leaning.figures, (std::map<std::string, int>{{"x-x-", 300}}));
    EXPECT_TRUE(examLeaning({{{7, 1}}, {{"x---", 1}}}).empty());
}

} // namespace miminomi::testing
