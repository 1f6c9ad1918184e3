% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
% The two outputs of a rhythm piece: its picture on a one-line rhythmic staff, and its sound,
% the count-in clicks then the rhythm on one trumpet note (C5), slightly detached so that
% repeated notes, held notes and rests are told apart.

\score {
  \new RhythmicStaff \writtenPiece \timeSig {} \pickup \music
  \layout {}
}

\score {
  \articulate <<
    \new DrumStaff \drummode { \countIn \timeSig }
    \new Staff \with { midiInstrument = "trumpet" }
      \transpose c c'' \soundedPiece \timeSig \bpm {} \pickup \music
  >>
  \midi {}
}
