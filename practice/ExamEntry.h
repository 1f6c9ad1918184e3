// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace miminomi {

/// What the learner is given of an exam item before it sounds: key, metre, tempo, clef, how long
/// each bar is (an upbeat's shorter, the last bar shortened by as much), and perhaps the first
/// note. In rhythm mode every note is written on one pitch.
struct ExamFrame {
    music::Key key;
    music::Metre metre;
    std::int32_t tempo = 72;
    music::Clef clef = music::Clef::treble;
    /// Each bar's length in ticks, in order.
    std::vector<std::int32_t> barTicks;
    bool pickup = false;
    /// The first note of the item, written for the learner and not to be changed.
    std::optional<music::Note> given;
    bool rhythmOnly = false;
    /// The pitch every note of a rhythm is written on.
    music::Pitch rhythmPitch{music::Step::B, 0, 4};

    /// The frame of `item`: its first note given when `giveFirst`; a rhythm written on the item's
    /// first pitch so that it compares with the item note for note.
    static ExamFrame of(const music::Score &item, bool rhythmOnly, bool giveFirst);
};

/// The learner's written answer to an exam item, bar by bar, driven by the keys of common notation
/// editors, each given here by its meaning:
///
///   a digit picks the value of the next notes (3 sixteenth, 4 eighth, 5 quarter, 6 half, 7 whole),
///   `.` dots it; a letter A–G writes that pitch, spelled by the key signature, in the octave
///   nearest the note before; `0` writes a rest; `+` ties the last note to a new one of the same
///   pitch; `#` / `-`, Up / Down (a semitone, spelled as the key suggests) and Ctrl+Up / Down (an
///   octave) change the last note written; Backspace takes it back.
///
/// Left and Right move the cursor onto a written note to correct it: a letter, a pitch or `0`
/// there replaces it and the cursor moves on; a digit or `.` changes its value; Backspace takes it
/// out. Right beyond the last note returns to writing. A bar not yet full offers a place at its end
/// for a note that was left out.
///
/// Notes fill the bars in order: a note goes to the bar being written until that bar is full. A
/// note longer than the bar has left is kept and the bar reported overfull, never refused; the
/// notes of a bar stay in it whatever happens to the bars before, so that one slip costs one bar.
class ExamEntry {
public:
    /// The editing keys other than the characters type() takes.
    enum class Key : std::uint8_t {
        left,
        right,
        semitoneUp,
        semitoneDown,
        octaveUp,
        octaveDown,
        back,
    };

    /// Where the cursor stands: on note `index` of `bar`, or after its last note when `index`
    /// is the bar's note count.
    struct Place {
        int bar = 0;
        int index = 0;
        bool operator==(const Place &) const = default;
    };

    explicit ExamEntry(ExamFrame frame);

    /// Takes one character: 3–7 . 0 + # - and the letters a–g in either case (ignored in rhythm
    /// mode, where any of them writes a note). False when the character means nothing here.
    bool type(char32_t key);
    bool press(Key key);
    /// Moves the cursor to `place` (a note clicked, or the end of a bar not yet full); false
    /// where the cursor cannot stand.
    bool moveTo(Place place);
    /// Writes (or, at the cursor, corrects to) the pitch of MIDI note `note`, spelled in the key.
    bool play(std::int32_t note);

    const ExamFrame &frame() const { return shape; }
    /// The notes of each bar, the given first note included.
    const std::vector<std::vector<music::Note>> &bars() const { return written; }
    /// The answer as a score in the item's frame.
    music::Score score() const;
    /// How much of bar `bar` is left to write, in ticks: negative for an overfull bar.
    std::int32_t remaining(int bar) const;
    /// Whether anything of the learner's has been written.
    bool empty() const;
    /// The value the next note is written in.
    music::NoteValue value() const { return next; }
    Place cursor() const { return at; }
    /// Whether the cursor stands on a written note (correcting) rather than at a place to write.
    bool correcting() const;

    /// The pitch of MIDI note `note` as `key` spells it: the signature's notes first, then a
    /// minor key's raised 6th and 7th, then sharps in sharp keys (or going up in C major) and
    /// flats otherwise.
    static music::Pitch spell(const music::Key &key, std::int32_t note, int direction = 0);

private:
    /// The place where the next note is written when the learner is not correcting.
    Place writingPlace() const;
    /// The places the cursor can stand, in order.
    std::vector<Place> places() const;
    bool locked(Place place) const;
    music::Note *noteAt(Place place);
    /// The note the accidentals, arrows and tie act on: the one at the cursor when correcting,
    /// else the last one written.
    music::Note *lastNote();
    /// The pitch nearest before `place`, to choose the octave of a letter by.
    std::optional<music::Pitch> pitchBefore(Place place) const;
    void write(const music::Note &note);
    void follow();
    void touchLast();

    ExamFrame shape;
    std::vector<std::vector<music::Note>> written;
    music::NoteValue next{music::NoteType::quarter, 0};
    Place at;
    /// Writing: the cursor follows the end of what is written.
    bool following = true;
    /// The note last written or corrected, for the keys that change it.
    std::optional<Place> touched;
};

} // namespace miminomi
