// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <utility>
#include <variant>

namespace miminomi {

// The one way the core tells of a failure: a result that holds a value, or the reason there is
// none, which the caller can show (where the program tells the learner, in one calm line on
// standard error or one sentence in a window). An operation that gives no value returns
// Result<void, Reason>: success, or the reason it failed.

/// A value, or the reason there is none.
template <typename T, typename Reason> class Result {
public:
    Result(T value) : content(std::in_place_index<0>, std::move(value)) {}
    Result(Reason reason) : content(std::in_place_index<1>, std::move(reason)) {}

    bool ok() const { return content.index() == 0; }
    explicit operator bool() const { return ok(); }

    /// The value; only when ok().
    const T &value() const & { return std::get<0>(content); }
    T &&value() && { return std::get<0>(std::move(content)); }
    const T &operator*() const { return value(); }
    const T *operator->() const { return &value(); }
    T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }
    /// Why there is no value; only when not ok().
    Reason reason() const { return std::get<1>(content); }

private:
    std::variant<T, Reason> content;
};

/// Success, or the reason of a failure.
template <typename Reason> class Result<void, Reason> {
public:
    /// Success.
    Result() = default;
    Result(Reason reason) : failure(std::move(reason)) {}

    bool ok() const { return !failure; }
    explicit operator bool() const { return ok(); }
    /// Why it failed; only when not ok().
    const Reason &reason() const { return *failure; }

private:
    std::optional<Reason> failure;
};

} // namespace miminomi
