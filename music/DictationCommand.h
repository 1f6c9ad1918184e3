// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace miminomi::music {

/// The program's command-line mode, `args` being the arguments after the program's name:
///
///   --write-dictation LEVEL COUNT FOLDER [SEED]
///       writes FOLDER/001.musicxml and 001.mid, 002..., up to COUNT (1 to 999) items of the
///       level, those of seeds SEED, SEED + 1, ... (SEED 1 when left out); the folder is made
///       when missing. A melody's MIDI file begins with the key's cadence and a count-in, a
///       rhythm item's with the count-in; a rhythm sounds on the trumpet.
///   --dictation-levels
///       lists the levels, one a line: the number, then the short description.
///
/// Returns the exit status: 0 done; 1 a folder or file that could not be written; 2 arguments
/// that are not these. Each failure is told in one line on `err`.
int runDictationCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

/// Whether `first`, the first argument, asks for the command-line mode; any other argument is
/// ignored, as the program has always ignored its command line.
bool isDictationCommand(const std::string &first);

} // namespace miminomi::music
