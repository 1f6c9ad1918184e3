// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MediaControl.h"
#include "tests/support/VirtualClock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace miminomi::testing {

/// A media player that records every command string with the virtual time and answers
/// success, except that opens fail while failOpens is set.
class RecordingMediaControl : public MediaControl {
public:
    struct Command {
        std::int64_t timeMs;
        std::string text;
        bool operator==(const Command &) const = default;
    };

    explicit RecordingMediaControl(const VirtualClock &clock) : clock(clock) {}

    bool failOpens = false;

    MediaResult sendString(const std::string &command) override {
        commands.push_back({clock.nowMs(), command});
        return failOpens && command.rfind("open ", 0) == 0 ? MediaResult::fileNotFound
                                                           : MediaResult::ok;
    }

    const std::vector<Command> &log() const { return commands; }

private:
    const VirtualClock &clock;
    std::vector<Command> commands;
};

} // namespace miminomi::testing
