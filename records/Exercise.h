// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace miminomi {

/// The five exercises, numbered as the pages of the main window and of the record viewer, the
/// tally pairs of Score and the fields of the record file.
enum class Exercise : std::int32_t { note = 0, scale = 1, chord = 2, risum = 3, melody = 4 };

inline constexpr std::array<Exercise, 5> allExercises = {
    Exercise::note, Exercise::scale, Exercise::chord, Exercise::risum, Exercise::melody};

constexpr std::size_t indexOf(Exercise exercise) {
    return static_cast<std::size_t>(exercise);
}

/// The exercise of a page index 0..4; nothing for any other index (the MIDI test page).
constexpr std::optional<Exercise> exerciseAt(int index) {
    if (index < 0 || index >= static_cast<int>(allExercises.size()))
        return std::nullopt;
    return static_cast<Exercise>(index);
}

/// Whether the exercise is a piece the learner writes down and marks by grade: rhythm or melody.
constexpr bool isPiece(std::optional<Exercise> exercise) {
    return exercise == Exercise::risum || exercise == Exercise::melody;
}

/// The pieces of each piece exercise, numbered from 1.
inline constexpr std::int32_t pieceCount = 20;

/// The file of piece `number` of a piece exercise with the given ending: "risum3.mid",
/// "melody12.bmp".
inline std::string pieceFileName(Exercise piece, std::int32_t number, std::string_view ending) {
    return (piece == Exercise::risum ? "risum" : "melody") + std::to_string(number) +
           std::string(ending);
}

/// One value for each exercise.
template <typename T> class PerExercise {
public:
    T &operator[](Exercise exercise) { return values[indexOf(exercise)]; }
    const T &operator[](Exercise exercise) const { return values[indexOf(exercise)]; }
    bool operator==(const PerExercise &) const = default;

private:
    std::array<T, allExercises.size()> values{};
};

} // namespace miminomi
