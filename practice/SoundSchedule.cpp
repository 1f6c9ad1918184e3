// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/SoundSchedule.h"

#include "base/SteadyClock.h"
#include "sound/MidiSound.h"

#include <algorithm>

namespace miminomi {

void SoundSchedule::plan(std::int64_t atMs, std::uint8_t channel, std::uint8_t note,
                         std::int32_t lengthMs, std::uint8_t program) {
    // The same note's pending off would cut the new one short: it comes before the new on instead.
    for (Event &event : events)
        if (!event.on && event.channel == channel && event.note == note && event.atMs > atMs)
            event.atMs = atMs;
    events.push_back({atMs, channel, note, true, program});
    events.push_back({atMs + std::max(lengthMs, 1), channel, note, false});
    std::stable_sort(events.begin(), events.end(),
                     [](const Event &a, const Event &b) { return a.atMs < b.atMs; });
    poll();
    if (onPlanned)
        onPlanned();
}

void SoundSchedule::cut(std::uint8_t channel) {
    for (const auto &[soundingChannel, note] : std::vector(sounding))
        if (soundingChannel == channel)
            send({0, channel, note, false});
    std::erase_if(events, [channel](const Event &event) { return event.channel == channel; });
    poll();
}

void SoundSchedule::poll() {
    const std::int64_t now = clock.nowMs();
    std::size_t due = 0;
    while (due < events.size() && events[due].atMs <= now)
        send(events[due++]);
    events.erase(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(due));
    if (events.empty() && sounding.empty() && deviceOpen) {
        midi.CloseMidiDevice();
        deviceOpen = false;
    }
}

std::optional<std::int64_t> SoundSchedule::nextDueMs() const {
    if (events.empty())
        return std::nullopt;
    return events.front().atMs;
}

void SoundSchedule::stop() {
    for (const auto &[channel, note] : std::vector(sounding))
        send({0, channel, note, false});
    events.clear();
    if (deviceOpen) {
        midi.CloseMidiDevice();
        deviceOpen = false;
    }
}

void SoundSchedule::send(const Event &event) {
    const std::pair key{event.channel, event.note};
    const auto playing = std::find(sounding.begin(), sounding.end(), key);
    if (!event.on && playing == sounding.end())
        return; // already ended
    if (!deviceOpen) {
        midi.OpenMidiDevice();
        deviceOpen = true;
    }
    midi.setMidiCh(event.channel);
    midi.setMidiNoteNum(event.note);
    if (event.on) {
        midi.setMidiInstrument(event.program);
        midi.NotePlay(0);
        if (playing == sounding.end())
            sounding.push_back(key);
    } else {
        midi.NoteStop();
        sounding.erase(playing);
    }
}

} // namespace miminomi
