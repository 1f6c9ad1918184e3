#pragma once

#include "quiz/CalendarClock.h"
#include "quiz/SharedRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace miminomi::testing {

/// A calendar clock standing still at a second the test chooses.
class FixedCalendarClock final : public CalendarClock {
public:
    explicit FixedCalendarClock(std::int64_t seconds) : seconds(seconds) {}
    std::int64_t nowSeconds() const override { return seconds; }

    std::int64_t seconds;
};

/// The first `count` draws of the shared generator seeded with `seconds`, each modulo `range`:
/// the entries a generator fills its table with at that second.
inline std::vector<int> drawsAt(std::int64_t seconds, int count, int range) {
    FixedCalendarClock clock(seconds);
    SharedRandom random(clock);
    random.srandTime();
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(random.rand() % range);
    }
    return values;
}

/// The first clock second from `from` on whose fresh draws satisfy `wanted`, so that a test can
/// choose the random values a generator will meet.
template <typename Wanted> std::int64_t secondWhere(Wanted wanted, std::int64_t from = 1) {
    FixedCalendarClock clock(0);
    SharedRandom random(clock);
    for (std::int64_t s = from; s < from + 10'000'000; ++s) {
        random.srand(static_cast<std::uint32_t>(s));
        if (wanted(random)) {
            return s;
        }
    }
    ADD_FAILURE() << "no second gives the wanted draws";
    return from;
}

/// The first second whose first draw modulo `range` is `value`.
inline std::int64_t secondWhoseFirstDraw(int range, int value) {
    return secondWhere([&](SharedRandom &r) { return r.rand() % range == value; });
}

} // namespace miminomi::testing
