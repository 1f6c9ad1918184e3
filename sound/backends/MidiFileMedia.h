// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MediaControl.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace miminomi {

/// One media command taken apart: its verb, the file of an open, and the alias it names.
struct MediaCommand {
    enum class Verb { open, play, stop, close };
    Verb verb = Verb::open;
    std::string path;
    std::string alias;
};

/// Parses "open <path> [alias <name>]", "play <name>", "stop <name>" and "close <name>"; blanks
/// around words do not matter. An open without an alias is named by its path.
std::optional<MediaCommand> parseMediaCommand(std::string_view command);

/// The media commands over one background MIDI-file player: keeps the one open piece under its
/// alias, and lets an open succeed only for a file that exists and is a readable Standard MIDI
/// File, so a caller learns at once that there is nothing to play.
class MidiFileMedia : public MediaControl {
public:
    ~MidiFileMedia() override = default;
    MediaResult sendString(const std::string &command) final;

    /// Largest file an open accepts; the pieces are a few kilobytes.
    static constexpr std::size_t maxFileBytes = 4u << 20;

protected:
    /// Takes the bytes of a readable file for playing.
    virtual MediaResult load(std::vector<std::uint8_t> smf) = 0;
    /// Starts playing the loaded piece in the background.
    virtual MediaResult start() = 0;
    /// Stops the piece and silences what it left sounding.
    virtual MediaResult halt() = 0;
    /// Forgets the loaded piece.
    virtual void unload() = 0;

private:
    std::optional<std::string> openAlias;
};

/// The whole file, or nothing when it cannot be read, is not a regular file (a named pipe would
/// keep the open waiting), or is larger than the limit.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string &path,
                                                       std::size_t maxBytes);

} // namespace miminomi
