% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 6: Broken chord. Source: original.
% Practises skips along the C major chord up to the octave.
timeSig = #'(3 . 4)
bpm = #96
keySig = { \key c \major }
music = \fixed c' {
  c4 e g |
  c'2 b4 |
  a4 f d |
  c2.
}
\include "melody-scores.ily"
