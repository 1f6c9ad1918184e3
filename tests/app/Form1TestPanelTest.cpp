// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The MIDI test page: the note it sends for the spinners and instrument buttons.
#include "tests/support/FormHarness.h"

#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace miminomi::testing {

TEST(TestPanel, SendsTheSpinnersValuesWithChannelAndProgramCountedFromOne) {
    FormHarness h;
    h.selectTab(5);
    const auto send = [&h] {
        h.sink.clear();
        h.click("buttonSendMidi");
        return h.sink.log();
    };
    // The start values: the A of 440 Hz on piano for two seconds, on a device opened anew.
    const auto first = send();
    EXPECT_EQ(std::vector(first.begin() + 2, first.end() - 1),
              (std::vector{shortAt(0, 0xC0, 0, 0), shortAt(0, 0x90, 69, 100),
                           shortAt(2000, 0x80, 69, 100)}));
    EXPECT_EQ(first.back().kind, RecordingMidiSink::Message::Kind::close);

    const auto spin = [&h](const char *name) { return h.find<QSpinBox>(name); };
    for (const auto &[name, value] : {std::pair{"numericUpDownMidiCh", 16},
                                      {"numericUpDownInst", 127},
                                      {"numericUpDownNoteNum", 1},
                                      {"numericUpDownVelocity", 127},
                                      {"numericUpDownDuration", 5}})
        spin(name)->setValue(value);
    const auto sent = send();
    EXPECT_EQ(std::vector(sent.begin() + 2, sent.end() - 1),
              (std::vector{shortAt(2000, 0xCF, 126, 0), shortAt(2000, 0x9F, 1, 127),
                           shortAt(7000, 0x8F, 1, 127)}));

    // The instrument buttons set the program; entering the page restores all but the length.
    for (const auto &[button, program] : {std::pair{"radioButtonViolin", 41},
                                          {"radioButtonFlute", 74},
                                          {"radioButtonGuiter", 25},
                                          {"radioButtonTubularBells", 15},
                                          {"radioButtonTimpani", 48},
                                          {"radioButtonPiano", 1}}) {
        h.find<QRadioButton>(button)->setChecked(true);
        EXPECT_EQ(spin("numericUpDownInst")->value(), program) << button;
    }
    h.find<QRadioButton>("radioButtonFlute")->setChecked(true);
    h.selectTab(0);
    h.selectTab(5);
    EXPECT_TRUE(h.find<QRadioButton>("radioButtonPiano")->isChecked());
    for (const auto &[name, value] : {std::pair{"numericUpDownInst", 1},
                                      {"numericUpDownMidiCh", 1},
                                      {"numericUpDownNoteNum", 69},
                                      {"numericUpDownVelocity", 100},
                                      {"numericUpDownDuration", 5}})
        EXPECT_EQ(spin(name)->value(), value) << name;
}

} // namespace miminomi::testing
