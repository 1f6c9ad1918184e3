// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/rtmidi/AlsaSequencer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cctype>

namespace miminomi::rtmidi {

bool sequencerAvailable(bool forInput) {
    snd_seq_t *seq = nullptr;
    if (snd_seq_open(&seq, "default", forInput ? SND_SEQ_OPEN_INPUT : SND_SEQ_OPEN_OUTPUT, 0) < 0)
        return false;
    snd_seq_close(seq);
    return true;
}

void ignoreError(RtMidiError::Type, const std::string &, void *) {}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace miminomi::rtmidi
