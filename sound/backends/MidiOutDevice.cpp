// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/MidiOutDevice.h"

#include "sound/MidiBytes.h"

namespace miminomi {

int shortMessageLength(std::uint8_t status) {
    switch (midi::kindOf(status)) {
    case midi::programChange:
    case midi::channelPressure:
        return 2;
    case midi::systemExclusive:
        return status == midi::timeCode || status == midi::songSelect ? 2
               : status == midi::songPosition                         ? 3
                                                                      : 1;
    default:
        return 3;
    }
}

MidiResult MidiOutDevice::open(MidiOutHandle &handle) {
    if (current != noMidiOut) {
        deviceClose();
        current = noMidiOut;
    }
    const MidiResult result = deviceOpen();
    if (result != MidiResult::ok)
        return result;
    current = ++lastIssued;
    if (current == noMidiOut)
        current = ++lastIssued;
    handle = current;
    return MidiResult::ok;
}

MidiResult MidiOutDevice::close(MidiOutHandle handle) {
    if (!valid(handle))
        return MidiResult::invalidHandle;
    deviceClose();
    current = noMidiOut;
    return MidiResult::ok;
}

MidiResult MidiOutDevice::shortMsg(MidiOutHandle handle, std::uint32_t message) {
    if (!valid(handle))
        return MidiResult::invalidHandle;
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(message),
                                   static_cast<std::uint8_t>(message >> 8),
                                   static_cast<std::uint8_t>(message >> 16)};
    if (bytes[0] < 0x80u)
        return MidiResult::error;
    return sendShort(std::span(bytes, shortMessageLength(bytes[0]))) ? MidiResult::ok
                                                                     : MidiResult::error;
}

MidiResult MidiOutDevice::prepareHeader(MidiOutHandle handle, MidiHeader &header) {
    if (!valid(handle))
        return MidiResult::invalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return MidiResult::error;
    header.flags = (header.flags | midiHeaderPrepared) & ~(midiHeaderDone | midiHeaderInQueue);
    return MidiResult::ok;
}

MidiResult MidiOutDevice::longMsg(MidiOutHandle handle, MidiHeader &header) {
    if (!valid(handle))
        return MidiResult::invalidHandle;
    if ((header.flags & midiHeaderPrepared) == 0)
        return MidiResult::unprepared;
    const std::uint32_t length =
        header.bytesRecorded != 0 ? header.bytesRecorded : header.bufferLength;
    header.flags = (header.flags | midiHeaderInQueue) & ~midiHeaderDone;
    const bool sent = sendSysex(std::span(header.data, length));
    // The message has left the buffer either way, so the buffer is free again.
    header.flags = (header.flags | midiHeaderDone) & ~midiHeaderInQueue;
    return sent ? MidiResult::ok : MidiResult::error;
}

MidiResult MidiOutDevice::unprepareHeader(MidiOutHandle handle, MidiHeader &header) {
    if (!valid(handle))
        return MidiResult::invalidHandle;
    if ((header.flags & midiHeaderInQueue) != 0)
        return MidiResult::stillPlaying;
    header.flags &= ~midiHeaderPrepared;
    return MidiResult::ok;
}

} // namespace miminomi
