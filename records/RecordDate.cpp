// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordDate.h"

#include "base/Blanks.h"
#include "base/CalendarClock.h"

#include <chrono>
#include <ctime>

namespace miminomi {

namespace {

/// Reads `minDigits` to `maxDigits` decimal digits from the front of `text`, consuming them.
std::optional<int> takeNumber(std::string_view &text, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t length = 0;
    int value = 0;
    while (length < text.size() && length < maxDigits && text[length] >= '0' &&
           text[length] <= '9') {
        value = value * 10 + (text[length] - '0');
        ++length;
    }
    if (length < minDigits || (length < text.size() && text[length] >= '0' && text[length] <= '9'))
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

} // namespace

RecordDate RecordDate::localToday(const CalendarClock &clock) {
    return localDateAt(clock.nowSeconds());
}

RecordDate RecordDate::localDateAt(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&time, &local);
    return RecordDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

RecordDate RecordDate::fromDayNumber(std::int32_t days) {
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
    return RecordDate(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                      static_cast<int>(unsigned(date.day())));
}

std::int32_t RecordDate::dayNumber() const {
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return static_cast<std::int32_t>(std::chrono::sys_days{date}.time_since_epoch().count());
}

std::optional<RecordDate> RecordDate::parse(std::string_view text) {
    text = trimBlanks(text);
    const auto year = takeNumber(text, 4, 4);
    if (!year || text.empty() || (text.front() != '/' && text.front() != '-'))
        return std::nullopt;
    const char separator = text.front();
    text.remove_prefix(1);
    const auto month = takeNumber(text, 1, 2);
    if (!month || text.empty() || text.front() != separator)
        return std::nullopt;
    text.remove_prefix(1);
    const auto day = takeNumber(text, 1, 2);
    if (!day || !text.empty())
        return std::nullopt;

    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (*year < 1 || !date.ok())
        return std::nullopt;
    return RecordDate(*year, *month, *day);
}

std::string RecordDate::format() const {
    // Written digit by digit: reading a record file formats the date of every line again.
    const auto digits = [](std::string &text, int value, int width) {
        std::string number = std::to_string(value);
        if (static_cast<int>(number.size()) < width)
            text.append(static_cast<std::size_t>(width) - number.size(), '0');
        text += number;
    };
    std::string text;
    digits(text, year, 4);
    text += '/';
    digits(text, month, 2);
    text += '/';
    digits(text, day, 2);
    return text;
}

} // namespace miminomi
