#pragma once

#include "sound/backends/MidiFileMedia.h"

namespace miminomi {

/// The media player when no synthesiser can be had: opens exactly the files a sounding player
/// would (so a missing piece still shows as missing), and plays them as silence.
class SilentMedia final : public MidiFileMedia {
protected:
    std::uint32_t load(std::vector<std::uint8_t>) override { return mediaOk; }
    std::uint32_t start() override { return mediaOk; }
    std::uint32_t halt() override { return mediaOk; }
    void unload() override {}
};

} // namespace miminomi
