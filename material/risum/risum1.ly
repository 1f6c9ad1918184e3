% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 1: Quarter and half notes in 4/4. Source: original.
timeSig = #'(4 . 4)
bpm = #92
music = {
  c4 c c2 |
  c4 c c2 |
  c4 c c c |
  c2 c2
}
\include "rhythm-scores.ily"
