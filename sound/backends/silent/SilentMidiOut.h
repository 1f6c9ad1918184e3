#pragma once

#include "sound/MidiOut.h"

namespace miminomi {

/// The MIDI output when no synthesiser can be had: every open is refused, so nothing is ever
/// sent and the program runs on without sound.
class SilentMidiOut final : public MidiOut {
public:
    std::uint32_t open(MidiOutHandle &) override { return midiNoDriver; }
    std::uint32_t close(MidiOutHandle) override { return midiInvalidHandle; }
    std::uint32_t shortMsg(MidiOutHandle, std::uint32_t) override { return midiInvalidHandle; }
    std::uint32_t prepareHeader(MidiOutHandle, MidiHeader &) override { return midiInvalidHandle; }
    std::uint32_t longMsg(MidiOutHandle, MidiHeader &) override { return midiInvalidHandle; }
    std::uint32_t unprepareHeader(MidiOutHandle, MidiHeader &) override {
        return midiInvalidHandle;
    }
};

} // namespace miminomi
