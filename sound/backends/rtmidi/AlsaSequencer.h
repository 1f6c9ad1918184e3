// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <RtMidi.h>

#include <string>

namespace miminomi::rtmidi {

/// Whether an ALSA sequencer client can be made for output or for input. RtMidi would print its
/// failure on standard error before throwing, so ALSA is asked first (its own messages silenced).
bool sequencerAvailable(bool forInput);

/// An error callback that keeps RtMidi from printing its warnings on standard error.
void ignoreError(RtMidiError::Type, const std::string &, void *);

/// `text` in small letters, for finding a port by part of its name whatever its case.
std::string lowered(std::string text);

} // namespace miminomi::rtmidi
