% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 5: Pairs of eighth notes. Source: original.
timeSig = #'(4 . 4)
bpm = #90
music = {
  c4 c c8 c c4 |
  c8 c c c c2 |
  c4 c8 c c4 c |
  c2 c2
}
\include "rhythm-scores.ily"
