// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>

namespace miminomi {

/// Turns the relative waits of a sound sequence into absolute deadlines that do not drift: a
/// wait that begins within `slack` of the previous deadline is measured from that deadline, so
/// the time spent sending between notes does not add up over a sequence. A real wait asks it
/// for each deadline and then waits until then.
class WaitDeadlines {
public:
    using Clock = std::chrono::steady_clock;

    explicit WaitDeadlines(Clock::duration slack = std::chrono::milliseconds(5)) : slack(slack) {}

    /// The moment a wait of the given length that begins now should end.
    Clock::time_point next(Clock::time_point now, std::uint32_t milliseconds) {
        const auto length = std::chrono::milliseconds(milliseconds);
        const bool follows = started && now >= last && now - last <= slack;
        last = (follows ? last : now) + length;
        started = true;
        return last;
    }

private:
    Clock::duration slack;
    Clock::time_point last{};
    bool started = false;
};

} // namespace miminomi
