// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/PieceDictation.h"
#include "practice/TypedNote.h"

#include <cstdint>
#include <vector>

namespace miminomi {

class SoundSchedule;
class SteadyClock;

/// Entering a melody heard, note by note: typed by letter, accidentals and octave digit, or chosen
/// on a keyboard of two octaves around the piece; each note sounds as it is entered, without
/// holding the window. "答え合わせ" marks the notes against the piece's and proposes the grade to
/// the question. A piece without count-in clicks is marked all the same: only its pitches count.
class MelodyDictation final : public PieceDictation {
public:
    /// How long an entered note sounds.
    static constexpr std::int32_t noteMs = 400;
    /// The keyboard's keys: two octaves.
    static constexpr std::int32_t keyboardKeys = 24;

    MelodyDictation(std::int32_t pieceNumber, Result<PieceNotes, PieceNotes::Problem> reading,
                    Proposer proposer, SoundSchedule &sounds, const SteadyClock &clock);

    /// Takes one typed character of a note (see TypedNote); false when it is no key of a note.
    bool type(char32_t key);
    /// Enters a note, sounding it.
    void enter(std::int32_t note);
    /// Backspace: forgets the note being typed, else takes the last note back.
    void takeBack();
    /// "答え合わせ": marks the notes entered.
    void check();

    const std::vector<std::int32_t> &entered() const { return notes; }
    /// The notes the last marking marked.
    const std::vector<std::int32_t> &markedNotes() const { return marked; }
    /// The note being typed: its pitch class so far, before its octave.
    const TypedNote &typing() const { return typed; }
    /// The keyboard's lowest key: the C at or below the piece's lowest note.
    std::int32_t lowestKey() const { return lowest; }

private:
    SoundSchedule &sounds;
    const SteadyClock &clock;
    TypedNote typed;
    std::vector<std::int32_t> notes;
    std::vector<std::int32_t> marked;
    std::int32_t lowest = 60;
};

} // namespace miminomi
