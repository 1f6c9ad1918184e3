// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Drill.h"

#include <array>
#include <functional>
#include <string>

namespace miminomi {

/// Rhythm or melody: a piece played from its file for fifteen seconds, written down by the learner
/// and marked by them against the piece's score picture with one of five grades.
class PieceDrill final : public Drill {
public:
    /// What each grade of the self-mark list adds, from "よくできた" to "ひどい間違い".
    static constexpr std::array<Tally, 5> gradePoints{{{2, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 2}}};

    /// `exercise` is Exercise::risum or Exercise::melody.
    PieceDrill(Exercise exercise, MidiSound &midi, Wait &wait);

    bool selfMarked() const override { return true; }
    /// Picks a new piece and plays it; false when its file cannot be played.
    bool ask(const PracticeSettings &settings) override;
    void replay(const PracticeSettings &settings) override;
    /// Nothing: a piece's answer is its score picture.
    Choices rightAnswer() override { return {}; }
    /// The points of the grade chosen first in `chosen`; no grade, or an unknown one, adds nothing.
    MarkedQuestion mark(const Choices &chosen) override;

    /// The piece last picked, 1 to 20.
    std::int32_t pieceNumber() const;
    /// The score picture of the piece last picked, relative to the working folder.
    std::string scorePicturePath() const;
    /// The file of the piece last picked.
    std::string piecePath() const;

    /// Told true when the piece starts playing and false when it has ended.
    std::function<void(bool playing)> onPlaying;

protected:
    void describe(MarkedQuestion &question) override { question.piece = pieceNumber(); }

private:
    bool play(std::int32_t mode, const PracticeSettings &settings);
    /// The file of the piece last picked with the given ending.
    std::string pieceFile(const char *ending) const;
};

} // namespace miminomi
