#pragma once

#include <utility>
#include <variant>

namespace miminomi {

/// A value, or the reason there is none, which the caller can show the learner.
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

} // namespace miminomi
