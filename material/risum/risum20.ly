% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Rhythm 20: Everything together. Source: original.
% Practises an upbeat, the dotted eighth and sixteenth, ties over the beat and the bar line,
% syncopation, eighth and sixteenth rests.
timeSig = #'(4 . 4)
bpm = #76
pickup = { c8 }
music = {
  c8. c16 c8 c ~ c c r c |
  c4 r16 c c8 c c4 c8 ~ |
  c4 c8. c16 c4 r8
}
\include "rhythm-scores.ily"
