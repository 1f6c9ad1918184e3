% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 7: Running eighths in D. Source: original.
% Practises eighth notes in D major, the C sharp.
timeSig = #'(4 . 4)
bpm = #90
keySig = { \key d \major }
music = \fixed c' {
  d4 e8 fis g4 a |
  b8 a g fis e2 |
  fis4 e8 d e4 cis |
  d1
}
\include "melody-scores.ily"
