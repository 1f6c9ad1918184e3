% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 5: Ah ! vous dirai-je, maman (Twinkle, twinkle). Source: French traditional.
% Practises the leap of a fifth, repeated notes.
timeSig = #'(4 . 4)
bpm = #96
keySig = { \key c \major }
music = \fixed c' {
  c4 c g g |
  a a g2 |
  f4 f e e |
  d d c2
}
\include "melody-scores.ily"
