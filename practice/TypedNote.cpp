// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/TypedNote.h"

#include <algorithm>

namespace miminomi {

namespace {

/// The pitch classes of the naturals A to G.
constexpr std::int32_t naturals[] = {9, 11, 0, 2, 4, 5, 7};

} // namespace

TypedNote::Took TypedNote::type(char32_t key) {
    const char32_t upper = key >= U'a' && key <= U'z' ? key - U'a' + U'A' : key;
    if ((upper >= U'A' && upper <= U'G') || upper == U'H') {
        letterClass = upper == U'H' ? naturals[U'B' - U'A'] : naturals[upper - U'A'];
        alteration = 0;
        return Took::letter;
    }
    if (!letterClass)
        return Took::nothing;
    if (key == U'#' || key == U'+' || key == U'-') {
        // Two of either way at most: a double sharp or a double flat.
        alteration = std::clamp(alteration + (key == U'-' ? -1 : 1), -2, 2);
        return Took::accidental;
    }
    if (key >= U'0' && key <= U'9') {
        const std::int32_t octave = static_cast<std::int32_t>(key - U'0');
        lastNote = std::clamp((octave + 1) * 12 + *letterClass + alteration, 0, 127);
        letterClass.reset();
        return Took::note;
    }
    return Took::nothing;
}

std::optional<std::int32_t> TypedNote::pitchClass() const {
    if (!letterClass)
        return std::nullopt;
    return (*letterClass + alteration + 12) % 12;
}

} // namespace miminomi
