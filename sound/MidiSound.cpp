// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MidiSound.h"

#include "quiz/SharedRandom.h"
#include "records/Exercise.h"

namespace miminomi {

MidiSound::MidiSound(MidiOut &midiOut, MediaControl &media, Wait &wait, SharedRandom &random)
    : midiOut(midiOut), media(media), wait(wait), random(random) {}

MidiSound::~MidiSound() {
    CloseMidiDevice();
}

bool MidiSound::OpenMidiDevice() {
    openResult = midiOut.open(hMidiOut);
    initGMmode();
    initMidiInst();
    return openResult == MidiResult::ok;
}

bool MidiSound::CloseMidiDevice() {
    return midiOut.close(hMidiOut) == MidiResult::ok;
}

void MidiSound::initMidiInst() {
    midiInstrument = midi::acousticGrandPiano;
    midiNoteNum = midi::referenceA;
    midiVelocity = 100;
    midiCh = 0;
}

void MidiSound::initGMmode() {
    gmBuffer = midi::gmSystemOn;
    midiHdr = MidiHeader{};
    midiHdr.data = gmBuffer.data();
    midiHdr.bufferLength = static_cast<std::uint32_t>(gmBuffer.size());
    midiHdr.bytesRecorded = static_cast<std::uint32_t>(gmBuffer.size());
    midiOut.prepareHeader(hMidiOut, midiHdr);
    // A refused message will never be marked done, and an output that does not answer must
    // not hang the program: wait only for an accepted message, and only so long.
    if (midiOut.longMsg(hMidiOut, midiHdr) == MidiResult::ok) {
        for (std::uint32_t waited = 0;
             (midiHdr.flags & midiHeaderDone) == 0 && waited < gmResetWaitLimitMs; ++waited)
            wait.Sleep(1);
    }
    midiOut.unprepareHeader(hMidiOut, midiHdr);
    initMidiInst();
}

MidiResult MidiSound::sendShortMsg() {
    shortMsg = static_cast<std::uint32_t>(statusByte) | static_cast<std::uint32_t>(dataByte1) << 8 |
               static_cast<std::uint32_t>(dataByte2) << 16;
    return midiOut.shortMsg(hMidiOut, shortMsg);
}

bool MidiSound::NotePlay(std::int32_t holdMilliseconds) {
    statusByte = midi::onChannel(midi::programChange, midiCh);
    dataByte1 = midiInstrument;
    dataByte2 = 0;
    bool sent = sendShortMsg() == MidiResult::ok;

    statusByte = midi::onChannel(midi::noteOn, midiCh);
    dataByte1 = midiNoteNum;
    dataByte2 = midiVelocity;
    sent = sendShortMsg() == MidiResult::ok && sent;

    if (holdMilliseconds > 0) {
        wait.Sleep(static_cast<std::uint32_t>(holdMilliseconds));
        sent = NoteStop() && sent;
    }
    return sent;
}

bool MidiSound::NoteStop() {
    statusByte = midi::onChannel(midi::noteOff, midiCh);
    dataByte1 = midiNoteNum;
    dataByte2 = midiVelocity;
    return sendShortMsg() == MidiResult::ok;
}

bool MidiSound::NoteAPlay(std::int32_t holdMilliseconds) {
    midiNoteNum = midi::referenceA;
    return NotePlay(holdMilliseconds);
}

void MidiSound::allOff() {
    statusByte = midi::onChannel(midi::controlChange, midiCh);
    dataByte1 = midi::allNotesOff;
    dataByte2 = 0;
    sendShortMsg();
}

std::string MidiSound::pickPath(std::int32_t pickMode, Exercise piece) {
    if (pickMode == 0) {
        random.srandTime();
        fileNum = random.rand() % pieceCount;
    } else if (pickMode != 2) {
        return {};
    }
    if (fileNum < 0 || fileNum >= pieceCount)
        return {};
    return dataFolder + pieceFileName(piece, fileNum + 1, ".mid");
}

std::string MidiSound::getRisumMidiFile(std::int32_t pickMode) {
    return pickPath(pickMode, Exercise::risum);
}

std::string MidiSound::getMelodyMidiFile(std::int32_t pickMode) {
    return pickPath(pickMode, Exercise::melody);
}

bool MidiSound::playFile(std::int32_t mode) {
    std::string path;
    switch (mode) {
    case 0:
        path = getRisumMidiFile(0);
        break;
    case 1:
        path = getMelodyMidiFile(0);
        break;
    case 2:
        path = getRisumMidiFile(2);
        break;
    case 3:
        path = getMelodyMidiFile(2);
        break;
    default:
        break;
    }
    if (media.sendString("open " + path + " alias music ") != MediaResult::ok)
        return false;
    media.sendString("play music");
    wait.Sleep(pieceMilliseconds);
    media.sendString("stop music");
    media.sendString("close music");
    return true;
}

} // namespace miminomi
