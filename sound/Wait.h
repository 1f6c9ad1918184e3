// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SteadyClock.h"

#include <cstdint>
#include <functional>

namespace miminomi {

/// The one blocking wait of the program, and the clock it waits on. The window's implementation
/// keeps painting and drops user input until the deadline; the tests' virtual clock advances
/// instantly.
class Wait : public SteadyClock {
public:
    /// Returns after the given number of milliseconds.
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    /// While set, told when the learner asks to stop what is sounding during a wait (Escape in
    /// the window); the request itself is input like any other and goes no further.
    std::function<void()> onStopAsked;
};

} // namespace miminomi
