// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <string>

namespace miminomi::music {

/// The score as a MusicXML 4.0 partwise document of one part on one staff: divisions of
/// ticksPerQuarter, key with its mode, time, clef and tempo in the first bar; notes with their
/// pitch, duration, type, dots, ties, beams (beamGroups(), with the sixteenths' second beam) and
/// the accidentals a reader needs; rests; an upbeat as bar 0 marked implicit; a final bar line.
/// A second voice follows the first in each bar after a backup, stems down.
///
/// Accidentals: a note shows one when its alteration differs from what the signature or an
/// earlier note of the bar gives its step in its octave; and, as a courtesy, when an earlier
/// note of the bar altered its step in another octave, or the bar before altered it in this one
/// (the first such note of the bar). A note continuing a tie shows none, and counts for none.
std::string musicXml(const Score &score, const std::string &title = {});

} // namespace miminomi::music
