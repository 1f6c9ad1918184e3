% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 9: The dotted quarter and eighth. Source: original.
timeSig = #'(4 . 4)
bpm = #88
music = {
  c4. c8 c4 c |
  c4. c8 c2 |
  c4 c c4. c8 |
  c1
}
\include "rhythm-scores.ily"
