// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiOut.h"

namespace miminomi {

/// The MIDI output when no synthesiser can be had: every open is refused, so nothing is ever
/// sent and the program runs on without sound.
class SilentMidiOut final : public MidiOut {
public:
    MidiResult open(MidiOutHandle &) override { return MidiResult::noDriver; }
    MidiResult close(MidiOutHandle) override { return MidiResult::invalidHandle; }
    MidiResult shortMsg(MidiOutHandle, std::uint32_t) override { return MidiResult::invalidHandle; }
    MidiResult prepareHeader(MidiOutHandle, MidiHeader &) override {
        return MidiResult::invalidHandle;
    }
    MidiResult longMsg(MidiOutHandle, MidiHeader &) override { return MidiResult::invalidHandle; }
    MidiResult unprepareHeader(MidiOutHandle, MidiHeader &) override {
        return MidiResult::invalidHandle;
    }
};

} // namespace miminomi
