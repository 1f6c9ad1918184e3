// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace miminomi {

/// The notes of a piece as its Standard MIDI File plays them, for marking what the learner heard:
/// each note's onset and pitch in order, and the beat given by the two count-in clicks on the
/// percussion channel, which are not notes of the piece.
struct PieceNotes {
    struct Note {
        double onsetSeconds = 0;
        std::int32_t pitch = 0;
    };
    /// Why a piece cannot be marked by the program.
    enum class Problem {
        noFile,   // the file is missing or cannot be read
        notMidi,  // the file is no Standard MIDI File
        noNotes,  // the file sounds no note
        noCountIn // no two count-in clicks: the beat is unknown, so taps cannot be marked
    };

    std::vector<Note> notes;
    /// Seconds between the two count-in clicks, and the note they sound on the percussion channel;
    /// 0 when the file has no count-in.
    double beatSeconds = 0;
    std::int32_t clickPitch = 0;
    /// When the first count-in click sounds.
    double countInSeconds = 0;
    /// Beats in a bar, from the time signature (a compound time such as 6/8 counts dotted beats);
    /// 4 when the file has none.
    std::int32_t beatsPerBar = 4;

    bool hasCountIn() const { return beatSeconds > 0; }
    /// The first bar line: the count-in's two beats lead to it; an upbeat comes before it.
    double firstBarSeconds() const { return countInSeconds + 2 * beatSeconds; }

    /// Reads the piece at `path`; a file without count-in clicks is read (a melody needs only its
    /// pitches), with beatSeconds 0.
    static Result<PieceNotes, Problem> read(const std::string &path);
};

} // namespace miminomi
