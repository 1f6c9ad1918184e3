// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CalendarClock.h"
#include "quiz/SharedRandom.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace miminomi::testing {

/// A calendar clock standing still at a second the test chooses.
class FixedCalendarClock final : public CalendarClock {
public:
    explicit FixedCalendarClock(std::int64_t seconds) : seconds(seconds) {}
    std::int64_t nowSeconds() const override { return seconds; }

    std::int64_t seconds;
};

/// The values `next` hands out before `end`, at most `most` of them, written as semitones above
/// `root` in hexadecimal (a major scale from its root: "024579BCB975420").
template <typename Next>
std::string semitonesAbove(int root, Next next, int end, std::size_t most) {
    std::string heard;
    for (int n; (n = next()) != end && heard.size() < most;)
        heard += char(n - root < 10 ? '0' + n - root : 'A' - 10 + n - root);
    return heard;
}

/// The first `count` draws of the shared generator seeded with `seconds`, each modulo `range`:
/// the entries a generator fills its table with at that second.
inline std::vector<int> drawsAt(std::int64_t seconds, int count, int range) {
    FixedCalendarClock clock(seconds);
    SharedRandom random(clock);
    random.srandTime();
    std::vector<int> values;
    while (static_cast<int>(values.size()) < count)
        values.push_back(random.rand() % range);
    return values;
}

/// The first clock second from `from` on whose fresh draws satisfy `wanted`, so that a test can
/// choose the random values a generator will meet.
template <typename Wanted> std::int64_t secondWhere(Wanted wanted, std::int64_t from = 1) {
    FixedCalendarClock clock(0);
    SharedRandom random(clock);
    for (std::int64_t s = from; s < from + 10'000'000; ++s) {
        random.srand(static_cast<std::uint32_t>(s));
        if (wanted(random))
            return s;
    }
    ADD_FAILURE() << "no second gives the wanted draws";
    return from;
}

/// The first second whose first draw modulo `range` is `value`.
inline std::int64_t secondWhoseFirstDraw(int range, int value) {
    return secondWhere([&](SharedRandom &r) { return r.rand() % range == value; });
}

} // namespace miminomi::testing
