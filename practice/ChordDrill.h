#pragma once

#include "practice/Drill.h"

namespace miminomi {

class MidiChord;
class Wait;

/// Chords: a chord in root position, optionally first broken into its notes, named by its root's
/// name and its type. The page's lists are the root and the type.
class ChordDrill final : public Drill {
public:
    static constexpr std::int32_t chordMs = 1000;

    ChordDrill(MidiSound &midi, Wait &wait, MidiChord &midiChord);

    bool ask(const PracticeSettings &settings) override;
    void replay(const PracticeSettings &settings) override;
    Choices rightAnswer() override;

protected:
    std::size_t rowCount() override { return 1; }
    std::size_t listsPerRow() const override { return 2; }
    void describe(MarkedQuestion &question) override;

private:
    void playChordNotes(bool hint);

    MidiSound &midi;
    Wait &wait;
    MidiChord &midiChord;
};

} // namespace miminomi
