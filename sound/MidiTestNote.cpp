// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MidiTestNote.h"

#include "sound/MidiSound.h"

namespace miminomi {

void MidiTestNote::send(MidiSound &sound) const {
    const std::int32_t hold = durationSeconds * 1000;
    sound.OpenMidiDevice();
    sound.setMidiCh(channelByte(channel));
    sound.setMidiInstrument(programByte(program));
    sound.setMidiVelocity(velocityByte(velocity));
    sound.setMidiNoteNum(noteNumByte(noteNum));
    sound.NotePlay(hold);
    sound.CloseMidiDevice();
}

} // namespace miminomi
