// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Drill.h"
#include "quiz/Answers.h"
#include "quiz/MidiChord.h"

namespace miminomi {

class Wait;

/// Chords: a chord in root position, optionally first broken into its notes, named by its root's
/// name and its type. The page's lists are the root and the type.
class ChordDrill final : public Drill {
public:
    ChordDrill(MidiSound &midi, Wait &wait, MidiChord &midiChord);

    bool ask(const PracticeSettings &settings) override;
    void replay(const PracticeSettings &settings) override;
    Choices rightAnswer() override {
        return {Answers::noteNameIndex(midiChord.getRootName()),
                Answers::chordTypeIndex(midiChord.getChordName())};
    }

protected:
    void describe(MarkedQuestion &question) override {
        question.root = midiChord.getRootName();
        question.type = midiChord.getChordName();
    }
    bool chosenInRow(const Choices &chosen, std::size_t row) const override;
    void playAsked(std::size_t row, const PracticeSettings &settings) override;
    /// The chosen type on the chosen root; a part not chosen is the asked chord's.
    void playChosen(const Choices &chosen, std::size_t row,
                    const PracticeSettings &settings) override;

private:
    MidiChord &midiChord;
};

} // namespace miminomi
