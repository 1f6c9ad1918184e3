// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace miminomi {

/// Handle of an opened MIDI output; 0 is none. Every open hands out a new value.
using MidiOutHandle = std::uint32_t;
inline constexpr MidiOutHandle noMidiOut = 0;

/// Results of the MIDI output operations.
enum class MidiResult {
    ok,
    error,
    badDevice,
    invalidHandle,
    noDriver,
    unprepared,
    stillPlaying,
};

/// Header flags of a long message.
inline constexpr std::uint32_t midiHeaderDone = 1;
inline constexpr std::uint32_t midiHeaderPrepared = 2;
inline constexpr std::uint32_t midiHeaderInQueue = 4;

/// A long (System Exclusive) message: the caller's buffer, which must stay valid until the
/// output sets the done flag.
struct MidiHeader {
    const std::uint8_t *data = nullptr;
    std::uint32_t bufferLength = 0;
    std::uint32_t bytesRecorded = 0;
    std::uint32_t flags = 0;
};

/// The MIDI output as the sound code uses it: open the default output, send short messages
/// packed with the status byte lowest, send long messages through a prepared header whose done
/// flag is set once the output has taken them, close.
class MidiOut {
public:
    virtual ~MidiOut() = default;
    /// Opens the default output and stores its handle.
    virtual MidiResult open(MidiOutHandle &handle) = 0;
    virtual MidiResult close(MidiOutHandle handle) = 0;
    /// Sends status | data1 << 8 | data2 << 16.
    virtual MidiResult shortMsg(MidiOutHandle handle, std::uint32_t message) = 0;
    virtual MidiResult prepareHeader(MidiOutHandle handle, MidiHeader &header) = 0;
    virtual MidiResult longMsg(MidiOutHandle handle, MidiHeader &header) = 0;
    virtual MidiResult unprepareHeader(MidiOutHandle handle, MidiHeader &header) = 0;
};

} // namespace miminomi
