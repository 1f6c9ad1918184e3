% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 2: Up and down in G. Source: original.
% Practises steps in G major, the F sharp.
timeSig = #'(4 . 4)
bpm = #90
keySig = { \key g \major }
music = \fixed c' {
  g4 a b c' |
  d'2 c'4 b |
  a4 g fis2 |
  g1
}
\include "melody-scores.ily"
