// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <string>
#include <sys/types.h>

namespace miminomi::bench {

/// Resident memory of a process in KiB (VmRSS), this process when `pid` is 0; -1 when unknown.
inline long residentKiB(pid_t pid = 0) {
    std::ifstream status("/proc/" + (pid == 0 ? std::string("self") : std::to_string(pid)) +
                         "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

/// Resident memory of this process in MiB.
inline double residentMiB() {
    return static_cast<double>(residentKiB()) / 1024.0;
}

} // namespace miminomi::bench
