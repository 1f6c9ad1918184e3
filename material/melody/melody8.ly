% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 8: Dotted quarters in F. Source: original.
% Practises the dotted quarter and eighth, the leap of a fifth.
timeSig = #'(4 . 4)
bpm = #90
keySig = { \key f \major }
music = \fixed c' {
  f4. g8 a4 f |
  c'2 a |
  bes4. a8 g4 e |
  f1
}
\include "melody-scores.ily"
