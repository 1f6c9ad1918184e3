% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 6: 2/4 time with eighth notes. Source: original.
timeSig = #'(2 . 4)
bpm = #88
music = {
  c8 c c4 |
  c8 c c c |
  c4 c8 c |
  c2
}
\include "rhythm-scores.ily"
