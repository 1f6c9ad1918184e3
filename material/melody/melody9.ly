% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 9: Ode to Joy (Symphony No. 9, finale). Source: Ludwig van Beethoven (1770-1827).
% Practises a dotted rhythm at the end of a phrase, D major.
timeSig = #'(4 . 4)
bpm = #100
keySig = { \key d \major }
music = \fixed c' {
  fis4 fis g a |
  a g fis e |
  d d e fis |
  fis4. e8 e2
}
\include "melody-scores.ily"
