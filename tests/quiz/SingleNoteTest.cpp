#include "quiz/SingleNote.h"

#include "tests/support/FixedCalendarClock.h"

#include <set>

namespace miminomi::testing {
namespace {

bool isBlack(int n) {
    return std::set{1, 3, 6, 8, 10}.count(n % 12) == 1;
}

/// The pool as the draw rule describes it: notes (r * 127) div 32767 kept when in range.
std::vector<int> expectedPool(std::int64_t seconds, int low, int high, bool onlyWhite) {
    FixedCalendarClock clock(seconds);
    SharedRandom random(clock);
    random.srandTime();
    std::vector<int> pool;
    while (pool.size() < 90) {
        const int n = random.rand() * 127 / 32767;
        if (n >= low && n <= high && !(onlyWhite && isBlack(n)))
            pool.push_back(n);
    }
    return pool;
}

struct SingleNoteTest : ::testing::Test {
    FixedCalendarClock clock{1'700'000'000};
    SharedRandom random{clock};
    SingleNote notes{random};
    std::vector<int> pool = expectedPool(clock.seconds, 60, 79, true);

    std::vector<int> play(int count) {
        std::vector<int> played;
        for (int i = 0; i < count; ++i)
            played.push_back(notes.playSingleNote());
        return played;
    }
};

TEST_F(SingleNoteTest, HandsOutThePoolFromItsLastEntryAndRedrawsWhenUsedUp) {
    const std::vector<int> firstPool = play(89);
    EXPECT_EQ(firstPool, std::vector<int>(pool.rbegin(), pool.rend() - 1));
    // GIVEN a later second WHEN the last entry is handed out THEN a fresh pool is drawn at once.
    clock.seconds += 7;
    EXPECT_EQ(notes.playSingleNote(), pool[0]);
    EXPECT_EQ(notes.playSingleNote(), expectedPool(clock.seconds, 60, 79, true)[89]);
}

TEST_F(SingleNoteTest, ReplaysTheQuestionFromItsRememberedPosition) {
    // GIVEN no question yet WHEN replaying THEN nothing moves.
    notes.doOldNoteNum();
    EXPECT_EQ(play(1), std::vector<int>{pool[89]});

    notes.setOldNoteNum();
    const std::vector<int> asked = play(4);
    EXPECT_EQ(asked, (std::vector<int>{pool[88], pool[87], pool[86], pool[85]}));
    notes.doOldNoteNum();
    EXPECT_EQ(play(4), asked);
    notes.setOldNoteNum();
    EXPECT_EQ(play(2), (std::vector<int>{pool[84], pool[83]}));

    // setRegion alone keeps the current pool in use.
    notes.setRegion(0, 127, false);
    EXPECT_EQ(play(1), std::vector<int>{pool[82]});
}

TEST_F(SingleNoteTest, EveryPresetKeepsItsNotesInRange) {
    for (const auto &[low, high] : SingleNote::regionPresets) {
        for (bool onlyWhite : {true, false}) {
            std::set<int> seen;
            for (int pool = 0; pool < 5; ++pool) {
                clock.seconds += 1;
                notes.setRegion(low, high, onlyWhite);
                notes.makeNotes();
                for (int n : play(90)) {
                    ASSERT_TRUE(n >= low && n <= high && !(onlyWhite && isBlack(n))) << n;
                    seen.insert(n);
                }
            }
            EXPECT_EQ(*seen.begin(), low) << low << " " << high;
            if (high != 127) { // 127 comes only from the largest draw (below)
                EXPECT_EQ(*seen.rbegin(), high) << low << " " << high;
            }
        }
    }
    EXPECT_EQ(std::set(pool.begin(), pool.end()),
              (std::set{60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79}));
}

TEST_F(SingleNoteTest, TheWholeRangeReachesNote127OnlyFromTheLargestDraw) {
    clock.seconds = secondWhere([](SharedRandom &r) { return r.rand() == 32767; });
    notes.setRegion(0, 127, false);
    notes.makeNotes();
    EXPECT_EQ(play(90).back(), 127); // the first entry drawn is the last handed out
}

TEST_F(SingleNoteTest, RefusesARangeWithNothingToDraw) {
    notes.setRegion(61, 61, true); // a black key only, with black keys left out
    notes.setRegion(80, 70, false);
    notes.makeNotes();
    for (int n : play(90))
        ASSERT_TRUE(n >= 60 && n <= 79 && !isBlack(n)) << n;
    notes.setRegion(61, 61, false);
    notes.makeNotes();
    EXPECT_EQ(play(90), std::vector<int>(90, 61));
}

} // namespace
} // namespace miminomi::testing
