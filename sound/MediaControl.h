#pragma once

#include <cstdint>
#include <string>

namespace miminomi {

/// Result codes of media commands; 0 is success.
enum MediaResult : std::uint32_t {
    mediaOk = 0,
    mediaUnknownCommand = 261,
    mediaFileNotFound = 275,
    mediaUnreadableFile = 276,
    mediaUnknownAlias = 263,
    mediaDuplicateAlias = 289,
    mediaNoDevice = 266,
};

/// Plays a Standard MIDI File in the background, driven by command strings:
/// "open <path> alias <name> ", "play <name>", "stop <name>", "close <name>".
class MediaControl {
public:
    virtual ~MediaControl() = default;
    /// Carries out one command and returns a MediaResult.
    virtual std::uint32_t sendString(const std::string &command) = 0;
};

} // namespace miminomi
