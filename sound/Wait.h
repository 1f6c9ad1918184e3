// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/SteadyClock.h"

#include <cstdint>

namespace miminomi {

/// The one blocking wait of the program, and the clock it waits on. The window's implementation
/// keeps painting and drops user input until the deadline; the tests' virtual clock advances
/// instantly.
class Wait : public SteadyClock {
public:
    /// Returns after the given number of milliseconds.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

} // namespace miminomi
