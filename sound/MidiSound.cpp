#include "sound/MidiSound.h"

#include "quiz/SharedRandom.h"

namespace miminomi {

namespace {

const char *const risumFiles[MidiSound::pieceCount] = {
    "risum1.mid",  "risum2.mid",  "risum3.mid",  "risum4.mid",  "risum5.mid",
    "risum6.mid",  "risum7.mid",  "risum8.mid",  "risum9.mid",  "risum10.mid",
    "risum11.mid", "risum12.mid", "risum13.mid", "risum14.mid", "risum15.mid",
    "risum16.mid", "risum17.mid", "risum18.mid", "risum19.mid", "risum20.mid"};

const char *const melodyFiles[MidiSound::pieceCount] = {
    "melody1.mid",  "melody2.mid",  "melody3.mid",  "melody4.mid",  "melody5.mid",
    "melody6.mid",  "melody7.mid",  "melody8.mid",  "melody9.mid",  "melody10.mid",
    "melody11.mid", "melody12.mid", "melody13.mid", "melody14.mid", "melody15.mid",
    "melody16.mid", "melody17.mid", "melody18.mid", "melody19.mid", "melody20.mid"};

} // namespace

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

std::string MidiSound::pickPath(std::int32_t pickMode, const char *const (&names)[pieceCount]) {
    if (pickMode == 0) {
        random.srandTime();
        fileNum = random.rand() % pieceCount;
    } else if (pickMode != 2) {
        return {};
    }
    if (fileNum < 0 || fileNum >= pieceCount)
        return {};
    return dataFolder + names[fileNum];
}

std::string MidiSound::getRisumMidiFile(std::int32_t pickMode) {
    return pickPath(pickMode, risumFiles);
}

std::string MidiSound::getMelodyMidiFile(std::int32_t pickMode) {
    return pickPath(pickMode, melodyFiles);
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
