% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Rhythm 18: 6/8 with an upbeat, a tie and a rest. Source: original.
timeSig = #'(6 . 8)
bpm = #54
pickup = { c8 }
music = {
  c4 c8 c c c |
  c4. ~ c4 c8 |
  c8 r c c4 c8 |
  c4. r4
}
\include "rhythm-scores.ily"
