#pragma once

#include "practice/Choices.h"
#include "practice/MarkedQuestion.h"
#include "practice/PracticeSettings.h"
#include "practice/WeakSpots.h"
#include "records/Exercise.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace miminomi {

class MidiSound;

/// The question cycle of one exercise: ask a question (sounding it and noting what is to be
/// answered), sound it again, tell the right answer, mark the learner's choices. The choices and
/// the right answer are item indices of the page's answer lists, in page order.
class Drill {
public:
    /// A drill of `exercise` sounding through `midi`, whose answer rows have `listsPerRow` lists.
    Drill(Exercise exercise, MidiSound &midi, std::size_t listsPerRow)
        : midi(midi), drillExercise(exercise), listsPerRow(listsPerRow) {}
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
    /// Leans the next draws towards weak items, or draws as the generators do (nullptr).
    void favour(WeakSpots *weak) { weakSpots = weak; }

    static constexpr std::int32_t referenceAMs = 2000;
    static constexpr std::int32_t noteMs = 1000;
    /// How long a chord sounds with all its notes together.
    static constexpr std::int32_t chordMs = 1000;

protected:
    /// The answer marking compares with: the right answer, unless a list is shown but not asked.
    virtual Choices markedAnswer() { return rightAnswer(); }
    /// What was asked: fills the question's notes, root, type or piece.
    virtual void describe(MarkedQuestion &question) = 0;

    /// Opens the sound device, sounds the reference A when the settings ask for it, then what
    /// `play` plays, and closes the device.
    void soundOnDevice(const PracticeSettings &settings, const std::function<void()> &play);
    /// The reference A, when the settings ask for it.
    void playReferenceA(const PracticeSettings &settings);
    /// A question from `draw`, or one of several drawn when weak items are favoured.
    DrawnQuestion drawFavouring(const std::function<DrawnQuestion()> &draw) {
        return weakSpots ? weakSpots->draw(draw) : draw();
    }
    /// One note held for `milliseconds` (0 leaves it sounding).
    void playNote(std::int32_t note, std::int32_t milliseconds);

    MidiSound &midi;
    /// Answer rows of the current question.
    std::size_t rows = 1;

private:
    WeakSpots *weakSpots = nullptr;
    const Exercise drillExercise;
    const std::size_t listsPerRow;
};

} // namespace miminomi
