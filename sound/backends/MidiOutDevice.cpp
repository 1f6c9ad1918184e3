#include "sound/backends/MidiOutDevice.h"

namespace miminomi {

int shortMessageLength(std::uint8_t status) {
    switch (status & 0xF0u) {
    case 0xC0u:
    case 0xD0u:
        return 2;
    case 0xF0u:
        return status == 0xF1u || status == 0xF3u ? 2 : status == 0xF2u ? 3 : 1;
    default:
        return 3;
    }
}

std::uint32_t MidiOutDevice::open(MidiOutHandle &handle) {
    if (current != noMidiOut) {
        deviceClose();
        current = noMidiOut;
    }
    const std::uint32_t result = deviceOpen();
    if (result != midiOk)
        return result;
    current = ++lastIssued;
    if (current == noMidiOut)
        current = ++lastIssued;
    handle = current;
    return midiOk;
}

std::uint32_t MidiOutDevice::close(MidiOutHandle handle) {
    if (!valid(handle))
        return midiInvalidHandle;
    deviceClose();
    current = noMidiOut;
    return midiOk;
}

std::uint32_t MidiOutDevice::shortMsg(MidiOutHandle handle, std::uint32_t message) {
    if (!valid(handle))
        return midiInvalidHandle;
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(message),
                                   static_cast<std::uint8_t>(message >> 8),
                                   static_cast<std::uint8_t>(message >> 16)};
    if (bytes[0] < 0x80u)
        return midiError;
    return sendShort(std::span(bytes, shortMessageLength(bytes[0]))) ? midiOk : midiError;
}

std::uint32_t MidiOutDevice::prepareHeader(MidiOutHandle handle, MidiHeader &header) {
    if (!valid(handle))
        return midiInvalidHandle;
    if (header.data == nullptr || header.bufferLength == 0)
        return midiError;
    header.flags = (header.flags | midiHeaderPrepared) & ~(midiHeaderDone | midiHeaderInQueue);
    return midiOk;
}

std::uint32_t MidiOutDevice::longMsg(MidiOutHandle handle, MidiHeader &header) {
    if (!valid(handle))
        return midiInvalidHandle;
    if ((header.flags & midiHeaderPrepared) == 0)
        return midiUnprepared;
    const std::uint32_t length =
        header.bytesRecorded != 0 ? header.bytesRecorded : header.bufferLength;
    header.flags = (header.flags | midiHeaderInQueue) & ~midiHeaderDone;
    const bool sent = sendSysex(std::span(header.data, length));
    // The message has left the buffer either way, so the buffer is free again.
    header.flags = (header.flags | midiHeaderDone) & ~midiHeaderInQueue;
    return sent ? midiOk : midiError;
}

std::uint32_t MidiOutDevice::unprepareHeader(MidiOutHandle handle, MidiHeader &header) {
    if (!valid(handle))
        return midiInvalidHandle;
    if ((header.flags & midiHeaderInQueue) != 0)
        return midiStillPlaying;
    header.flags &= ~midiHeaderPrepared;
    return midiOk;
}

} // namespace miminomi
