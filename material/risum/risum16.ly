% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
staffSize = #21
\include "piece.ily"
% Rhythm 16: Syncopation: eighth, quarter, eighth. Source: original.
timeSig = #'(4 . 4)
bpm = #88
music = {
  c8 c4 c8 c4 c |
  c8 c4 c8 c2 |
  c4 c8 c4 c8 c4 |
  c2 c
}
\include "rhythm-scores.ily"
