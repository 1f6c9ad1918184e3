// The MIDI test page: the note it sends for the spinners and instrument buttons.
#include "tests/support/FormHarness.h"

#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace miminomi::testing {
namespace {

class TestPanel : public ::testing::Test {
protected:
    TestPanel() {
        h.selectTab(5);
        h.sink.clear();
    }

    QSpinBox *spin(const char *name) { return h.find<QSpinBox>(name); }

    /// The short messages of the last "送信", after the reset.
    std::vector<RecordingMidiSink::Message> send() {
        h.sink.clear();
        h.click("buttonSendMidi");
        std::vector<RecordingMidiSink::Message> shortMessages;
        for (const auto &m : h.sink.sent())
            if (m.kind == RecordingMidiSink::Message::Kind::shortMsg)
                shortMessages.push_back(m);
        return shortMessages;
    }

    FormHarness h;
};

TEST_F(TestPanel, TheStartValuesSoundTheA440OnPianoForTwoSeconds) {
    const std::int64_t start = h.clock.nowMs();
    const auto sent = send();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], shortAt(start, 0xC0, 0x00, 0x00));
    EXPECT_EQ(sent[1], shortAt(start, 0x90, 0x45, 0x64));
    EXPECT_EQ(sent[2], shortAt(start + 2000, 0x80, 0x45, 0x64));
    EXPECT_EQ(h.sink.log().front().kind, RecordingMidiSink::Message::Kind::open);
    EXPECT_EQ(h.sink.log().at(1).kind, RecordingMidiSink::Message::Kind::longMsg)
        << "the General MIDI reset comes first";
    EXPECT_EQ(h.sink.log().back().kind, RecordingMidiSink::Message::Kind::close);
}

TEST_F(TestPanel, ChannelAndProgramAreCountedFromOneNoteAndVelocityAsShown) {
    spin("numericUpDownMidiCh")->setValue(16);
    spin("numericUpDownInst")->setValue(127);
    spin("numericUpDownNoteNum")->setValue(1);
    spin("numericUpDownVelocity")->setValue(127);
    spin("numericUpDownDuration")->setValue(5);
    const std::int64_t start = h.clock.nowMs();
    const auto sent = send();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], shortAt(start, 0xCF, 126, 0));
    EXPECT_EQ(sent[1], shortAt(start, 0x9F, 1, 127));
    EXPECT_EQ(sent[2], shortAt(start + 5000, 0x8F, 1, 127));
}

TEST_F(TestPanel, InstrumentButtonsSetTheProgramSpinner) {
    const std::vector<std::pair<const char *, int>> instruments = {
        {"radioButtonViolin", 41},       {"radioButtonFlute", 74},   {"radioButtonGuiter", 25},
        {"radioButtonTubularBells", 15}, {"radioButtonTimpani", 48}, {"radioButtonPiano", 1}};
    for (const auto &[button, program] : instruments) {
        h.find<QRadioButton>(button)->setChecked(true);
        EXPECT_EQ(spin("numericUpDownInst")->value(), program) << button;
    }
    h.find<QRadioButton>("radioButtonTimpani")->setChecked(true);
    EXPECT_EQ(send().at(0).bytes.at(1), 47);
}

TEST_F(TestPanel, EnteringThePageRestoresPianoChannelNoteAndVelocityButNotTheLength) {
    h.find<QRadioButton>("radioButtonFlute")->setChecked(true);
    spin("numericUpDownMidiCh")->setValue(9);
    spin("numericUpDownNoteNum")->setValue(30);
    spin("numericUpDownVelocity")->setValue(5);
    spin("numericUpDownDuration")->setValue(4);
    h.selectTab(0);
    h.selectTab(5);
    EXPECT_TRUE(h.find<QRadioButton>("radioButtonPiano")->isChecked());
    EXPECT_EQ(spin("numericUpDownInst")->value(), 1);
    EXPECT_EQ(spin("numericUpDownMidiCh")->value(), 1);
    EXPECT_EQ(spin("numericUpDownNoteNum")->value(), 69);
    EXPECT_EQ(spin("numericUpDownVelocity")->value(), 100);
    EXPECT_EQ(spin("numericUpDownDuration")->value(), 4);
}

} // namespace
} // namespace miminomi::testing
