// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CalendarClock.h"

#include <ctime>

namespace miminomi {

std::int64_t SystemCalendarClock::nowSeconds() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace miminomi
