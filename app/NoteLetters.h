#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace miminomi::NoteLetters {

// The keys that name a note: a natural's letter C D E F G A B, # or + to raise it and - to lower
// it, and a digit for the octave counted as from middle C's 4.

/// The pitch class of a natural's letter, in either case; nothing for any other text.
inline std::optional<std::int32_t> natural(const QString &typed) {
    static constexpr std::int32_t naturals[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    const QString letter = typed.toUpper();
    if (letter.size() != 1 || letter[0] < QLatin1Char('A') || letter[0] > QLatin1Char('G'))
        return std::nullopt;
    return naturals[letter[0].unicode() - 'A'];
}

/// +1 for # or +, -1 for -, else 0.
inline std::int32_t step(const QString &typed) {
    if (typed == QLatin1String("#") || typed == QLatin1String("+"))
        return 1;
    return typed == QLatin1String("-") ? -1 : 0;
}

/// The octave (note number ÷ 12) a typed digit names; nothing for any other text.
inline std::optional<std::int32_t> octave(const QString &typed) {
    if (typed.size() != 1 || !typed[0].isDigit())
        return std::nullopt;
    return typed[0].digitValue() + 1;
}

} // namespace miminomi::NoteLetters
