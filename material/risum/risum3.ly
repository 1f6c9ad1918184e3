% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 3: 3/4 time and the dotted half note. Source: original.
timeSig = #'(3 . 4)
bpm = #100
music = {
  c4 c c |
  c2 c4 |
  c4 c c |
  c2.
}
\include "rhythm-scores.ily"
