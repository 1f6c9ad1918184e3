// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/Performance.h"

#include "music/Tonality.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
// libsmf's header wraps glib's in extern "C"; glib's C++ parts come in with the standard headers
// above first, so they are not declared with C linkage.
#include <smf.h>

namespace miminomi::music {

namespace {

/// The cadence's chords in scale steps from the upper tonic: tenor, alto, soprano, and the bass.
struct CadenceChord {
    std::array<int, 4> steps;
};
constexpr std::array<CadenceChord, 4> cadenceChords = {{
    {{-5, -3, 0, -14}},  // I: third, fifth, tonic; the tonic
    {{-4, -2, 0, -11}},  // IV: fourth, sixth, tonic; the fourth
    {{-6, -3, -1, -10}}, // V: second, fifth, leading note; the fifth
    {{-5, -3, 0, -14}},  // I
}};
constexpr std::int32_t cadenceChordTicks = 2 * ticksPerQuarter;
/// A thirty-second: how early a note is released before the same pitch again.
constexpr std::int32_t release = ticksPerQuarter / 8;

void addVoice(std::vector<MidiEvent> &events, const Score &score, bool upper, std::int32_t start) {
    // The notes as heard: a tied note is one, its onset its first part's.
    struct Heard {
        std::int32_t onset, length, note;
        bool downbeat;
    };
    std::vector<Heard> heard;
    std::int32_t time = start;
    bool continued = false;
    for (const Bar &bar : score.bars) {
        const std::vector<Note> &voice = upper ? bar.upper : bar.lower;
        std::int32_t barTicks = 0;
        for (const Note &note : bar.upper)
            barTicks += note.value.ticks();
        std::int32_t at = time;
        for (const Note &note : voice) {
            const std::int32_t ticks = note.value.ticks();
            if (note.isRest())
                continued = false;
            else if (continued)
                heard.back().length += ticks;
            else
                heard.push_back({at, ticks, note.pitch->midi(), at == time && !bar.pickup});
            continued = note.tieToNext && !note.isRest();
            at += ticks;
        }
        time += barTicks;
    }
    for (std::size_t k = 0; k < heard.size(); ++k) {
        std::int32_t length = heard[k].length;
        if (k + 1 < heard.size() && heard[k + 1].onset == heard[k].onset + length &&
            heard[k + 1].note == heard[k].note)
            length -= release;
        // The downbeats a little stronger, as a player counts them.
        events.push_back({heard[k].onset, heard[k].note, length,
                          static_cast<std::uint8_t>(heard[k].downbeat ? 88 : 76),
                          Performance::noteChannel});
    }
}

} // namespace

Performance perform(const Score &score, const PlaybackOptions &options) {
    Performance performance;
    performance.tempo = score.tempo;
    performance.metre = score.metre;
    performance.key = score.key;
    performance.program = options.program;
    std::vector<MidiEvent> &events = performance.events;
    std::int32_t time = 0;

    if (options.cadence) {
        // The upper tonic between G4 and F♯5, so the chords lie around middle C's octave.
        const int octave = scalePitch(score.key, 4, 0).midi() < 67 ? 5 : 4;
        for (const CadenceChord &chord : cadenceChords) {
            for (int step : chord.steps) {
                const int degree = ((step % 7) + 7) % 7;
                // The dominant's leading note is raised in minor.
                const int raise = score.key.minor && degree == 6 ? 1 : 0;
                events.push_back({time, scalePitch(score.key, octave, step, raise).midi(),
                                  cadenceChordTicks, 72, Performance::cadenceChannel});
            }
            time += cadenceChordTicks;
        }
        time += cadenceChordTicks;
    }

    std::int32_t pickup = 0;
    if (!score.bars.empty() && score.bars.front().pickup)
        for (const Note &note : score.bars.front().upper)
            pickup += note.value.ticks();
    if (options.countIn) {
        const std::int32_t beat = score.metre.beatTicks();
        for (int click = 0; click < 2; ++click)
            events.push_back({time + click * beat, Performance::clickNote, ticksPerQuarter / 2, 100,
                              Performance::clickChannel});
        time += 2 * beat - pickup;
    }
    performance.scoreStart = time;
    addVoice(events, score, true, time);
    addVoice(events, score, false, time);
    std::stable_sort(events.begin(), events.end(),
                     [](const MidiEvent &a, const MidiEvent &b) { return a.onset < b.onset; });
    return performance;
}

Result<void, std::string> writeMidiFile(const Performance &performance, const std::string &path) {
    // Opened first, so that a folder that cannot be written is told in our words, not libsmf's.
    if (!std::ofstream(path, std::ios::binary))
        return std::string(std::strerror(errno));

    const std::unique_ptr<smf_t, decltype(&smf_delete)> file(smf_new(), smf_delete);
    if (!file || smf_set_ppqn(file.get(), ticksPerQuarter) != 0)
        return std::string("libsmf could not make a file");
    smf_track_t *track = smf_track_new();
    smf_add_track(file.get(), track);

    // Every message with its tick; at one tick, meta events first, then note offs, then the rest.
    struct Message {
        std::int32_t tick;
        int order;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Message> messages;
    const auto meta = [&](std::vector<std::uint8_t> bytes) {
        messages.push_back({0, 0, std::move(bytes)});
    };
    const std::uint32_t microseconds = 60'000'000u / static_cast<std::uint32_t>(performance.tempo);
    meta({0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microseconds >> 16),
          static_cast<std::uint8_t>(microseconds >> 8), static_cast<std::uint8_t>(microseconds)});
    const Metre &metre = performance.metre;
    const std::uint8_t denominator = metre.beatType == 8 ? 3 : metre.beatType == 2 ? 1 : 2;
    // MIDI clocks (24 to the quarter) a metronome click: the counted beat.
    const auto clocks = static_cast<std::uint8_t>(metre.beatTicks() * 24 / ticksPerQuarter);
    meta({0xFF, 0x58, 0x04, static_cast<std::uint8_t>(metre.beats), denominator, clocks, 8});
    meta({0xFF, 0x59, 0x02, static_cast<std::uint8_t>(performance.key.fifths),
          static_cast<std::uint8_t>(performance.key.minor ? 1 : 0)});
    for (std::uint8_t channel : {Performance::noteChannel, Performance::cadenceChannel})
        messages.push_back(
            {0, 1, {static_cast<std::uint8_t>(0xC0 | channel), performance.program}});
    for (const MidiEvent &event : performance.events) {
        const auto channel = static_cast<std::uint8_t>(event.channel & 0x0F);
        const auto note = static_cast<std::uint8_t>(event.note);
        messages.push_back(
            {event.onset, 3, {static_cast<std::uint8_t>(0x90 | channel), note, event.velocity}});
        messages.push_back(
            {event.onset + event.length, 2, {static_cast<std::uint8_t>(0x80 | channel), note, 0}});
    }
    std::stable_sort(messages.begin(), messages.end(), [](const Message &a, const Message &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    for (Message &message : messages) {
        smf_event_t *event = smf_event_new_from_pointer(message.bytes.data(),
                                                        static_cast<int>(message.bytes.size()));
        if (!event)
            return std::string("libsmf could not take a MIDI message");
        smf_track_add_event_pulses(track, event, message.tick);
    }
    if (smf_save(file.get(), path.c_str()) != 0)
        return std::string("libsmf could not save it");
    return {};
}

} // namespace miminomi::music
