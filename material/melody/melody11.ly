% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 11: Starting on the upbeat. Source: original.
% Practises an upbeat of one beat, the leap of a fourth.
timeSig = #'(4 . 4)
bpm = #92
keySig = { \key c \major }
pickup = \fixed c' { g4 }
music = \fixed c' {
  c'4 b a g |
  f4. e8 d4 g |
  e4 f d b, |
  c2.
}
\include "melody-scores.ily"
