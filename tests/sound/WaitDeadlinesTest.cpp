// Deadlines of a real wait: back-to-back waits keep a grid, a wait after a pause starts afresh.
#include "sound/backends/WaitDeadlines.h"

#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using TimePoint = WaitDeadlines::Clock::time_point;

TEST(WaitDeadlines, WaitsThatFollowEachOtherCloselyKeepAGridDespiteTheWorkBetweenThem) {
    WaitDeadlines deadlines;
    const TimePoint start{milliseconds(10'000)};
    TimePoint now = start;
    for (int i = 0; i < 15; ++i) {
        const TimePoint end = deadlines.next(now, 1000);
        EXPECT_EQ(end, start + milliseconds(1000 * (i + 1))) << "wait " << i;
        now = end + microseconds(300); // woke a little late and sent the next note
    }
}

TEST(WaitDeadlines, AWaitAfterAPauseOrBeforeTheLastDeadlineIsMeasuredFromNow) {
    WaitDeadlines deadlines;
    const TimePoint start{milliseconds(10'000)};
    EXPECT_EQ(deadlines.next(start, 2000), start + milliseconds(2000));
    const TimePoint later = start + milliseconds(60'000);
    EXPECT_EQ(deadlines.next(later, 1000), later + milliseconds(1000)) << "the user paused";
    const TimePoint early = later + milliseconds(500);
    EXPECT_EQ(deadlines.next(early, 1000), early + milliseconds(1000))
        << "a wait cut short is not stretched";
    EXPECT_EQ(deadlines.next(early + milliseconds(1000), 0), early + milliseconds(1000));
}

} // namespace
} // namespace miminomi::testing
