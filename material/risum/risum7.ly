% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 7: Eighth notes in 3/4. Source: original.
timeSig = #'(3 . 4)
bpm = #96
music = {
  c4 c8 c c4 |
  c8 c c4 c |
  c8 c c c c4 |
  c2.
}
\include "rhythm-scores.ily"
