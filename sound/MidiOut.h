#pragma once

#include <cstdint>

namespace miminomi {

/// Handle of an opened MIDI output; 0 is none. Every open hands out a new value.
using MidiOutHandle = std::uint32_t;
inline constexpr MidiOutHandle noMidiOut = 0;

/// Result codes of the MIDI output operations; 0 is success.
enum MidiResult : std::uint32_t {
    midiOk = 0,
    midiError = 1,
    midiBadDevice = 2,
    midiInvalidHandle = 5,
    midiNoDriver = 6,
    midiUnprepared = 64,
    midiStillPlaying = 65,
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
    /// Opens the default output and stores its handle; returns a MidiResult.
    virtual std::uint32_t open(MidiOutHandle &handle) = 0;
    virtual std::uint32_t close(MidiOutHandle handle) = 0;
    /// Sends status | data1 << 8 | data2 << 16.
    virtual std::uint32_t shortMsg(MidiOutHandle handle, std::uint32_t message) = 0;
    virtual std::uint32_t prepareHeader(MidiOutHandle handle, MidiHeader &header) = 0;
    virtual std::uint32_t longMsg(MidiOutHandle handle, MidiHeader &header) = 0;
    virtual std::uint32_t unprepareHeader(MidiOutHandle handle, MidiHeader &header) = 0;
};

} // namespace miminomi
