% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 15: Ties inside the bar. Source: original.
timeSig = #'(4 . 4)
bpm = #88
music = {
  c4 c ~ c c |
  c2 ~ c8 c c4 |
  c4 c8 c ~ c c c4 |
  c1
}
\include "rhythm-scores.ily"
