// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/Wait.h"

#include <cstdint>
#include <vector>

namespace miminomi::testing {

/// A wait that never sleeps: each Sleep moves the virtual time on at once and is remembered.
class VirtualClock : public Wait {
public:
    void Sleep(std::uint32_t milliseconds) override {
        now += milliseconds;
        sleeps.push_back(milliseconds);
    }

    /// Virtual milliseconds since the clock was made.
    std::int64_t nowMs() const override { return now; }
    /// Every wait asked for, in order.
    const std::vector<std::uint32_t> &waits() const { return sleeps; }

private:
    std::int64_t now = 0;
    std::vector<std::uint32_t> sleeps;
};

} // namespace miminomi::testing
