// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/DictationLevel.h"
#include "music/Score.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace miminomi::music {

/// A lean of an item's draws towards some melodic intervals and rhythm figures, each in percent
/// of its usual weight: 100 as usual, 250 two and a half times as likely to be drawn where the
/// rules leave a choice. The rules still hold every item; only the odds move. Level 1 deals out
/// its melodies in a fixed order, which a leaning leaves as it is. An empty leaning draws exactly
/// as none.
struct DictationLeaning {
    /// By the move from the note before, in signed steps (2 a third up, -4 a fifth down).
    std::map<int, int> intervals;
    /// By the figure of a beat, as rhythmFigures() writes it; a figure of two beats (a dotted
    /// quarter and an eighth) weighs as the heavier of its beats.
    std::map<std::string, int> figures;

    bool empty() const { return intervals.empty() && figures.empty(); }
    bool operator==(const DictationLeaning &) const = default;
};

/// The dictation item of `level` drawn from `seed`: the same level and seed always give the same
/// item, on every machine (the draws come from std::mt19937 seeded with the level and the seed).
///
/// A melody is made as a teacher writes one: a rhythm from the level's cells of one or two beats
/// (an upbeat, ties over bar lines, bars 5-6 echoing the rhythm of bars 1-2 in eight bars), a
/// harmony of one chord a bar (tonic first, a half cadence or tonic at the end of bar 4 of eight,
/// dominant before the final tonic), then the notes, searched one by one with backtracking: chord
/// notes on the beats, passing and neighbour notes between them approached and left by step,
/// within a window of the level's range, by the melodic rules of checkRules(). A rhythm item is
/// the same rhythm on C5.
Score generateDictation(const DictationLevel &level, std::uint32_t seed);
/// The item of `level` and `seed` drawn with `leaning`: the same three always give the same item.
Score generateDictation(const DictationLevel &level, std::uint32_t seed,
                        const DictationLeaning &leaning);

/// The rhythm figure of every beat of the first voice, by bar and beat (a full bar's beats; those
/// a pickup or a shortened last bar do not reach are empty): one character for each sixteenth of
/// the beat, 'x' where a note is struck, 'r' where a rest begins, '-' where the note or rest
/// before goes on (a tied note's continuation too). Two eighths in 3/4 are "x-x-", a
/// dotted eighth and a sixteenth "x--x", the second beat of eighth-quarter-eighth "--x-", three
/// eighths in 6/8 "x-x-x-".
std::vector<std::vector<std::string>> rhythmFigures(const Score &score);

} // namespace miminomi::music
