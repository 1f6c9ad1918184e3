% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 11: Eighth rests: notes off the beat. Source: original.
timeSig = #'(4 . 4)
bpm = #88
music = {
  c4 r8 c c4 c |
  c8 c r c c2 |
  c4 r8 c c4 r8 c |
  c1
}
\include "rhythm-scores.ily"
