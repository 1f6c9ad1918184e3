% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 12: Frère Jacques. Source: French traditional.
% Practises a round tune in F major, the leap of a fourth.
timeSig = #'(4 . 4)
bpm = #100
keySig = { \key f \major }
music = \fixed c' {
  f4 g a f |
  f g a f |
  a bes c'2 |
  a4 bes c'2
}
\include "melody-scores.ily"
