#pragma once

#include <cstdint>

namespace miminomi {

/// The one blocking wait of the program. The window's implementation keeps painting and drops
/// user input until the deadline; the tests' virtual clock advances instantly.
class Wait {
public:
    virtual ~Wait() = default;
    /// Returns after the given number of milliseconds.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

} // namespace miminomi
