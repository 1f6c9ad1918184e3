% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 3: A waltz step in F. Source: original.
% Practises steps in F major, 3/4, the B flat.
timeSig = #'(3 . 4)
bpm = #100
keySig = { \key f \major }
music = \fixed c' {
  f4 g a |
  bes2 a4 |
  g4 a g |
  f2.
}
\include "melody-scores.ily"
