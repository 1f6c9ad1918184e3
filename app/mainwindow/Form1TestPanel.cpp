// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The MIDI test page: one note with a chosen instrument, note number, velocity, channel and
// length, to try the sound and hear the General MIDI instruments.
#include "app/mainwindow/Form1.h"

#include "sound/MidiBytes.h"
#include "sound/MidiSound.h"
#include "sound/MidiTestNote.h"

#include <QSpinBox>

namespace miminomi {

void Form1::buttonSendMidi_Click() {
    const MidiTestNote note{numericUpDownInst->value(), numericUpDownNoteNum->value(),
                            numericUpDownVelocity->value(), numericUpDownMidiCh->value(),
                            numericUpDownDuration->value()};
    sounding([&] { note.send(*midi); });
}

// The spinners also store their value in the device at once, with the same conversions as
// "送信"; every sounding action opens the device anew, which resets these settings.
void Form1::numericUpDownInst_ValueChanged(int value) {
    midi->setMidiInstrument(MidiTestNote::programByte(value));
}

void Form1::numericUpDownNoteNum_ValueChanged(int value) {
    midi->setMidiNoteNum(MidiTestNote::noteNumByte(value));
}

void Form1::numericUpDownVelocity_ValueChanged(int value) {
    midi->setMidiVelocity(MidiTestNote::velocityByte(value));
}

void Form1::numericUpDownMidiCh_ValueChanged(int value) {
    midi->setMidiCh(MidiTestNote::channelByte(value));
}

// Each instrument button sets the program spinner to its General MIDI program, counted from 1.
void Form1::radioButtonPiano_CheckedChanged(bool checked) {
    if (checked)
        numericUpDownInst->setValue(MidiTestNote::shownProgram(midi::acousticGrandPiano));
}

void Form1::radioButtonViolin_CheckedChanged(bool checked) {
    if (checked)
        numericUpDownInst->setValue(MidiTestNote::shownProgram(midi::violin));
}

void Form1::radioButtonFlute_CheckedChanged(bool checked) {
    if (checked)
        numericUpDownInst->setValue(MidiTestNote::shownProgram(midi::flute));
}

void Form1::radioButtonGuiter_CheckedChanged(bool checked) {
    if (checked)
        numericUpDownInst->setValue(MidiTestNote::shownProgram(midi::nylonGuitar));
}

void Form1::radioButtonglocken_CheckedChanged(bool checked) {
    if (checked)
        numericUpDownInst->setValue(MidiTestNote::shownProgram(midi::tubularBells));
}

void Form1::radioButtonTrumpet_CheckedChanged(bool checked) {
    if (checked)
        numericUpDownInst->setValue(MidiTestNote::shownProgram(midi::timpani));
}

} // namespace miminomi
