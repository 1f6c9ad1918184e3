% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Rhythm 17: The dotted eighth and sixteenth. Source: original.
timeSig = #'(3 . 4)
bpm = #80
music = {
  c8. c16 c4 c |
  c8. c16 c8. c16 c4 |
  c4 c8. c16 c8 c |
  c2.
}
\include "rhythm-scores.ily"
