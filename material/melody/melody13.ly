% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 13: A minor. Source: original.
% Practises A minor with its raised seventh (G sharp).
timeSig = #'(4 . 4)
bpm = #88
keySig = { \key a \minor }
music = \fixed c' {
  a4 b c'8 b a4 |
  e'2 c' |
  d'4 c'8 b gis4 b |
  a1
}
\include "melody-scores.ily"
