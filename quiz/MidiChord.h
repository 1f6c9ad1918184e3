// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace miminomi {

class SharedRandom;

/// The chord exercise's generator: draws a root and one of the permitted chord types and hands
/// out the chord's notes in root position, from the root upwards.
class MidiChord {
public:
    /// Ends a row of chordIntervals and the notes handed out by playChord; never a note.
    static constexpr std::int32_t endMarker = 500;
    static constexpr std::int32_t chordCount = 14;
    static constexpr std::int32_t drawCount = 1000;

    /// The black keys among the roots, refused when black keys are not wanted.
    static constexpr std::array<std::int32_t, 6> blackRoots{58, 61, 63, 66, 68, 70};

    /// Per chord type code: the semitones between successive notes, then endMarker (rows shorter
    /// than the longest are filled up with endMarker).
    static constexpr std::array<std::array<std::int32_t, 5>, chordCount> chordIntervals{{
        {4, 3, endMarker, endMarker, endMarker}, // 0 major triad
        {3, 4, endMarker, endMarker, endMarker}, // 1 minor triad
        {4, 3, 3, endMarker, endMarker},         // 2 dominant seventh
        {3, 4, 3, endMarker, endMarker},         // 3 minor seventh
        {4, 3, 4, endMarker, endMarker},         // 4 major seventh
        {3, 4, 4, endMarker, endMarker},         // 5 minor-major seventh
        {4, 3, 2, endMarker, endMarker},         // 6 sixth
        {3, 4, 2, endMarker, endMarker},         // 7 minor sixth
        {4, 3, 2, 5, endMarker},                 // 8 sixth-ninth
        {3, 4, 2, 5, endMarker},                 // 9 minor sixth-ninth
        {5, 2, endMarker, endMarker, endMarker}, // 10 suspended fourth
        {5, 2, 3, endMarker, endMarker},         // 11 seventh, suspended fourth
        {3, 3, 3, endMarker, endMarker},         // 12 diminished seventh
        {4, 4, 4, endMarker, endMarker},         // 13 augmented, with the root's octave on top
    }};

    /// Draws the first root entries and permits the triads only; black-key roots are refused
    /// until setUseBlackKey says otherwise.
    explicit MidiChord(SharedRandom &random);

    /// Reseeds the shared generator from the clock and draws all root entries again (0..120).
    void newRoots();
    /// Forgets the current chord and permits only the major and minor triads.
    void clearChords();
    void setUseBlackKey(bool useBlackKey);
    /// Permits or forbids one chord type code (0..13); other codes are ignored.
    void setPermitedChords(std::int32_t code, bool permitted);
    /// Draws the root and a permitted type of a new chord and builds its notes.
    void makeChord();
    /// Returns the root note number of the current chord (57..68).
    std::int32_t getRootName() const { return rootNote; }
    /// Returns the chord type code of the current chord (0..13).
    std::int32_t getChordName() const { return chordType; }
    /// Hands out the next note of the chord from the root upwards, then endMarker.
    std::int32_t playChord();
    /// Returns to the root, so that playChord hands out the chord again.
    void rewindNoteNum();

private:
    /// Moves to the next root entry, drawing all entries again once they are used up.
    void advanceRootNum();
    bool isBlackRoot(std::int32_t note) const;

    SharedRandom &random;
    bool useBlackKey = false;
    std::array<std::int32_t, drawCount> roots{};
    std::int32_t rootNum = 0;
    std::int32_t rootNote = 0;
    std::int32_t chordType = 0;
    std::array<bool, chordCount> permitedChords{};
    // Holds no chord until the first makeChord, so that playChord yields the end marker at once.
    std::array<std::int32_t, 6> chordNotes{endMarker, endMarker, endMarker,
                                           endMarker, endMarker, endMarker};
    std::int32_t noteNum = 0;
};

} // namespace miminomi
