// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Drill.h"

namespace miminomi {

class Answers;
class SingleNote;

/// Single notes: one to four notes from the note pool, each named by its name and octave. The
/// page's lists are name and octave of the first note, then of the second, and so on.
class NoteDrill final : public Drill {
public:
    static constexpr std::size_t maxNotes = 4;

    NoteDrill(MidiSound &midi, Wait &wait, SingleNote &singleNote, Answers &answers);

    bool ask(const PracticeSettings &settings) override;
    void replay(const PracticeSettings &settings) override;
    Choices rightAnswer() override;

protected:
    void describe(MarkedQuestion &question) override { question.notes = askedNotes(); }
    bool chosenInRow(const Choices &chosen, std::size_t row) const override;
    void playAsked(std::size_t row, const PracticeSettings &) override;
    /// The chosen name in the chosen octave; a part not chosen is the asked note's.
    void playChosen(const Choices &chosen, std::size_t row, const PracticeSettings &) override;

private:
    /// The notes asked, read from the answer sheet.
    std::vector<std::int32_t> askedNotes();

    SingleNote &singleNote;
    Answers &answers;
};

} // namespace miminomi
