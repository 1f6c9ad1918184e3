// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/Score.h"

#include <sstream>
#include <string>

namespace miminomi::testing {

/// A score written as text: bars split by "|", a first bar marked "^" an upbeat; each note its
/// step, sharps (#) or flats (b) and octave, or "r" for a rest, then ":" and its value (w h q e
/// s), "." for a dot and "~" tied to the next: "^E4:q | G#4:e. A4:s r:q C5:h~ | C5:w".
inline music::Score scoreOf(music::Key key, music::Metre metre, const std::string &text,
                            int tempo = 66) {
    using namespace music;
    Score score;
    score.key = key, score.metre = metre, score.tempo = tempo;
    std::istringstream words(text);
    score.bars.emplace_back();
    for (std::string word; words >> word;) {
        if (word == "|") {
            score.bars.emplace_back();
            continue;
        }
        if (word == "^") {
            score.bars.back().pickup = true;
            continue;
        }
        Note note;
        const std::size_t colon = word.find(':');
        if (word[0] != 'r') {
            Pitch pitch{static_cast<Step>(std::string("CDEFGAB").find(word[0])), 0, 4};
            std::size_t k = 1;
            for (; word[k] == '#' || word[k] == 'b'; ++k)
                pitch.alter = static_cast<std::int8_t>(pitch.alter + (word[k] == '#' ? 1 : -1));
            pitch.octave = static_cast<std::int8_t>(word[k] - '0');
            note.pitch = pitch;
        }
        note.value.type = static_cast<NoteType>(std::string("whqes").find(word[colon + 1]));
        for (char mark : word.substr(colon + 2))
            mark == '.' ? void(++note.value.dots) : void(note.tieToNext = true);
        score.bars.back().upper.push_back(note);
    }
    return score;
}

} // namespace miminomi::testing
