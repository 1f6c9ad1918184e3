// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/DictationLevel.h"
#include "music/Score.h"

#include <string>
#include <vector>

namespace miminomi::music {

/// A rule a dictation item breaks: the rule's name, the bar (its index in Score::bars, -1 for the
/// whole item) and what is wrong there.
struct RuleViolation {
    std::string rule;
    int bar = -1;
    std::string detail;
};

/// Checks an item against its level and against the rules every item keeps. Bars, notation, ties
/// and beams are checked in both voices, the melody's rules in the upper one.
///
/// Every item:
///   level        key, mode, metre, tempo, number of bars and written values as the level allows;
///                rests, ties over a bar line, ties inside a bar and an upbeat only where it
///                allows them
///   bar-length   every voice fills its bar exactly; an upbeat bar only first, marked, shorter
///                than the metre, and the last bar then shortened by as much
///   notation     every note and rest is written by the rules of music/Notation.h
///   ties         a tie joins a note to the next one of its voice, of the same pitch; a tie inside
///                a bar joins notes that one value could not write
///   beams        beamGroups() groups eighths and shorter only, never starts or ends a group with
///                a rest, spans one beat (or in 4/4 a half bar of four eighths), and leaves no two
///                neighbouring eighths-or-shorter of one beat apart
///   repetition   no bar appears more than twice (so never three identical bars in a row)
///   ending       the last note starts on the last bar's downbeat (or its third beat in 4/4),
///                lasts a beat at least and only rests follow it
/// A melody:
///   range        every note between A3 and A5; lowest to highest within the level's range
///   scale        every note in the key's scale, or in minor the raised 7th, or the raised 6th
///                where the level allows it
///   start        the first note belongs to the tonic chord
///   cadence      the last note is the tonic, reached by step from the 2nd or 7th degree; the note
///                sounding on the last beat before it belongs to the dominant seventh chord
///   leaps        no leap wider than the level allows; never a seventh or more than an octave
///   leap-recovery a leap wider than a fourth is followed by a step the other way
///   leap-run     no more than three leaps (a third or more) in a row
///   interval     no augmented or diminished interval, except where the level allows it the
///                diminished fourth from the minor key's 3rd down to the raised 7th, which then
///                rises to the tonic
///   minor        the 7th rising to the tonic is raised; the raised 6th rises to the raised 7th;
///                the raised 7th never falls by step; the natural 7th only falls to the natural
///                6th
/// A rhythm item:
///   one-pitch    every note has the same pitch
std::vector<RuleViolation> checkRules(const Score &score, const DictationLevel &level);

} // namespace miminomi::music
