// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace miminomi {

/// Results of media commands.
enum class MediaResult {
    ok,
    unknownCommand,
    fileNotFound,
    unreadableFile,
    unknownAlias,
    duplicateAlias,
    noDevice,
};

/// Plays a Standard MIDI File in the background, driven by command strings:
/// "open <path> alias <name> ", "play <name>", "stop <name>", "close <name>".
class MediaControl {
public:
    virtual ~MediaControl() = default;
    /// Carries out one command.
    virtual MediaResult sendString(const std::string &command) = 0;
};

} // namespace miminomi
