% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Melody 19: 6/8 in G with a tie. Source: original.
% Practises 6/8 upbeat, leaps, a dotted eighth, a tie over the beat, a rest.
timeSig = #'(6 . 8)
bpm = #56
keySig = { \key g \major }
pickup = \fixed c' { d8 }
music = \fixed c' {
  g4 b8 d'4 b8 |
  c'8. e'16 c'8 a4 fis8 |
  g4. ~ g8 r d |
  b4 a8 g4
}
\include "melody-scores.ily"
