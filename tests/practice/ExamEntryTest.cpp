// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing an exam item key by key: what each sequence of keys leaves on the staff.
#include "practice/ExamEntry.h"
#include "tests/music/ScoreText.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

using music::Key;
using music::Metre;

/// Types `keys` into `entry`: the characters type() takes, and < > left and right, ^ _ a
/// semitone up and down, ] [ an octave up and down, ! Backspace.
void typeKeys(ExamEntry &entry, const std::string &keys) {
    for (const char key : keys) {
        using K = ExamEntry::Key;
        switch (key) {
        case '<':
            entry.press(K::left);
            break;
        case '>':
            entry.press(K::right);
            break;
        case '^':
            entry.press(K::semitoneUp);
            break;
        case '_':
            entry.press(K::semitoneDown);
            break;
        case ']':
            entry.press(K::octaveUp);
            break;
        case '[':
            entry.press(K::octaveDown);
            break;
        case '!':
            entry.press(K::back);
            break;
        default:
            entry.type(static_cast<char32_t>(key));
        }
    }
}

struct Case {
    const char *what;
    Key key;
    Metre metre;
    const char *item;
    bool rhythm;
    bool giveFirst;
    const char *keys;
    const char *written;
    std::vector<std::int32_t> remaining;
};

} // namespace

TEST(ExamEntry, KeySequencesWriteTheseNotes) {
    const Key C{0, false}, D{2, false}, Bb{-2, false};
    const Metre m44{4, 4}, m34{3, 4}, m24{2, 4};
    const Case cases[] = {
        {"each letter in the octave nearest the note before",
         C,
         m44,
         "C4:w | C4:w",
         false,
         false,
         "5CEGC[",
         "C5:q E5:q G5:q C5:q | ",
         {0, 192}},
        {"values, dots, a tie over the bar line, a rest",
         C,
         m44,
         "C4:w | C4:w",
         false,
         false,
         "5.C4D6E5+0G3FE4D",
         "C5:q. D5:e E5:h~ | E5:q r:q G5:q F5:s E5:s D5:e",
         {0, 0}},
        {"a sharp key: the signature's sharps, a natural, a raised note",
         D,
         m34,
         "C4:h. ",
         false,
         false,
         "5FC-G#",
         "F#4:q C4:q G#3:q",
         {0}},
        {"a flat key: semitones spelled as it suggests, an octave down",
         Bb,
         m44,
         "C4:w",
         false,
         false,
         "5BE^_A[C_",
         "Bb4:q Eb5:q A4:q B4:q",
         {0}},
        {"Backspace, then a note corrected at the cursor",
         C,
         m44,
         "C4:w",
         false,
         false,
         "5CDE!F<<G>>A",
         "C5:q G4:q F5:q A5:q",
         {0}},
        {"a value and a dot corrected at the cursor",
         C,
         m24,
         "C4:h | C4:h",
         false,
         false,
         "5CD<4.>3E",
         "C5:q D5:e. E5:s | ",
         {0, 96}},
        {"an overfull bar kept; the next note starts the next bar",
         C,
         m34,
         "C4:h. | C4:h.",
         false,
         false,
         "6CD5E",
         "C5:h D5:h | E5:q",
         {-48, 96}},
        {"a note taken out of bar 1 leaves bar 2 as it is, and its gap is filled",
         C,
         m24,
         "C4:h | C4:h",
         false,
         false,
         "5CDEF<<<<!>C",
         "D5:q C5:q | E5:q F5:q",
         {0, 0}},
        {"the given first note of an upbeat stays",
         C,
         m24,
         "^ G4:e | C5:h",
         false,
         true,
         "!5C!!E",
         "^ G4:e | E4:q",
         {0, 48}},
        {"rhythm: durations and rests on the item's pitch",
         C,
         m44,
         "C5:w",
         true,
         false,
         "4AA5B#0",
         "C5:e C5:e C5:q r:q",
         {48}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const music::Score item = scoreOf(c.key, c.metre, c.item);
        ExamEntry entry(ExamFrame::of(item, c.rhythm, c.giveFirst));
        typeKeys(entry, c.keys);
        EXPECT_EQ(entry.score(), scoreOf(c.key, c.metre, c.written));
        for (std::size_t b = 0; b < c.remaining.size(); ++b)
            EXPECT_EQ(entry.remaining(static_cast<int>(b)), c.remaining[b]) << "bar " << b + 1;
    }
}

TEST(ExamEntry, KeyboardNotesAreSpelledAsTheKeySuggests) {
    const struct {
        Key key;
        int note;
        const char *spelled;
    } cases[] = {
        {{0, false}, 61, "C#4:q"}, {{-2, false}, 61, "Db4:q"}, {{-2, false}, 71, "B4:q"},
        {{0, true}, 68, "G#4:q"},  {{-1, true}, 61, "C#4:q"},  {{-3, true}, 71, "B4:q"},
        {{6, false}, 65, "E#4:q"}, {{0, false}, 72, "C5:q"},
    };
    for (const auto &c : cases) {
        ExamEntry entry(ExamFrame::of(scoreOf(c.key, {4, 4}, "C4:w"), false, false));
        entry.play(c.note);
        EXPECT_EQ(entry.score(), scoreOf(c.key, {4, 4}, c.spelled)) << c.note;
    }
}

} // namespace miminomi::testing
