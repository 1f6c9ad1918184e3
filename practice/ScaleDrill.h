// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Drill.h"

namespace miminomi {

class Answers;
class MusicScale;

/// Scales: a scale up one octave and down again, named by key and type. The page's lists are the
/// key, the Western type and the Japanese type; a Japanese scale is asked by its type alone.
class ScaleDrill final : public Drill {
public:
    static constexpr std::size_t keyList = 0;
    static constexpr std::size_t westernList = 1;
    static constexpr std::size_t japaneseList = 2;

    ScaleDrill(MidiSound &midi, Wait &wait, MusicScale &musicScale, Answers &answers);

    bool ask(const PracticeSettings &settings) override;
    void replay(const PracticeSettings &settings) override;
    Choices rightAnswer() override;
    /// The scale type chosen: in the list of the asked scale's kind first, else in the other one
    /// (a Western scale may be heard as a Japanese one); nothing when neither list has a choice.
    static std::optional<std::int32_t> chosenType(const Choices &chosen, std::int32_t askedType);
    /// The Western and the Japanese scales have a mark each.
    std::size_t markOfRow(std::size_t) override { return isJapanese() ? 1 : 0; }

protected:
    Choices markedAnswer() override;
    void describe(MarkedQuestion &question) override;
    bool chosenInRow(const Choices &chosen, std::size_t row) const override;
    void playAsked(std::size_t row, const PracticeSettings &) override;
    /// The chosen type, from the list of the asked scale's kind first, on the chosen key (a
    /// Japanese scale on its own root); a part not chosen is the asked scale's.
    void playChosen(const Choices &chosen, std::size_t row, const PracticeSettings &) override;

private:
    struct Asked {
        std::int32_t root;
        std::int32_t type;
    };
    /// Root and type of the scale asked, read from the answer sheet.
    Asked asked();
    bool isJapanese();

    MusicScale &musicScale;
    Answers &answers;
};

} // namespace miminomi
