// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Choices.h"
#include "practice/MarkedQuestion.h"
#include "practice/PracticeSettings.h"
#include "practice/WeakSpots.h"
#include "records/Exercise.h"
#include "sound/MidiBytes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace miminomi {

class MidiSound;
class Wait;

/// A stretch of a sound: `notes` begun together and held for `ms`, or a pause of `ms` when there
/// are none; on the piano for the reference A, else on the instrument of the sound.
struct SoundStep {
    std::vector<std::int32_t> notes;
    std::int32_t ms = 0;
    bool onPiano = false;

    bool operator==(const SoundStep &) const = default;
};
/// What a question sounds, step after step: played by a drill with its waits, or planned on a
/// sound schedule by a window that takes input while it sounds.
using SoundPlan = std::vector<SoundStep>;

/// The question cycle of one exercise: ask a question (sounding it and noting what is to be
/// answered), sound it again, tell the right answer, mark the learner's choices. The choices and
/// the right answer are item indices of the page's answer lists, in page order.
class Drill {
public:
    /// A drill of `exercise` sounding through `midi` and waiting through `wait`, whose answer
    /// rows have `listsPerRow` lists.
    Drill(Exercise exercise, MidiSound &midi, Wait &wait, std::size_t listsPerRow)
        : midi(midi), wait(wait), drillExercise(exercise), listsPerRow(listsPerRow) {}
    virtual ~Drill() = default;
    Drill(const Drill &) = delete;
    Drill &operator=(const Drill &) = delete;

    Exercise exercise() const { return drillExercise; }
    /// Whether the learner marks the question (by grade) rather than the program.
    virtual bool selfMarked() const { return false; }

    /// Asks a new question and sounds it; false when there was nothing to sound.
    virtual bool ask(const PracticeSettings &settings) = 0;
    /// Sounds the current question again.
    virtual void replay(const PracticeSettings &settings) = 0;
    /// The right answer: the item each answer list should show, in page order; noChoice for a
    /// list the question leaves alone.
    virtual Choices rightAnswer() = 0;
    /// Marks the choices row by row against the right answer and describes the question.
    virtual MarkedQuestion mark(const Choices &chosen);
    /// The page's mark picture that shows answer row `row`.
    virtual std::size_t markOfRow(std::size_t row) { return row; }

    /// Whether `chosen`, marked against the current question, has a wrong row in which something
    /// was chosen, so that the two can be heard one after the other.
    bool comparable(const Choices &chosen) { return !rowsToCompare(chosen).empty(); }
    /// What a comparison sounds: what was asked, or what was chosen.
    enum class Heard { asked, chosen };
    /// What a comparison tells, and asks, as it sounds.
    struct CompareCues {
        /// Told as what was asked, then what was chosen, begins to sound.
        std::function<void(Heard)> heard;
        /// Asked before each note and pause: true ends the comparison there, so that the note
        /// sounding when the learner asked to stop is the last.
        std::function<bool()> stopped;
    };
    /// "聴き比べる": for each wrong row in which something was chosen, sounds what was asked, a
    /// pause, then what was chosen, as `settings` sound a question (without the reference A);
    /// nothing for a drill the learner marks.
    void compare(const Choices &chosen, const PracticeSettings &settings,
                 const CompareCues &cues = {});
    static constexpr std::int32_t comparePauseMs = 700;

    /// The value item 1..`items` of an answer list stands for (`first` for item 1); nothing for
    /// the blank item, no choice, or a list the choices do not reach.
    static std::optional<std::int32_t> chosenValue(const Choices &chosen, std::size_t list,
                                                   std::int32_t items, std::int32_t first = 0);
    /// Leans the next draws towards weak items, or draws as the generators do (nullptr).
    void favour(WeakSpots *weak) { weakSpots = weak; }

    static constexpr std::int32_t referenceAMs = 2000;
    static constexpr std::int32_t noteMs = 1000;
    /// How long a chord sounds with all its notes together.
    static constexpr std::int32_t chordMs = 1000;

    /// The reference A, when the settings ask for it.
    static SoundPlan referenceAPlan(const PracticeSettings &settings);
    /// `notes` one after another, noteMs each.
    static SoundPlan notesPlan(const std::vector<std::int32_t> &notes);
    /// A chord's notes one after another when `hint` is on, then together for chordMs.
    static SoundPlan chordPlan(const std::vector<std::int32_t> &notes, bool hint);
    /// The notes of scale `type` from `root`: up one octave and down again.
    static std::vector<std::int32_t> scaleNotes(std::int32_t root, std::int32_t type);
    /// The notes of chord `type` from `root` upwards.
    static std::vector<std::int32_t> chordNotes(std::int32_t root, std::int32_t type);

protected:
    /// The answer marking compares with: the right answer, unless a list is shown but not asked.
    virtual Choices markedAnswer() { return rightAnswer(); }
    /// What was asked: fills the question's notes, root, type or piece.
    virtual void describe(MarkedQuestion &question) = 0;
    /// Whether row `row` of `chosen` names anything to be sounded.
    virtual bool chosenInRow(const Choices &, std::size_t) const { return false; }
    /// Sounds what row `row` asked, and what `chosen` names in it.
    virtual void playAsked(std::size_t, const PracticeSettings &) {}
    virtual void playChosen(const Choices &, std::size_t, const PracticeSettings &) {}

    /// Opens the sound device, sounds the reference A when the settings ask for it, then what
    /// `play` plays on the settings' instrument, and closes the device.
    void soundOnDevice(const PracticeSettings &settings, const std::function<void()> &play);
    /// The reference A on the piano, when the settings ask for it.
    void playReferenceA(const PracticeSettings &settings);
    /// A question from `draw`, or one of several drawn when weak items are favoured.
    DrawnQuestion drawFavouring(const std::function<DrawnQuestion()> &draw) {
        return weakSpots ? weakSpots->draw(draw) : draw();
    }
    /// The note of pitch class `pitch` from the A below middle C up to the G sharp above, where
    /// the scales and chords are rooted.
    static std::int32_t rootOf(std::int32_t pitch) { return 57 + (pitch + 3) % 12; }
    /// One note on the instrument of the sound under way, held for `milliseconds` (0 leaves it
    /// sounding).
    void playNote(std::int32_t note, std::int32_t milliseconds);
    /// Plays `plan` with the wait: a note held, or notes held together and then all ended, or a
    /// pause. (The reference A is sounded by soundOnDevice.)
    void play(const SoundPlan &plan);

    MidiSound &midi;
    Wait &wait;
    /// Answer rows of the current question.
    std::size_t rows = 1;

private:
    /// The wrong rows of `chosen` in which something was chosen.
    std::vector<std::size_t> rowsToCompare(const Choices &chosen);
    /// Whether the comparison under way, if any, is to stop.
    bool comparisonStopped() const {
        return comparing && comparing->stopped && comparing->stopped();
    }

    /// The cues of the comparison under way; nothing when none is.
    const CompareCues *comparing = nullptr;
    /// The program the notes of the sound under way are played on.
    std::uint8_t instrument = midi::acousticGrandPiano;

    WeakSpots *weakSpots = nullptr;
    const Exercise drillExercise;
    const std::size_t listsPerRow;
};

} // namespace miminomi
