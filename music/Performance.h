// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"
#include "music/Score.h"

#include <cstdint>
#include <string>
#include <vector>

namespace miminomi::music {

/// A note as it sounds: its onset and length in ticks (ticksPerQuarter to a quarter), its MIDI
/// note number, velocity and channel (0 to 15).
struct MidiEvent {
    std::int32_t onset = 0;
    std::int32_t note = 60;
    std::int32_t length = 0;
    std::uint8_t velocity = 80;
    std::uint8_t channel = 0;
    bool operator==(const MidiEvent &) const = default;
};

/// What sounds before an item's notes, and on what.
struct PlaybackOptions {
    /// I-IV-V-I of the key as block chords in close position (the tonic on top, the bass two
    /// octaves below it, around middle C), a half note each, then a half note's silence.
    bool cadence = false;
    /// Two clicks a beat apart (side stick on the percussion channel); the first full bar begins
    /// on the beat after the second, an upbeat before it.
    bool countIn = false;
    /// The General MIDI program of the notes and the cadence: 0 the piano, 56 the trumpet.
    std::uint8_t program = 0;
};

/// An item made ready to sound: its events in onset order and what a MIDI file needs besides.
struct Performance {
    /// Channels: the item's notes (both voices) on 0, the cadence on 1, the clicks on 9.
    static constexpr std::uint8_t noteChannel = 0, cadenceChannel = 1, clickChannel = 9;
    static constexpr std::int32_t clickNote = 37;

    std::vector<MidiEvent> events;
    /// The tick the score's first bar (an upbeat's included) starts at.
    std::int32_t scoreStart = 0;
    std::int32_t tempo = 72;
    Metre metre;
    Key key;
    std::uint8_t program = 0;

    /// Seconds from the start to `ticks`.
    double seconds(std::int32_t ticks) const { return ticks * 60.0 / (tempo * ticksPerQuarter); }
};

/// The events of a score's notes (tied notes are one), after the cadence or count-in asked for.
/// Each note sounds its written length, except that one followed at once by the same pitch in
/// its voice is released a thirty-second early, so that the two are heard apart.
Performance perform(const Score &score, const PlaybackOptions &options);

/// Writes a performance as a Standard MIDI File of format 0 with ticksPerQuarter to the quarter:
/// tempo, time and key signature, the programs, then the notes; the reason when it cannot.
Result<void, std::string> writeMidiFile(const Performance &performance, const std::string &path);

} // namespace miminomi::music
