#include "tests/support/FixedCalendarClock.h"

namespace miminomi::testing {

TEST(SharedRandom, ProducesTheKnownSequenceAndSeedsFromTheClockSeconds) {
    FixedCalendarClock clock(1);
    SharedRandom random(clock);
    random.srand(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(random.rand(), expected);
    }
    random.rand();
    random.srandTime(); // back to seed 1, the clock's second
    EXPECT_EQ(random.rand(), 41);
}

} // namespace miminomi::testing
