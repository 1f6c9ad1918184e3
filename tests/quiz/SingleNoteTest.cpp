// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/SingleNote.h"

#include "tests/support/FixedCalendarClock.h"

#include <set>

namespace miminomi::testing {

TEST(SharedRandom, ProducesTheKnownSequenceFromTheClockSecond) {
    EXPECT_EQ(drawsAt(1, 5, 32768), (std::vector{41, 18467, 6334, 26500, 19169}));
}

TEST(SingleNote, HandsOutThePoolLastEntryFirstReplaysRedrawsAndRefusesEmptyRanges) {
    FixedCalendarClock clock{1'700'000'000};
    SharedRandom random{clock};
    SingleNote notes{random};
    const auto play = [&](int count) {
        std::vector<int> played(count);
        for (int &note : played)
            note = notes.playSingleNote();
        return played;
    };
    // The pool drawn now, last entry first: the first 90 draws r * 127 / 32767 that fit the range.
    const auto pool = [&](int low, int high, bool onlyWhite) {
        std::vector<int> drawn;
        for (const int r : drawsAt(clock.seconds, 3000, 32768))
            if (const int n = r * 127 / 32767;
                n >= low && n <= high && !(onlyWhite && std::set{1, 3, 6, 8, 10}.count(n % 12)))
                drawn.insert(drawn.begin(), n);
        return std::vector(drawn.end() - 90, drawn.end());
    };

    // A wrong pool stops the test, so that a broken range rule cannot hang the draws below.
    const std::vector<int> first = pool(60, 79, true);
    notes.doOldNoteNum(); // no question yet: nothing to go back to
    ASSERT_EQ(notes.playSingleNote(), first[0]);
    notes.setOldNoteNum();
    ASSERT_EQ(play(4), std::vector(first.begin() + 1, first.begin() + 5));
    notes.doOldNoteNum();
    ASSERT_EQ(play(4), std::vector(first.begin() + 1, first.begin() + 5));
    notes.setRegion(0, 127, false); // the pool in use stays; the next one is drawn from this range
    notes.setRegion(61, 61, true);  // refused: a black key only, with black keys left out
    notes.setRegion(80, 70, false); // refused
    const std::vector<int> next = pool(0, 127, false);
    ASSERT_EQ(play(85), std::vector(first.begin() + 5, first.end()));
    clock.seconds += 7; // too late: handing out the last entry drew the next pool at once
    ASSERT_EQ(play(90), next);
    notes.setRegion(61, 61, false);
    clock.seconds = secondWhere([](SharedRandom &r) { return r.rand() == 32767; });
    notes.makeNotes();
    EXPECT_EQ(play(90), std::vector<int>(90, 61));
    notes.setRegion(0, 127, false);
    notes.makeNotes();
    EXPECT_EQ(play(90).back(), 127); // the first entry drawn is the last handed out
}

} // namespace miminomi::testing
