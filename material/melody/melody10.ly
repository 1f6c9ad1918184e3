% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 10: Eighths and skips in 3/4. Source: original.
% Practises eighth notes and skips in 3/4, G major.
timeSig = #'(3 . 4)
bpm = #96
keySig = { \key g \major }
music = \fixed c' {
  d4 g8 a b4 |
  a8 g fis g a4 |
  b4 d' b8 a |
  g2.
}
\include "melody-scores.ily"
