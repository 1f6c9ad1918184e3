// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace miminomi {

class CalendarClock;

/// A calendar date without time of day, written in the record file as yyyy/MM/dd on every system,
/// so that the writer and the reader always agree.
class RecordDate {
public:
    RecordDate(int year, int month, int day) : year(year), month(month), day(day) {}

    /// The local date at `clock`'s present second.
    static RecordDate localToday(const CalendarClock &clock);
    /// The local date at a calendar second (seconds since the epoch).
    static RecordDate localDateAt(std::int64_t seconds);

    /// Reads a date written as year/month/day or year-month-day (one or two digits for month and
    /// day, surrounding blanks allowed); nothing when the text is not a real calendar date.
    static std::optional<RecordDate> parse(std::string_view text);

    /// The local date that is `days` days after 1970-01-01.
    static RecordDate fromDayNumber(std::int32_t days);
    /// Days from 1970-01-01 to this date, so that dates can be counted and compared.
    std::int32_t dayNumber() const;

    /// The short-date form, four-digit year and two-digit month and day: 2006/04/01.
    std::string format() const;

    int getYear() const { return year; }
    int getMonth() const { return month; }
    int getDay() const { return day; }

    friend bool operator==(const RecordDate &, const RecordDate &) = default;

private:
    int year;
    int month;
    int day;
};

} // namespace miminomi
