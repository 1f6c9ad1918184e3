// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/backends/MidiFileMedia.h"

namespace miminomi {

/// The media player when no synthesiser can be had: opens exactly the files a sounding player
/// would (so a missing piece still shows as missing), and plays them as silence.
class SilentMedia final : public MidiFileMedia {
protected:
    MediaResult load(std::vector<std::uint8_t>) override { return MediaResult::ok; }
    MediaResult start() override { return MediaResult::ok; }
    MediaResult halt() override { return MediaResult::ok; }
    void unload() override {}
};

} // namespace miminomi
