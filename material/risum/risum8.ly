% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 8: Eighth notes with rests on the beat. Source: original.
timeSig = #'(4 . 4)
bpm = #88
music = {
  c4 c8 c c4 r |
  c8 c c c c4 c |
  r4 c8 c c4 c8 c |
  c2 r
}
\include "rhythm-scores.ily"
