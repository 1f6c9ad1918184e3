// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/PieceDictation.h"

#include <cstdint>
#include <vector>

namespace miminomi {

class SoundSchedule;
class SteadyClock;

/// Tapping a rhythm back: two count-in clicks at the piece's tempo, sounded without holding the
/// window, then the learner taps each note heard (a tied note is one note: its continuation takes
/// no tap); Enter, or two bars without a tap, ends it. The taps are marked against the piece's
/// onsets and the grade proposed to the question.
class RhythmDictation final : public PieceDictation {
public:
    enum class State {
        cannotMark, // the piece cannot be read, or has no count-in to give its beat
        ready,      // waiting for "始める"
        countingIn, // the clicks sound; taps are not taken yet
        tapping,    // taps are taken
        marked,     // the taps have been marked; "始める" tries again
    };

    /// How long after "始める" the first click sounds, so that opening the device does not delay
    /// it.
    static constexpr std::int64_t leadMs = 250;
    static constexpr std::int32_t clickMs = 60;

    RhythmDictation(std::int32_t pieceNumber, Result<PieceNotes, PieceNotes::Problem> reading,
                    Proposer proposer, SoundSchedule &sounds, const SteadyClock &clock);

    State state() const { return current; }
    /// "始める": plans the two clicks and starts taking taps from about half a beat before the
    /// first note, so that a tap a little early is the first note's, while tapping along with the
    /// clicks is not taken.
    void start();
    /// A tap now.
    void tap();
    /// Enter: ends the tapping and marks it.
    void finish();
    /// Escape: forgets the count-in or the tapping under way, keeping the last marking.
    void cancel();
    /// Time has passed: ends the count-in, and the tapping two bars after the last tap.
    void poll();

    /// The taps taken so far, in seconds on the piece's time line as the count-in set it.
    const std::vector<double> &taps() const { return tapped; }
    /// The taps the last marking marked, in the same seconds.
    const std::vector<double> &markedTaps() const { return marked; }

protected:
    void disarmed() override;

private:
    /// Seconds on the piece's time line of a moment on the clock.
    double pieceTimeAt(std::int64_t ms) const;
    /// The clock's moment of a time on the piece's time line.
    std::int64_t clockAt(double pieceSeconds) const;

    SoundSchedule &sounds;
    const SteadyClock &clock;
    State current = State::ready;
    /// The clock's time of the first click.
    std::int64_t originMs = 0;
    /// The clock's time taps are taken from, and of the last tap taken.
    std::int64_t takenFromMs = 0;
    std::int64_t lastTapMs = 0;
    std::vector<double> tapped;
    std::vector<double> marked;
};

} // namespace miminomi
