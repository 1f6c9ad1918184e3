// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace miminomi::midi {

// Status bytes of the channel messages; the channel 0..15 is or-ed into the low four bits.
inline constexpr std::uint8_t noteOff = 0x80, noteOn = 0x90, polyPressure = 0xA0,
                              controlChange = 0xB0, programChange = 0xC0, channelPressure = 0xD0,
                              pitchBend = 0xE0;
// Status bytes of the system messages the program meets, and of a file's meta events.
inline constexpr std::uint8_t systemExclusive = 0xF0, timeCode = 0xF1, songPosition = 0xF2,
                              songSelect = 0xF3, endOfExclusive = 0xF7, meta = 0xFF;

/// The kind of a status byte, its channel taken away.
constexpr std::uint8_t kindOf(std::uint8_t status) {
    return status & 0xF0;
}
constexpr std::uint8_t channelOf(std::uint8_t status) {
    return status & 0x0F;
}
/// A channel message's status byte on a channel 0..15.
constexpr std::uint8_t onChannel(std::uint8_t kind, std::uint8_t channel) {
    return static_cast<std::uint8_t>(kind | (channel & 0x0F));
}

/// The controller that silences every note of a channel.
inline constexpr std::uint8_t allNotesOff = 123;
/// The meta event that ends a track of a Standard MIDI File.
inline constexpr std::uint8_t endOfTrack = 0x2F;
/// The channel General MIDI keeps for percussion (the tenth, counted from 1).
inline constexpr std::uint8_t percussionChannel = 9;

// General MIDI programs, counted from 0 as they are sent.
inline constexpr std::uint8_t acousticGrandPiano = 0, tubularBells = 14, nylonGuitar = 24,
                              violin = 40, timpani = 47, flute = 73;

/// The note every question's reference sounds: the A of 440 Hz.
inline constexpr std::uint8_t referenceA = 69;

/// The General MIDI System On message, which resets a device to the General MIDI defaults.
inline constexpr std::array<std::uint8_t, 6> gmSystemOn = {systemExclusive, 0x7E, 0x7F, 0x09, 0x01,
                                                           endOfExclusive};

} // namespace miminomi::midi
