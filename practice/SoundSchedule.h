// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiBytes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace miminomi {

class MidiSound;
class SteadyClock;

/// Notes sounded at planned times without holding the window, so that the learner can tap or type
/// while they sound: the device opens when the first note is due and closes once nothing sounds
/// and nothing is planned. Its owner polls it when nextDueMs() says: a timer in the program, the
/// virtual clock in the tests.
class SoundSchedule {
public:
    SoundSchedule(MidiSound &midi, const SteadyClock &clock) : midi(midi), clock(clock) {}
    ~SoundSchedule() { stop(); }
    SoundSchedule(const SoundSchedule &) = delete;
    SoundSchedule &operator=(const SoundSchedule &) = delete;

    /// Plans `note` on `channel` from `atMs` on the clock, for `lengthMs`, on instrument `program`
    /// (a program change goes before the note on, as MidiSound::NotePlay sends it); the same note
    /// still sounding on the channel then is ended first. Sends what is due at once.
    void plan(std::int64_t atMs, std::uint8_t channel, std::uint8_t note, std::int32_t lengthMs,
              std::uint8_t program = midi::acousticGrandPiano);
    /// Ends now every note sounding or planned on `channel`.
    void cut(std::uint8_t channel);
    /// Sends every note on and off that is due, in time order.
    void poll();
    /// When poll() is next due; nothing when nothing is planned. A note sounding always has its
    /// end planned, so this also tells whether anything sounds.
    std::optional<std::int64_t> nextDueMs() const;
    /// Ends every note now, forgets the plan and closes the device.
    void stop();

    /// Told when a note has been planned, so that the owner can poll in time.
    std::function<void()> onPlanned;

private:
    struct Event {
        std::int64_t atMs;
        std::uint8_t channel;
        std::uint8_t note;
        bool on;
        std::uint8_t program = midi::acousticGrandPiano;
    };

    void send(const Event &event);

    MidiSound &midi;
    const SteadyClock &clock;
    /// Planned events in time order; a note's off follows its on.
    std::vector<Event> events;
    /// The notes on and not yet off, by channel and note.
    std::vector<std::pair<std::uint8_t, std::uint8_t>> sounding;
    bool deviceOpen = false;
};

} // namespace miminomi
