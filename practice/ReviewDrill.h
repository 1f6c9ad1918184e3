// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Drill.h"
#include "practice/ReviewQueue.h"

namespace miminomi {

class SoundSchedule;

/// A drill of one item given to it rather than drawn: a review's note, scale or chord, sounded
/// with the notes and times of the exercise's page but planned on a sound schedule, so that the
/// learner answers while it sounds, and marked in the page's answer lists (the single-note page's
/// first name and octave, the scale page's key and two type lists, the chord page's root and
/// type), so that what it marks is kept in the history as a question of that page.
class ReviewDrill final : public Drill {
public:
    /// The channel a review sounds on: cutting its sound leaves the dictation windows' alone.
    static constexpr std::uint8_t channel = 2;

    ReviewDrill(Exercise exercise, MidiSound &midi, Wait &wait, SoundSchedule &sounds);

    /// The item the next ask() sounds.
    void setItem(const ReviewItem &item) { asked = item; }
    const ReviewItem &item() const { return asked; }

    /// Sounds the item set; always true.
    bool ask(const PracticeSettings &settings) override;
    /// Sounds the reference A when the settings ask for it, then the item; what sounded is cut.
    void replay(const PracticeSettings &settings) override;
    Choices rightAnswer() override { return choicesOf(asked); }

    /// The page's choices that name `item`.
    Choices choicesOf(const ReviewItem &item) const;
    /// The item `chosen` names, the asked item's where a list has no choice.
    ReviewItem chosenItem(const Choices &chosen) const;
    /// Sounds `first`, a pause, then `second`, so that the two are heard side by side (without
    /// the reference A, as 聴き比べる does); what sounded is cut.
    void playSideBySide(const ReviewItem &first, const ReviewItem &second,
                        const PracticeSettings &settings);
    /// Whether a sound of the review is under way.
    bool sounding() const;
    /// Ends the sound under way.
    void stopSound();

    /// The item as its page sounds it: a note; a scale up one octave and down again; a chord's
    /// notes one after another when the hint is on, then together.
    static SoundPlan planOf(const ReviewItem &item, const PracticeSettings &settings);

protected:
    Choices markedAnswer() override;
    void describe(MarkedQuestion &question) override;

private:
    /// Cuts the sound under way and plans `plan` from now on `instrument`.
    void schedule(const SoundPlan &plan, std::uint8_t instrument);

    ReviewItem asked;
    SoundSchedule &sounds;
    /// When the sound planned last ends, on the clock.
    std::int64_t endsAt = 0;
};

} // namespace miminomi
