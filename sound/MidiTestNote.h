// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiBytes.h"

#include <cstdint>

namespace miminomi {

class MidiSound;

/// The MIDI test panel's five spinner values as the user sees them, and how they reach the
/// device. Program and channel are counted from 1 for the user and sent less one; the note
/// number and the velocity are sent as shown, so the start values sound the A of 440 Hz.
struct MidiTestNote {
    int program = 1;
    int noteNum = midi::referenceA;
    int velocity = 100;
    int channel = 1;
    int durationSeconds = 2;

    static std::uint8_t programByte(int shown) { return static_cast<std::uint8_t>(shown - 1); }
    /// The program as the spinner shows it, counted from 1.
    static int shownProgram(std::uint8_t program) { return program + 1; }
    static std::uint8_t channelByte(int shown) { return static_cast<std::uint8_t>(shown - 1); }
    static std::uint8_t noteNumByte(int shown) { return static_cast<std::uint8_t>(shown); }
    static std::uint8_t velocityByte(int shown) { return static_cast<std::uint8_t>(shown); }

    /// The "送信" action: opens the device, sets channel, program, velocity and note, plays the
    /// note for the duration and closes the device.
    void send(MidiSound &sound) const;
};

} // namespace miminomi
