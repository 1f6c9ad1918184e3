// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/RhythmDictation.h"

#include "base/SteadyClock.h"
#include "practice/SoundSchedule.h"
#include "sound/MidiBytes.h"

#include <algorithm>
#include <cmath>

namespace miminomi {

namespace {

/// Taps can be marked only against a beat: a piece without count-in clicks cannot be.
Result<PieceNotes, PieceNotes::Problem> withCountIn(Result<PieceNotes, PieceNotes::Problem> read) {
    if (read && !read->hasCountIn())
        return PieceNotes::Problem::noCountIn;
    return read;
}

} // namespace

RhythmDictation::RhythmDictation(std::int32_t pieceNumber,
                                 Result<PieceNotes, PieceNotes::Problem> reading, Proposer proposer,
                                 SoundSchedule &sounds, const SteadyClock &clock)
    : PieceDictation(pieceNumber, withCountIn(std::move(reading)), std::move(proposer)),
      sounds(sounds), clock(clock) {
    if (!piece())
        current = State::cannotMark;
}

double RhythmDictation::pieceTimeAt(std::int64_t ms) const {
    return piece()->countInSeconds + static_cast<double>(ms - originMs) / 1000;
}

std::int64_t RhythmDictation::clockAt(double pieceSeconds) const {
    return originMs + std::llround((pieceSeconds - piece()->countInSeconds) * 1000);
}

void RhythmDictation::start() {
    if (current != State::ready && current != State::marked)
        return;
    const PieceNotes &notes = *piece();
    originMs = clock.nowMs() + leadMs;
    const auto clickNote = static_cast<std::uint8_t>(notes.clickPitch);
    sounds.plan(originMs, midi::percussionChannel, clickNote, clickMs);
    sounds.plan(clockAt(notes.countInSeconds + notes.beatSeconds), midi::percussionChannel,
                clickNote, clickMs);
    takenFromMs = clockAt(notes.notes.front().onsetSeconds - notes.beatSeconds / 2);
    lastTapMs = takenFromMs;
    tapped.clear();
    current = State::countingIn;
    poll();
    changed();
}

void RhythmDictation::tap() {
    poll();
    if (current != State::tapping)
        return;
    lastTapMs = clock.nowMs();
    tapped.push_back(pieceTimeAt(lastTapMs));
    changed();
}

void RhythmDictation::poll() {
    const std::int64_t now = clock.nowMs();
    if (current == State::countingIn && now >= takenFromMs) {
        current = State::tapping;
        changed();
    }
    const PieceNotes *notes = piece();
    if (current == State::tapping &&
        now - lastTapMs > std::llround(2 * notes->beatsPerBar * notes->beatSeconds * 1000))
        finish();
}

void RhythmDictation::finish() {
    if (current != State::tapping)
        return;
    current = State::marked;
    marked = tapped;
    keep(markRhythm(*piece(), marked), static_cast<std::int32_t>(marked.size()));
}

void RhythmDictation::cancel() {
    if (current != State::countingIn && current != State::tapping)
        return;
    sounds.cut(midi::percussionChannel);
    tapped.clear();
    current = marking() ? State::marked : State::ready;
    changed();
}

void RhythmDictation::disarmed() {
    // Tapping cut short by the question ending is still marked and shown, but not proposed.
    if (current == State::countingIn)
        current = piece() ? State::ready : State::cannotMark;
    finish();
}

} // namespace miminomi
