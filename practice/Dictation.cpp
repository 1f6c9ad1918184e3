#include "practice/Dictation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace miminomi {

namespace {

/// Matches the shifted taps with the onsets in time order.
Dictation matchTaps(const std::vector<double> &onsets, const std::vector<double> &taps,
                    double shift, double tolerance, double &residual) {
    Dictation result;
    result.notesGot.assign(onsets.size(), false);
    result.givenMatched.assign(taps.size(), false);
    result.shiftSeconds = shift;
    residual = 0;
    std::size_t tap = 0, onset = 0;
    while (tap < taps.size() && onset < onsets.size()) {
        const double off = taps[tap] - shift - onsets[onset];
        if (std::abs(off) <= tolerance) {
            result.notesGot[onset++] = true;
            result.givenMatched[tap++] = true;
            residual += std::abs(off);
        } else if (off < 0) {
            ++tap;
        } else {
            ++onset;
        }
    }
    result.missing = static_cast<std::int32_t>(
        std::count(result.notesGot.begin(), result.notesGot.end(), false));
    result.extra = static_cast<std::int32_t>(
        std::count(result.givenMatched.begin(), result.givenMatched.end(), false));
    return result;
}

} // namespace

Choice Dictation::proposedGrade() const {
    const auto notes = static_cast<std::int32_t>(notesGot.size());
    const std::int32_t count = errors();
    if (count == 0)
        return 0;
    if (count <= std::max(1, notes / 10))
        return 1;
    if (count <= std::max(2, notes / 3))
        return 3;
    return 4;
}

double tapTolerance(const PieceNotes &piece) {
    double shortest = std::numeric_limits<double>::infinity();
    for (std::size_t k = 1; k < piece.notes.size(); ++k)
        shortest =
            std::min(shortest, piece.notes[k].onsetSeconds - piece.notes[k - 1].onsetSeconds);
    return std::max(0.05, std::min(piece.beatSeconds / 6, shortest * 0.4));
}

Dictation markRhythm(const PieceNotes &piece, const std::vector<double> &given) {
    std::vector<double> onsets, taps = given;
    for (const PieceNotes::Note &note : piece.notes)
        onsets.push_back(note.onsetSeconds);
    std::sort(taps.begin(), taps.end());
    const double tolerance = tapTolerance(piece);

    // Every shift that lays some tap exactly on some onset is tried; the best meets the most
    // onsets, and among those lies closest.
    double bestResidual = 0;
    Dictation best = matchTaps(onsets, taps, 0, tolerance, bestResidual);
    for (const double tap : taps) {
        for (const double onset : onsets) {
            double residual = 0;
            Dictation tried = matchTaps(onsets, taps, tap - onset, tolerance, residual);
            const auto got = std::count(tried.notesGot.begin(), tried.notesGot.end(), true);
            const auto bestGot = std::count(best.notesGot.begin(), best.notesGot.end(), true);
            if (got > bestGot || (got == bestGot && residual < bestResidual)) {
                best = std::move(tried);
                bestResidual = residual;
            }
        }
    }
    return best;
}

Dictation markMelody(const PieceNotes &piece, const std::vector<std::int32_t> &pitches) {
    const std::size_t n = piece.notes.size(), m = pitches.size();
    // cost[i][j]: the fewest changes that turn the first i notes into the first j given.
    std::vector<std::vector<std::int32_t>> cost(n + 1, std::vector<std::int32_t>(m + 1));
    for (std::size_t i = 0; i <= n; ++i)
        cost[i][0] = static_cast<std::int32_t>(i);
    for (std::size_t j = 0; j <= m; ++j)
        cost[0][j] = static_cast<std::int32_t>(j);
    for (std::size_t i = 1; i <= n; ++i)
        for (std::size_t j = 1; j <= m; ++j)
            cost[i][j] = std::min(
                {cost[i - 1][j] + 1, cost[i][j - 1] + 1,
                 cost[i - 1][j - 1] + (piece.notes[i - 1].pitch == pitches[j - 1] ? 0 : 1)});

    Dictation result;
    result.notesGot.assign(n, false);
    result.givenMatched.assign(m, false);
    for (std::size_t i = n, j = m; i > 0 || j > 0;) {
        if (i > 0 && j > 0 &&
            cost[i][j] ==
                cost[i - 1][j - 1] + (piece.notes[i - 1].pitch == pitches[j - 1] ? 0 : 1)) {
            const bool same = piece.notes[i - 1].pitch == pitches[j - 1];
            result.notesGot[i - 1] = result.givenMatched[j - 1] = same;
            result.wrong += same ? 0 : 1;
            --i;
            --j;
        } else if (i > 0 && cost[i][j] == cost[i - 1][j] + 1) {
            ++result.missing;
            --i;
        } else {
            ++result.extra;
            --j;
        }
    }
    return result;
}

} // namespace miminomi
