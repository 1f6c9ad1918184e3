// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiOut.h"

#include <cstdint>
#include <span>

namespace miminomi {

/// The bookkeeping every real MIDI output shares: one open handle at a time (a new open
/// replaces it, a stale or repeated close is refused harmlessly), header preparation, and the
/// done flag set once a long message has been delivered. Subclasses only move bytes.
class MidiOutDevice : public MidiOut {
public:
    MidiResult open(MidiOutHandle &handle) final;
    MidiResult close(MidiOutHandle handle) final;
    MidiResult shortMsg(MidiOutHandle handle, std::uint32_t message) final;
    MidiResult prepareHeader(MidiOutHandle handle, MidiHeader &header) final;
    MidiResult longMsg(MidiOutHandle handle, MidiHeader &header) final;
    MidiResult unprepareHeader(MidiOutHandle handle, MidiHeader &header) final;

    bool isOpen() const { return current != noMidiOut; }

protected:
    /// Makes the output ready.
    virtual MidiResult deviceOpen() = 0;
    virtual void deviceClose() = 0;
    /// Sends one channel message of one to three bytes.
    virtual bool sendShort(std::span<const std::uint8_t> bytes) = 0;
    /// Sends a whole System Exclusive message, F0 to F7 included.
    virtual bool sendSysex(std::span<const std::uint8_t> bytes) = 0;

private:
    bool valid(MidiOutHandle handle) const { return handle != noMidiOut && handle == current; }

    MidiOutHandle current = noMidiOut;
    MidiOutHandle lastIssued = noMidiOut;
};

/// Number of bytes a status byte's message has in all (1 to 3).
int shortMessageLength(std::uint8_t status);

} // namespace miminomi
