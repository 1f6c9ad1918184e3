% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 4: Quarter and half rests. Source: original.
timeSig = #'(4 . 4)
bpm = #92
music = {
  c4 c c r |
  c2 c |
  c4 r c c |
  c2 r
}
\include "rhythm-scores.ily"
