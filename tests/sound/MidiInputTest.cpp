// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The MIDI keyboard input: which messages are notes struck, and a calm refusal of a port that is
// not there.
#include "sound/backends/rtmidi/RtMidiInput.h"

#include <gtest/gtest.h>

namespace miminomi::testing {

TEST(RtMidiInput, OnlyNoteOnsWithAVelocityAreNotesStruck) {
    using Bytes = std::vector<std::uint8_t>;
    using NoteOn = std::optional<std::pair<std::uint8_t, std::uint8_t>>;
    const std::pair<Bytes, NoteOn> cases[] = {
        {{0x90, 60, 100}, NoteOn{{60, 100}}}, {{0x9F, 72, 1}, NoteOn{{72, 1}}}, // any channel
        {{0x90, 60, 0}, std::nullopt}, // a note-off by velocity 0
        {{0x80, 60, 64}, std::nullopt},       {{0xB0, 64, 127}, std::nullopt}, // the sustain pedal
        {{0x90, 60}, std::nullopt},           {{0xF8}, std::nullopt},
    };
    for (const auto &[bytes, noteOn] : cases)
        EXPECT_EQ(RtMidiInput::noteOnOf(bytes.data(), bytes.size()), noteOn)
            << int(bytes[0]) << " " << bytes.size();
}

TEST(RtMidiInput, APortThatIsNotThereIsRefusedWithItsName) {
    // Here, where the machine has no sequencer, also with the reason that there is none.
    RtMidiInput input;
    const auto opened = input.open("no such keyboard");
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.reason().rfind("no MIDI input matches \"no such keyboard\"", 0), 0u)
        << opened.reason();
    EXPECT_EQ(input.portName(), "");
}

} // namespace miminomi::testing
