% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 15: E minor with an upbeat. Source: original.
% Practises E minor with an upbeat, the dotted quarter, D sharp.
timeSig = #'(3 . 4)
bpm = #96
keySig = { \key e \minor }
pickup = \fixed c' { b,4 }
music = \fixed c' {
  e4. fis8 g4 |
  b2 a4 |
  g8 fis e4 dis |
  e2
}
\include "melody-scores.ily"
