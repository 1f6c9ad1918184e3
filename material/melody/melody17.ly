% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 17: Syncopation in B flat. Source: original.
% Practises syncopation and ties in B flat major.
timeSig = #'(4 . 4)
bpm = #84
keySig = { \key bes \major }
music = \fixed c' {
  bes4 d'8 f' ~ f' d' c'4 |
  ees'8 d' c' bes ~ bes a g4 |
  f8 g4 a8 bes2
}
\include "melody-scores.ily"
