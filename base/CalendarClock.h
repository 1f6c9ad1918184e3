// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace miminomi {

/// The calendar time in whole seconds, injected so that tests can fix the seeds of the generator.
class CalendarClock {
public:
    virtual ~CalendarClock() = default;
    virtual std::int64_t nowSeconds() const = 0;
};

/// The real calendar clock (seconds since the epoch).
class SystemCalendarClock final : public CalendarClock {
public:
    std::int64_t nowSeconds() const override;
};

} // namespace miminomi
