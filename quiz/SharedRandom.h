// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace miminomi {

class CalendarClock;

/// The one pseudo-random generator of the program: a linear congruential generator whose draws
/// are 0..32767, reseeded from the calendar clock by the generators that need fresh values.
class SharedRandom {
public:
    explicit SharedRandom(const CalendarClock &clock) : clock(clock) {}

    /// Sets the state to the seed.
    void srand(std::uint32_t seed) { state = seed; }
    /// Seeds from the calendar clock in whole seconds.
    void srandTime();
    /// Advances the state and returns a value 0..32767.
    int rand() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 32767u);
    }

private:
    const CalendarClock &clock;
    std::uint32_t state = 1;
};

} // namespace miminomi
