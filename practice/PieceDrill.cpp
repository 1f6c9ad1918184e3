// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/PieceDrill.h"

#include "sound/MidiSound.h"
#include "sound/Wait.h"

#include <algorithm>

namespace miminomi {

PieceDrill::PieceDrill(Exercise exercise, MidiSound &midi, Wait &wait)
    : Drill(exercise, midi, wait, 1) {
    rows = 0; // the learner marks a piece by grade
}

bool PieceDrill::ask(const PracticeSettings &settings) {
    return play(exercise() == Exercise::risum ? 0 : 1, settings);
}

void PieceDrill::replay(const PracticeSettings &settings) {
    play(exercise() == Exercise::risum ? 2 : 3, settings);
}

bool PieceDrill::play(std::int32_t mode, const PracticeSettings &settings) {
    // A melody starts from the reference A, with the device closed again before the piece plays.
    if (exercise() == Exercise::melody) {
        midi.OpenMidiDevice();
        playReferenceA(settings);
        midi.CloseMidiDevice();
    }
    if (onPlaying)
        onPlaying(true);
    const bool played = midi.playFile(mode);
    if (onPlaying)
        onPlaying(false);
    return played;
}

MarkedQuestion PieceDrill::mark(const Choices &chosen) {
    // A piece has no rows to mark: its points are the grade's.
    MarkedQuestion question = Drill::mark(chosen);
    const Choice grade = chosen.empty() ? noChoice : chosen.front();
    if (grade >= 0 && grade < static_cast<Choice>(gradePoints.size()))
        question.points = gradePoints[static_cast<std::size_t>(grade)];
    return question;
}

std::int32_t PieceDrill::pieceNumber() const {
    return midi.getImageFileNum() + 1;
}

std::string PieceDrill::pieceFile(const char *ending) const {
    return midi.getDataFolder() + pieceFileName(exercise(), pieceNumber(), ending);
}

std::string PieceDrill::piecePath() const {
    return pieceFile(".mid");
}

std::string PieceDrill::scorePicturePath() const {
    return pieceFile(".bmp");
}

} // namespace miminomi
