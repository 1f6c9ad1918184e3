// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <optional>
#include <vector>

namespace miminomi::music {

// How sounds are written in a bar so that the beats stay in sight. These are the notation rules the
// generator writes by and the rule checker holds every bar to. Positions are ticks from the start
// of a full bar (a pickup's notes stand at its end).
//
//   1. Values: whole, dotted half, half, dotted quarter, quarter, dotted eighth, eighth and
//      sixteenth; no double dots.
//   2. Simple metres (2/4, 3/4, 4/4): a note that crosses a beat starts on a beat. Nothing
//      else hides a beat, except the syncopation eighth-quarter-eighth where a level allows it: a
//      quarter from the middle of a beat to the middle of the next, not across the middle of a
//      4/4 bar.
//   3. 6/8: a note that crosses a beat starts on a beat and lasts whole beats (a dotted quarter
//      or a dotted half); anything else is tied at the beat.
//   4. Rests never cross a beat except from a beat: a whole bar's rest, in 4/4 a half rest on
//      the first or third beat, in 3/4 a half rest on the first, in 6/8 a dotted quarter rest on
//      a beat.
//   5. A tie inside a bar joins two notes that rules 1-3 could not write as one value.

/// The written value of `ticks`, if one value writes it.
std::optional<NoteValue> valueOfTicks(std::int32_t ticks);

/// Whether a note (or rest) of `ticks` at `position` is written as one value under the rules
/// above; `syncopation` allows the off-beat quarter of rule 2.
bool writable(const Metre &metre, std::int32_t position, std::int32_t ticks, bool rest,
              bool syncopation);

/// The values, in order, that write a sound of `ticks` at `position` by the rules above: one when
/// it is writable, else the longest writable first part, tied (for a note) to the rest of it.
std::vector<NoteValue> writtenValues(const Metre &metre, std::int32_t position, std::int32_t ticks,
                                     bool rest, bool syncopation);

} // namespace miminomi::music
