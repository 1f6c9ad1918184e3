% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 18: D minor leaps. Source: original.
% Practises leaps (fourth, fifth, octave), a rest, D minor with C sharp.
timeSig = #'(4 . 4)
bpm = #84
keySig = { \key d \minor }
pickup = \fixed c' { a8 }
music = \fixed c' {
  d'4 a8 f d4 r8 d' |
  cis'4. e'8 a2 |
  bes8 g e cis d4.
}
\include "melody-scores.ily"
