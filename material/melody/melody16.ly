% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Melody 16: Greensleeves. Source: English traditional (16th century).
% Practises 6/8 with an upbeat, dotted eighths, A minor with G sharp.
timeSig = #'(6 . 8)
bpm = #52
keySig = { \key a \minor }
pickup = \fixed c' { a8 }
music = \fixed c' {
  c'4 d'8 e'8. f'16 e'8 |
  d'4 b8 g8. a16 b8 |
  c'4 a8 a8. gis16 a8 |
  b4 gis8 e4
}
\include "melody-scores.ily"
