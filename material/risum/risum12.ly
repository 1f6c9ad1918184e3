% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 12: Sixteenth notes. Source: original.
timeSig = #'(2 . 4)
bpm = #76
music = {
  c16 c c c c4 |
  c8 c16 c c8 c |
  c16 c c8 c4 |
  c2
}
\include "rhythm-scores.ily"
