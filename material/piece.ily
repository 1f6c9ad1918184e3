% SPDX-FileCopyrightText: 2026 The miminomi developers
% SPDX-License-Identifier: GPL-3.0-or-later
\version "2.24.0"
% Shared by every piece: the page of the score picture (550 x 160 pixels at 110 dpi) and the
% helpers that build the sound (two count-in clicks, then the piece) from the same music.
%
% A piece file sets, before including rhythm-scores.ily or melody-scores.ily:
%   timeSig = #'(4 . 4)   the time signature; its beat (the dotted quarter in 6/8) is counted in
%   bpm = #90             beats per minute
%   pickup = { ... }      the upbeat, if the piece has one (at most one beat)
%   music = { ... }       the piece after the upbeat
%   keySig = { \key ... } the key (melodies)
% and may set staffSize = #20 before including this file, for a smaller staff (the default is
% 24) when a piece is crowded.

\include "articulate.ly"

#(define staff-size (if (defined? 'staffSize) staffSize 24))
#(set-global-staff-size staff-size)
% the page height in staff spaces: 160/110 in, in points of 1/72.27 in, over a quarter of the size
#(define page-staff-spaces (/ (* 160/110 72.27) (/ staff-size 4)))

\paper {
  paper-width = 5\in
  paper-height = #(* 160/110 in)
  top-margin = 0
  bottom-margin = 0
  left-margin = 0.12\in
  right-margin = 0.12\in
  indent = 0
  ragged-right = ##f
  ragged-last = ##f
  print-page-number = ##f
  print-first-page-number = ##f
  oddHeaderMarkup = ##f
  evenHeaderMarkup = ##f
  oddFooterMarkup = ##f
  evenFooterMarkup = ##f
  system-count = #1
  % the middle staff line halfway down the page, unless the notes above the staff need more room
  top-system-spacing =
    #`((basic-distance . ,(/ page-staff-spaces 2)) (minimum-distance . ,(/ page-staff-spaces 2))
       (padding . 0.5) (stretchability . 0))
  ragged-bottom = ##t
}

\layout {
  \context {
    \Score
    \omit BarNumber
    \numericTimeSignature
  }
}

\header {
  tagline = ##f
}

pickup = {}
keySig = {}

#(define (beat-duration sig)
   ;; The counted beat: the dotted note of compound meters (6/8, 9/8, 12/8), else one
   ;; denominator note.
   (let ((num (car sig))
         (den-log (ly:intlog2 (cdr sig))))
     (if (and (> num 3) (zero? (modulo num 3)))
         (ly:make-duration (1- den-log) 1)
         (ly:make-duration den-log 0))))

#(define (moment->duration mom)
   (ly:make-duration 0 0 (ly:moment-main mom)))

#(define (count-in-length sig)
   (ly:moment-mul (ly:duration-length (beat-duration sig)) (ly:make-moment 2)))

% The two count-in clicks (side stick) for the percussion channel.
countIn =
#(define-music-function (sig) (pair?)
   (let ((beat (beat-duration sig)))
     (make-sequential-music
      (map (lambda (i) (make-music 'NoteEvent 'drum-type 'sidestick 'duration beat))
           '(1 2)))))

% The piece as it sounds: tempo, then the count-in's two beats as a partial bar, of which the
% upbeat takes its own length at the end (so an upbeat of one beat sounds with the second click).
soundedPiece =
#(define-music-function (sig beats-per-minute key up body) (pair? number? ly:music? ly:music? ly:music?)
   (let* ((two (count-in-length sig))
          (up-length (ly:music-length up))
          (silence (ly:moment-sub two up-length))
          (wholes-per-minute
           (ly:moment-mul (ly:duration-length (beat-duration sig))
                          (ly:make-moment beats-per-minute))))
     (if (ly:moment<? silence ZERO-MOMENT)
         (ly:error "the upbeat is longer than the two count-in beats"))
     #{
       \time $sig
       $key
       \set Score.tempoWholesPerMinute = $wholes-per-minute
       \partial $(moment->duration two)
       $(if (ly:moment<? ZERO-MOMENT silence)
            (make-music 'SkipEvent 'duration (moment->duration silence))
            (make-music 'SequentialMusic))
       $up
       $body
     #}))

% The piece as it is written: no count-in, an upbeat as a partial bar, a final bar line.
writtenPiece =
#(define-music-function (sig key up body) (pair? ly:music? ly:music? ly:music?)
   (let ((up-length (ly:music-length up)))
     #{
       \time $sig
       $key
       $(if (ly:moment<? ZERO-MOMENT up-length)
            #{ \partial $(moment->duration up-length) #}
            (make-music 'SequentialMusic))
       $up
       $body
       \bar "|."
     #}))
