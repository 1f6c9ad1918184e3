% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
% The two outputs of a melody piece: its picture on a treble staff, and its sound, the count-in
% clicks then the melody on the piano.

\score {
  \new Staff { \clef treble \writtenPiece \timeSig \keySig \pickup \music }
  \layout {}
}

\score {
  <<
    \new DrumStaff \drummode { \countIn \timeSig }
    \new Staff \with { midiInstrument = "acoustic grand" }
      \soundedPiece \timeSig \bpm \keySig \pickup \music
  >>
  \midi {}
}
