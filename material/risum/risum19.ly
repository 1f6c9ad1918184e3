% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Rhythm 19: Ties over the beat and the bar line. Source: original.
timeSig = #'(4 . 4)
bpm = #80
pickup = { c8 }
music = {
  c4 c8 c ~ c c c4 |
  c8. c16 c8 c ~ c4 r8 c ~ |
  c8 c4 c8 c4.
}
\include "rhythm-scores.ily"
