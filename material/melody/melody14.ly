% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Melody 14: さくらさくら (Sakura). Source: Japanese traditional.
% Practises the Japanese miyako-bushi scale, read in A minor.
timeSig = #'(4 . 4)
bpm = #88
keySig = { \key a \minor }
music = \fixed c' {
  a4 a b2 |
  a4 a b2 |
  a4 b c' b |
  a b8 a f2
}
\include "melody-scores.ily"
