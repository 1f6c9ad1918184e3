// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/fluid/FluidMidiOut.h"

#include "sound/MidiBytes.h"

#include "sound/backends/fluid/FluidSynthEngine.h"

namespace miminomi {

FluidMidiOut::~FluidMidiOut() {
    if (holding)
        engine.release();
}

MidiResult FluidMidiOut::deviceOpen() {
    holding = engine.acquire();
    return holding ? MidiResult::ok : MidiResult::noDriver;
}

void FluidMidiOut::deviceClose() {
    if (holding)
        engine.release();
    holding = false;
}

bool FluidMidiOut::sendShort(std::span<const std::uint8_t> bytes) {
    fluid_synth_t *synth = engine.synth();
    if (synth == nullptr)
        return false;
    const int channel = midi::channelOf(bytes[0]);
    const int data1 = bytes.size() > 1 ? bytes[1] : 0;
    const int data2 = bytes.size() > 2 ? bytes[2] : 0;
    switch (midi::kindOf(bytes[0])) {
    case midi::noteOff:
        // A note that has already died away is no failure of the output.
        fluid().fluid_synth_noteoff(synth, channel, data1);
        return true;
    case midi::noteOn:
        return fluid().fluid_synth_noteon(synth, channel, data1, data2) == FLUID_OK || data2 == 0;
    case midi::polyPressure:
        return fluid().fluid_synth_key_pressure(synth, channel, data1, data2) == FLUID_OK;
    case midi::controlChange:
        return fluid().fluid_synth_cc(synth, channel, data1, data2) == FLUID_OK;
    case midi::programChange:
        // A program the SoundFont lacks leaves the channel silent, as on any GM device.
        fluid().fluid_synth_program_change(synth, channel, data1);
        return true;
    case midi::channelPressure:
        return fluid().fluid_synth_channel_pressure(synth, channel, data1) == FLUID_OK;
    case midi::pitchBend:
        return fluid().fluid_synth_pitch_bend(synth, channel, data1 | data2 << 7) == FLUID_OK;
    default:
        return true; // system messages mean nothing to the synthesiser
    }
}

bool FluidMidiOut::sendSysex(std::span<const std::uint8_t> bytes) {
    fluid_synth_t *synth = engine.synth();
    if (synth == nullptr || bytes.size() < 2 || bytes.front() != midi::systemExclusive ||
        bytes.back() != midi::endOfExclusive)
        return false;
    // FluidSynth takes the message without its F0 and F7.
    const auto body = bytes.subspan(1, bytes.size() - 2);
    return fluid().fluid_synth_sysex(synth, reinterpret_cast<const char *>(body.data()),
                                     static_cast<int>(body.size()), nullptr, nullptr, nullptr,
                                     0) == FLUID_OK;
}

} // namespace miminomi
