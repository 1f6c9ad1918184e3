% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Melody 20: C minor. Source: original.
% Practises C minor: upbeat, dotted eighths, ties, syncopation, a rest, leaps, the B natural.
timeSig = #'(4 . 4)
bpm = #76
keySig = { \key c \minor }
pickup = \fixed c' { g8 }
music = \fixed c' {
  c'8. d'16 ees'8 g' ~ g' f' ees' d' |
  ees'8 c'4 aes8 ~ aes g r g |
  c'8. b16 d'8 g c'4.
}
\include "melody-scores.ily"
