// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/backends/MidiOutDevice.h"

namespace miminomi {

class FluidSynthEngine;

/// The MIDI output on the embedded synthesiser: an open holds the synthesiser (loading it on
/// first need), messages go straight into it.
class FluidMidiOut final : public MidiOutDevice {
public:
    explicit FluidMidiOut(FluidSynthEngine &engine) : engine(engine) {}
    ~FluidMidiOut() override;

protected:
    MidiResult deviceOpen() override;
    void deviceClose() override;
    bool sendShort(std::span<const std::uint8_t> bytes) override;
    bool sendSysex(std::span<const std::uint8_t> bytes) override;

private:
    FluidSynthEngine &engine;
    bool holding = false;
};

} // namespace miminomi
