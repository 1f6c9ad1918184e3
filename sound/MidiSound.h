// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Exercise.h"
#include "sound/MediaControl.h"
#include "sound/MidiBytes.h"
#include "sound/MidiOut.h"
#include "sound/Wait.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace miminomi {

class SharedRandom;

/// The one object through which the program sounds: opens the MIDI output with a General MIDI
/// reset, plays single notes with a held duration, and plays the rhythm and melody pieces
/// through the media commands, remembering which piece was picked.
class MidiSound {
public:
    /// Nothing is opened or sent until OpenMidiDevice.
    MidiSound(MidiOut &midiOut, MediaControl &media, Wait &wait, SharedRandom &random);
    ~MidiSound();
    MidiSound(const MidiSound &) = delete;
    MidiSound &operator=(const MidiSound &) = delete;

    /// Opens the output, sends the General MIDI reset and restores the defaults; true if the
    /// output really opened.
    bool OpenMidiDevice();
    /// True if an open output was closed; a second close is harmless and returns false.
    bool CloseMidiDevice();
    /// Instrument 0, note 69, velocity 100, channel 0; sends nothing.
    void initMidiInst();
    /// Sends the General MIDI System On message and waits, at most gmResetWaitLimitMs, until the
    /// output has taken it; then initMidiInst.
    void initGMmode();
    /// Program change, note on, and for a positive hold time a wait and the note off; true if
    /// every message was sent.
    bool NotePlay(std::int32_t holdMilliseconds);
    /// Plays note 69 (which stays set) like NotePlay.
    bool NoteAPlay(std::int32_t holdMilliseconds);
    /// Note off for the current note on the current channel: ends a note NotePlay(0) left
    /// sounding.
    bool NoteStop();
    /// All notes off on the current channel.
    void allOff();

    void setMidiInstrument(std::uint8_t value) { midiInstrument = value; }
    void setMidiNoteNum(std::uint8_t value) { midiNoteNum = value; }
    void setMidiVelocity(std::uint8_t value) { midiVelocity = value; }
    void setMidiCh(std::uint8_t value) { midiCh = value; }

    /// Plays a piece for pieceMilliseconds: mode 0 new rhythm, 1 new melody, 2 the current
    /// rhythm again, 3 the current melody again. False at once if the file cannot be opened.
    bool playFile(std::int32_t mode);
    /// Path of a rhythm piece: pick mode 0 picks anew, 2 keeps fileNum; other modes give "".
    std::string getRisumMidiFile(std::int32_t pickMode);
    /// Path of a melody piece, picked like getRisumMidiFile.
    std::string getMelodyMidiFile(std::int32_t pickMode);
    /// Index 0..19 of the piece last picked, for finding its score picture.
    std::int32_t getImageFileNum() const { return fileNum; }
    /// The folder the pieces and their score pictures are read from, ending in '/'.
    const std::string &getDataFolder() const { return dataFolder; }
    void setDataFolder(std::string folder) { dataFolder = std::move(folder); }

    static constexpr std::uint32_t gmResetWaitLimitMs = 50;
    static constexpr std::uint32_t pieceMilliseconds = 15000;
    static constexpr int pieceCount = miminomi::pieceCount;

private:
    MidiResult sendShortMsg();
    std::string pickPath(std::int32_t pickMode, Exercise piece);

    MidiOut &midiOut;
    MediaControl &media;
    Wait &wait;
    SharedRandom &random;

    std::int32_t fileNum = 0;
    std::string dataFolder = "./data/";
    std::array<std::uint8_t, 6> gmBuffer{};
    MidiHeader midiHdr{};
    MidiOutHandle hMidiOut = noMidiOut;
    std::uint8_t statusByte = 0;
    std::uint8_t dataByte1 = 0;
    std::uint8_t dataByte2 = 0;
    std::uint32_t shortMsg = 0;
    MidiResult openResult = MidiResult::ok;
    std::uint8_t midiInstrument = 0;
    std::uint8_t midiNoteNum = midi::referenceA;
    std::uint8_t midiVelocity = 100;
    std::uint8_t midiCh = 0;
};

} // namespace miminomi
