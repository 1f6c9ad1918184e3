% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 13: 6/8 time: two beats of three eighths. Source: original.
timeSig = #'(6 . 8)
bpm = #56
music = {
  c4 c8 c4 c8 |
  c4. c |
  c8 c c c4 c8 |
  c4. r
}
\include "rhythm-scores.ily"
