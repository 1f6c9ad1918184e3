// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace miminomi {

/// A clock that only moves forward, in milliseconds from an origin of its own: what taps and
/// planned sounds are timed on. The program's is the system's steady clock; the tests' is
/// virtual and moves only when told.
class SteadyClock {
public:
    virtual ~SteadyClock() = default;
    virtual std::int64_t nowMs() const = 0;
};

} // namespace miminomi
