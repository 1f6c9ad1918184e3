// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CalendarClock.h"

#include <chrono>
#include <cstdint>

namespace miminomi::bench {

/// A calendar that a bench moves on by hand.
class MovingCalendar final : public CalendarClock {
public:
    std::int64_t nowSeconds() const override { return seconds; }
    std::int64_t seconds = 1'700'000'000;
};

/// A steady-clock duration in milliseconds.
inline double ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace miminomi::bench
