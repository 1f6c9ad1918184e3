// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiOut.h"
#include "tests/support/VirtualClock.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace miminomi::testing {

/// A MIDI output that records every call with the virtual time. Short messages are kept as
/// their three packed bytes (status first), long messages as their whole buffer. It can be
/// told to refuse opens or never to mark a long message done.
class RecordingMidiSink : public MidiOut {
public:
    struct Message {
        enum class Kind { open, close, shortMsg, longMsg };
        Kind kind;
        std::int64_t timeMs;
        std::vector<std::uint8_t> bytes;
        bool operator==(const Message &) const = default;
    };

    explicit RecordingMidiSink(const VirtualClock &clock) : clock(clock) {}

    bool refuseOpen = false;
    bool neverDone = false;

    MidiResult open(MidiOutHandle &handle) override {
        record(Message::Kind::open, {});
        if (refuseOpen)
            return MidiResult::badDevice;
        handle = current = ++lastHandle;
        return MidiResult::ok;
    }
    MidiResult close(MidiOutHandle handle) override {
        record(Message::Kind::close, {});
        if (handle == noMidiOut || handle != current)
            return MidiResult::invalidHandle;
        current = noMidiOut;
        return MidiResult::ok;
    }
    MidiResult shortMsg(MidiOutHandle handle, std::uint32_t message) override {
        record(Message::Kind::shortMsg,
               {static_cast<std::uint8_t>(message), static_cast<std::uint8_t>(message >> 8),
                static_cast<std::uint8_t>(message >> 16)});
        return accepted(handle);
    }
    MidiResult prepareHeader(MidiOutHandle handle, MidiHeader &) override {
        return accepted(handle);
    }
    MidiResult longMsg(MidiOutHandle handle, MidiHeader &header) override {
        record(Message::Kind::longMsg,
               std::vector<std::uint8_t>(header.data, header.data + header.bufferLength));
        const MidiResult result = accepted(handle);
        if (result == MidiResult::ok && !neverDone)
            header.flags |= midiHeaderDone;
        return result;
    }
    MidiResult unprepareHeader(MidiOutHandle handle, MidiHeader &) override {
        return accepted(handle);
    }

    /// Everything recorded, opens and closes included.
    const std::vector<Message> &log() const { return messages; }
    /// Only the short and long messages.
    std::vector<Message> sent() const {
        std::vector<Message> result;
        for (const auto &m : messages)
            if (m.kind == Message::Kind::shortMsg || m.kind == Message::Kind::longMsg)
                result.push_back(m);
        return result;
    }
    void clear() { messages.clear(); }

    /// The note-on messages since the last clear, as (time, note).
    std::vector<std::pair<std::int64_t, int>> notesOn() const {
        std::vector<std::pair<std::int64_t, int>> on;
        for (const auto &m : messages)
            if (m.kind == Message::Kind::shortMsg && (m.bytes[0] & 0xF0) == 0x90)
                on.emplace_back(m.timeMs, m.bytes[1]);
        return on;
    }
    /// The notes started since the last clear, in order.
    std::vector<int> notesPlayed() const {
        std::vector<int> notes;
        for (const auto &[time, note] : notesOn())
            notes.push_back(note);
        return notes;
    }

private:
    MidiResult accepted(MidiOutHandle handle) const {
        return handle != noMidiOut && handle == current ? MidiResult::ok
                                                        : MidiResult::invalidHandle;
    }
    void record(Message::Kind kind, std::vector<std::uint8_t> bytes) {
        messages.push_back({kind, clock.nowMs(), std::move(bytes)});
    }

    const VirtualClock &clock;
    std::vector<Message> messages;
    MidiOutHandle current = noMidiOut;
    MidiOutHandle lastHandle = noMidiOut;
};

/// A message prints as "@1000 2: 80 45 64" (time, kind, bytes), so failures read like a MIDI log.
inline std::ostream &operator<<(std::ostream &out, const RecordingMidiSink::Message &message) {
    out << '@' << message.timeMs << ' ' << static_cast<int>(message.kind) << ':' << std::hex;
    for (std::uint8_t b : message.bytes)
        out << ' ' << static_cast<int>(b);
    return out << std::dec;
}

/// A short message as the sink records it.
inline RecordingMidiSink::Message shortAt(std::int64_t timeMs, std::uint8_t status,
                                          std::uint8_t data1, std::uint8_t data2) {
    return {RecordingMidiSink::Message::Kind::shortMsg, timeMs, {status, data1, data2}};
}

} // namespace miminomi::testing
