% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 1: First steps. Source: original.
% Practises steps in C major, quarter and half notes.
timeSig = #'(4 . 4)
bpm = #90
keySig = { \key c \major }
music = \fixed c' {
  c4 d e f |
  g2 f4 e |
  d4 e d2 |
  c1
}
\include "melody-scores.ily"
