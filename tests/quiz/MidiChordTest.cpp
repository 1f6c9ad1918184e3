// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/MidiChord.h"

#include "tests/support/FixedCalendarClock.h"

#include <set>

namespace miminomi::testing {

/// A chord generator whose root entries are drawn at a chosen second.
struct ChordRig {
    explicit ChordRig(std::int64_t seconds) : clock(seconds) {}
    FixedCalendarClock clock;
    SharedRandom random{clock};
    MidiChord chord{random};

    /// Draws a chord at `seconds`, the second its type is drawn from: type * 100 + root.
    int make(std::int64_t seconds) {
        clock.seconds = seconds;
        chord.makeChord();
        return chord.getChordName() * 100 + chord.getRootName();
    }
    std::string playAll(int root) {
        return semitonesAbove(
            root, [this] { return chord.playChord(); }, MidiChord::endMarker, 8);
    }
};

TEST(MidiChord, BuildsEveryTypeFrom57UpTo82DrawsRootsEntryByEntryAndTypesFromTheClock) {
    // Each type's notes as ChordRig::playAll writes them, on roots 57 and 68 (up to note 82).
    const std::string notes[] = {"047",  "037",   "047A",  "037A", "047B", "037B", "0479",
                                 "0379", "0479E", "0379E", "057",  "057A", "0369", "048C"};
    for (int i = 0; i < 28; ++i) {
        const int root = i < 14 ? 57 : 68, type = i % 14;
        ChordRig rig(secondWhere([&](auto &r) { return r.rand() % 121 % 12 == root - 57; }));
        rig.chord.setUseBlackKey(true);
        for (int code = 2; code < 14; ++code)
            rig.chord.setPermitedChords(code, true);
        EXPECT_EQ(rig.make(secondWhoseFirstDraw(14, type)), type * 100 + root);
        EXPECT_EQ(rig.playAll(root), notes[type]) << "code " << type;
        EXPECT_EQ(rig.chord.playChord(), MidiChord::endMarker); // the marker repeats
        rig.chord.rewindNoteNum();                              // and a rewind plays it again
        EXPECT_EQ(rig.playAll(root), notes[type]) << "code " << type;
    }

    // An entry 0..120 gives root entry mod 12 + 57; every draw, refused or not, uses up an entry,
    // and after the thousandth the entries are drawn again.
    const std::int64_t second = 1'700'000'000;
    ChordRig rig(second);
    EXPECT_EQ(rig.chord.playChord(), MidiChord::endMarker); // no chord yet
    std::vector<int> entries = drawsAt(second, 1000, 121);
    const std::vector<int> next = drawsAt(second + 5, 100, 121);
    entries.insert(entries.end(), next.begin(), next.end());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (std::set{1, 4, 6, 9, 11}.count(entries[i] % 12) == 0) { // a white key
            ASSERT_EQ(rig.make(i < 999 ? second : second + 5) % 100, entries[i] % 12 + 57) << i;
        }

    // The type is drawn from the clock's second among the permitted codes in order.
    rig.chord.setPermitedChords(10, true);
    rig.chord.setPermitedChords(13, true);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rig.make(secondWhoseFirstDraw(4, i)) / 100, (std::array{0, 1, 10, 13}[i]));
    // clearChords forgets the chord and permits the triads only; with nothing permitted, triads.
    rig.chord.clearChords();
    EXPECT_EQ(rig.chord.getChordName() * 100 + rig.chord.getRootName(), 0);
    EXPECT_EQ(rig.make(secondWhoseFirstDraw(4, 3)) / 100, 1); // 13 if 10 and 13 were kept
    rig.chord.setPermitedChords(0, false);
    rig.chord.setPermitedChords(1, false);
    EXPECT_EQ(rig.make(rig.clock.seconds) / 100, 1);
}

} // namespace miminomi::testing
