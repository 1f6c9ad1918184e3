% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
\include "piece.ily"
% Rhythm 10: Dotted quarters in 3/4. Source: original.
timeSig = #'(3 . 4)
bpm = #92
music = {
  c4. c8 c4 |
  c4. c8 c8 c |
  c4 c4. c8 |
  c2.
}
\include "rhythm-scores.ily"
