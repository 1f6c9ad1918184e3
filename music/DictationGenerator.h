// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/DictationLevel.h"
#include "music/Score.h"

#include <cstdint>

namespace miminomi::music {

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

} // namespace miminomi::music
