% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 4: Au clair de la lune. Source: French traditional.
% Practises repeated notes and steps.
timeSig = #'(4 . 4)
bpm = #96
keySig = { \key c \major }
music = \fixed c' {
  c4 c c d |
  e2 d |
  c4 e d d |
  c1
}
\include "melody-scores.ily"
