% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 2: The whole note. Source: original.
timeSig = #'(4 . 4)
bpm = #92
music = {
  c2 c4 c |
  c4 c c c |
  c4 c c2 |
  c1
}
\include "rhythm-scores.ily"
