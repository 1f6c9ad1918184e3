// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/Dictation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace miminomi {

namespace {

/// What an alignment costs: the fewest errors first; among as few errors, the most notes met; then
/// the met taps closest to their onsets.
struct Cost {
    std::int32_t errors = 0;
    std::int32_t matches = 0;
    double residual = 0;

    bool operator<(const Cost &other) const {
        if (errors != other.errors)
            return errors < other.errors;
        if (matches != other.matches)
            return matches > other.matches;
        return residual < other.residual;
    }
};

enum class Step : std::uint8_t { pair, skipNote, skipGiven };

/// Aligns the piece's `notes` with the `given` by edit distance: a note and what was given for it
/// in one column cost nothing when `same(i, j)` holds (its value is how far apart they lie) and one
/// as a wrong note otherwise; a note with nothing given, or something given for no note, costs one.
template <typename Same> Dictation align(std::size_t notes, std::size_t given, Same same) {
    const std::size_t width = given + 1;
    std::vector<Cost> cost((notes + 1) * width);
    std::vector<Step> step((notes + 1) * width, Step::pair);
    for (std::size_t i = 0; i <= notes; ++i) {
        for (std::size_t j = 0; j <= given; ++j) {
            if (i == 0 && j == 0)
                continue;
            Cost best{std::numeric_limits<std::int32_t>::max(), 0, 0};
            Step chosen = Step::pair;
            // Tried in this order, so that on a tie a note and a tap share a column.
            if (i > 0 && j > 0) {
                best = cost[(i - 1) * width + j - 1];
                if (const std::optional<double> apart = same(i - 1, j - 1)) {
                    ++best.matches;
                    best.residual += *apart;
                } else {
                    ++best.errors;
                }
            }
            if (i > 0) {
                Cost skip = cost[(i - 1) * width + j];
                ++skip.errors;
                if (skip < best) {
                    best = skip;
                    chosen = Step::skipNote;
                }
            }
            if (j > 0) {
                Cost skip = cost[i * width + j - 1];
                ++skip.errors;
                if (skip < best) {
                    best = skip;
                    chosen = Step::skipGiven;
                }
            }
            cost[i * width + j] = best;
            step[i * width + j] = chosen;
        }
    }

    Dictation result;
    result.notesGot.assign(notes, false);
    result.givenMatched.assign(given, false);
    for (std::size_t i = notes, j = given; i > 0 || j > 0;) {
        const Step taken = i == 0 ? Step::skipGiven : j == 0 ? Step::skipNote : step[i * width + j];
        Dictation::Column column;
        if (taken == Step::pair) {
            --i;
            --j;
            const bool met = same(i, j).has_value();
            column = {met ? Dictation::Mark::right : Dictation::Mark::wrong, i, j};
            result.notesGot[i] = result.givenMatched[j] = met;
            result.wrong += met ? 0 : 1;
        } else if (taken == Step::skipNote) {
            --i;
            column = {Dictation::Mark::missing, i, std::nullopt};
            ++result.missing;
        } else {
            --j;
            column = {Dictation::Mark::extra, std::nullopt, j};
            ++result.extra;
        }
        result.columns.push_back(column);
    }
    std::reverse(result.columns.begin(), result.columns.end());
    return result;
}

/// What a tap met at the very edge of its tolerance counts, in errors, when fits are compared.
/// Tried on simulated tapping (σ 20 ms, tempo within 4 %, a first or last tap moved half a beat;
/// and right taps with σ 40 ms): at 0.35 a tempo tilted within the drift allowed still met the
/// moved tap about once in 100 000 tappings, at 0.2 ten times as often; at 0.4 none did, and 97.6 %
/// of the unsteady right tappings kept no error (98.6 % with nothing counted, 96.6 % at 0.5).
constexpr double edgeCost = 0.4;

/// How far from its onset, in tolerances, a tap is still taken as that onset's while a fit is
/// sought. A tolerance is at most 0.4 of the gap to the neighbouring onsets, so such a tap still
/// lies nearer its own onset than any other's.
constexpr double capture = 1.25;

/// A fit of the taps to the piece: tap = shift + tempo × onset.
struct Fit {
    double shift = 0;
    double tempo = 1;
};

/// Pairs of an onset and a tap, by index.
using Pairs = std::vector<std::pair<std::size_t, std::size_t>>;

/// The taps (sorted) against the piece's onsets: finds the fit and marks under it.
class RhythmMarker {
public:
    RhythmMarker(const PieceNotes &piece, std::vector<double> taps) : taps(std::move(taps)) {
        for (std::size_t k = 0; k < piece.notes.size(); ++k) {
            onsets.push_back(piece.notes[k].onsetSeconds);
            tolerances.push_back(tapTolerance(piece, k));
        }
    }

    /// How far the tap lies from the onset on the piece's time line, squared and measured in the
    /// onset's tolerance, if it lies within the tolerance.
    std::optional<double> apart(const Fit &fit, std::size_t onset, std::size_t tap) const {
        const double off =
            ((taps[tap] - fit.shift) / fit.tempo - onsets[onset]) / tolerances[onset];
        if (std::abs(off) <= 1)
            return off * off;
        return std::nullopt;
    }

    Dictation mark(const Fit &fit) const {
        Dictation result = align(onsets.size(), taps.size(),
                                 [&](std::size_t i, std::size_t j) { return apart(fit, i, j); });
        result.shiftSeconds = fit.shift;
        result.tempo = fit.tempo;
        return result;
    }

    /// The fit that lays the taps best on the onsets: the fewest errors, where each tap met counts
    /// edgeCost times its squared distance from the onset in tolerances. So a fit that avoids an
    /// error only by pushing the taps to the edges of their tolerances (a first or last tap half a
    /// beat off, met by tilting the tempo) is no better than that error, while a tap met loosely
    /// counts well under an error, so that a fit seldom gives up a tap within its tolerance to lay
    /// the others closer.
    Fit bestFit() const {
        Fit best;
        double bestScore = std::numeric_limits<double>::infinity();
        std::size_t bestMet = 0;
        std::vector<Fit> tried;
        const auto consider = [&](const Fit &fit) {
            const bool seen = std::any_of(tried.begin(), tried.end(), [&](const Fit &other) {
                return other.shift == fit.shift && other.tempo == fit.tempo;
            });
            if (seen)
                return;
            tried.push_back(fit);
            const Dictation marked = mark(fit);
            double score = marked.errors();
            std::size_t met = 0;
            for (const Dictation::Column &column : marked.columns) {
                if (column.mark == Dictation::Mark::right) {
                    score += edgeCost * *apart(fit, *column.note, *column.given);
                    ++met;
                }
            }
            if (score < bestScore) {
                bestScore = score;
                best = fit;
                bestMet = met;
            }
        };
        for (const Fit &start : coarseFits()) {
            const Fit fit = refine(start);
            consider(fit);
            // Least squares may leave taps just beyond their tolerance that another fit brings
            // within, as when taps lie near the edges on alternate sides: the fit that keeps the
            // farthest of them closest is tried too, where it could meet more than the best yet.
            double residual = 0;
            Fit even = fit;
            for (int round = 0; round < 3; ++round) {
                const Pairs near = meet(even, capture, residual);
                if (near.size() <= std::max(bestMet, meet(even, 1, residual).size()))
                    break;
                even = evenest(near);
                consider(even);
            }
        }
        return best;
    }

private:
    /// Starting fits: at each tempo of a grid, the shifts at which the most taps lie within the
    /// tolerance of an onset. Each pair of a tap and an onset allows an interval of shifts; their
    /// ends are counted into bins of a quarter of the smallest tolerance, and the runs of bins
    /// covered by the most intervals give the shifts. The grid holds the piece's own tempo and is
    /// fine enough that a tempo between two of its steps moves the ends of the piece, about a
    /// shift centred on it, by at most a quarter of the smallest tolerance; the refits then find
    /// the tempo between. Starts at tempos whose best cover falls more than one short of the best
    /// of all are left out.
    std::vector<Fit> coarseFits() const {
        const auto [smallest, largest] = std::minmax_element(tolerances.begin(), tolerances.end());
        const double span = std::max(onsets.back() - onsets.front(), *smallest);
        const int steps = 2 * static_cast<int>(std::ceil(maxTempoDrift * span / *smallest));
        const double bin = *smallest / 4;
        struct Start {
            std::int32_t cover;
            Fit fit;
        };
        std::vector<Start> starts;
        std::vector<std::int32_t> ends;
        std::int32_t most = 0;
        for (int k = 0; k <= steps; ++k) {
            const double tempo = 1 - maxTempoDrift + 2 * maxTempoDrift * k / std::max(steps, 1);
            // A tap within the onset's tolerance: shift in [tap - tempo × (onset + tolerance),
            // tap - tempo × (onset - tolerance)].
            const double lowest = taps.front() - tempo * (onsets.back() + *largest) - bin;
            const double highest = taps.back() - tempo * (onsets.front() - *largest);
            const auto binOf = [&](double shift) {
                return static_cast<std::size_t>((shift - lowest) / bin);
            };
            ends.assign(binOf(highest) + 2, 0);
            for (const double tap : taps) {
                for (std::size_t i = 0; i < onsets.size(); ++i) {
                    ++ends[binOf(tap - tempo * (onsets[i] + tolerances[i]))];
                    --ends[binOf(tap - tempo * (onsets[i] - tolerances[i])) + 1];
                }
            }
            std::int32_t cover = 0, tempoMost = 0;
            const std::size_t first = starts.size();
            for (std::size_t b = 0, runStart = 0; b < ends.size(); ++b) {
                const std::int32_t before = cover;
                cover += ends[b];
                if (cover > before)
                    runStart = b;
                if (cover < before && before >= tempoMost) {
                    if (before > tempoMost) {
                        tempoMost = before;
                        starts.resize(first);
                    }
                    const double middle = lowest + bin * (static_cast<double>(runStart + b) / 2);
                    starts.push_back({before, {middle, tempo}});
                }
            }
            most = std::max(most, tempoMost);
        }
        std::vector<Fit> fits;
        for (const Start &start : starts)
            if (start.cover + 1 >= most)
                fits.push_back(start.fit);
        return fits;
    }

    /// Meets the onsets with the taps in time order, each tap with the first onset within `reach`
    /// tolerances; `residual` sums the squared distances in tolerances.
    Pairs meet(const Fit &fit, double reach, double &residual) const {
        Pairs pairs;
        residual = 0;
        for (std::size_t tap = 0, onset = 0; tap < taps.size() && onset < onsets.size();) {
            const double off =
                ((taps[tap] - fit.shift) / fit.tempo - onsets[onset]) / tolerances[onset];
            if (std::abs(off) <= reach) {
                pairs.emplace_back(onset++, tap++);
                residual += off * off;
            } else if (off < 0) {
                ++tap;
            } else {
                ++onset;
            }
        }
        return pairs;
    }

    /// Least squares of shift and tempo over the pairs met, each weighted by its onset's
    /// tolerance, the tempo kept within the drift allowed; with fewer than two pairs the tempo
    /// stays the piece's.
    Fit leastSquares(const Pairs &pairs, const Fit &start) const {
        if (pairs.empty())
            return start;
        double weights = 0, meanOnset = 0, meanTap = 0;
        for (const auto &[onset, tap] : pairs) {
            const double weight = 1 / (tolerances[onset] * tolerances[onset]);
            weights += weight;
            meanOnset += weight * onsets[onset];
            meanTap += weight * taps[tap];
        }
        meanOnset /= weights;
        meanTap /= weights;
        double spread = 0, together = 0;
        for (const auto &[onset, tap] : pairs) {
            const double weight = 1 / (tolerances[onset] * tolerances[onset]);
            spread += weight * (onsets[onset] - meanOnset) * (onsets[onset] - meanOnset);
            together += weight * (onsets[onset] - meanOnset) * (taps[tap] - meanTap);
        }
        Fit fit;
        if (pairs.size() >= 2 && spread > 0)
            fit.tempo = std::clamp(together / spread, 1 - maxTempoDrift, 1 + maxTempoDrift);
        fit.shift = meanTap - fit.tempo * meanOnset;
        return fit;
    }

    /// Meets and refits a few times from a starting fit; keeps the fit that met the most,
    /// closest. The first refit takes the taps up to a quarter beyond their tolerance, still
    /// nearer their own onset than any other's: a start a little off in tempo or shift meets the
    /// taps near the edges of their tolerances on one side only, and a refit over those alone
    /// would stay tilted.
    Fit refine(const Fit &start) const {
        Fit best = start;
        double residual = 0;
        std::size_t bestMet = meet(start, 1, residual).size();
        double bestResidual = residual;
        Fit fit = leastSquares(meet(start, capture, residual), start);
        for (int round = 0; round < 4; ++round) {
            const Pairs pairs = meet(fit, 1, residual);
            if (pairs.size() > bestMet || (pairs.size() == bestMet && residual < bestResidual)) {
                best = fit;
                bestMet = pairs.size();
                bestResidual = residual;
            }
            fit = leastSquares(pairs, fit);
        }
        return best;
    }

    /// The fit under which the pair farthest from its onset, in tolerances, lies closest. On the
    /// piece's time line a tap lies at q × tap - u, for q = 1 / tempo and u = shift / tempo, so
    /// for each q the farthest distance comes from the two pairs that pull apart most, and it is
    /// convex in q: a golden-section search over the tempos allowed finds its least.
    Fit evenest(const Pairs &pairs) const {
        const auto farthest = [&](double q, double &u) {
            double most = -1;
            for (const auto &[onsetA, tapA] : pairs) {
                const double a = q * taps[tapA] - onsets[onsetA];
                for (const auto &[onsetB, tapB] : pairs) {
                    const double b = q * taps[tapB] - onsets[onsetB];
                    const double apart = (a - b) / (tolerances[onsetA] + tolerances[onsetB]);
                    if (apart > most) {
                        most = apart;
                        u = a - apart * tolerances[onsetA];
                    }
                }
            }
            return most;
        };
        // Twenty-five golden steps narrow the tempo to within 1e-6.
        const double golden = (std::sqrt(5.0) - 1) / 2;
        double low = 1 / (1 + maxTempoDrift), high = 1 / (1 - maxTempoDrift), u = 0;
        double left = high - golden * (high - low), right = low + golden * (high - low);
        double atLeft = farthest(left, u), atRight = farthest(right, u);
        for (int step = 0; step < 25; ++step) {
            if (atLeft < atRight) {
                high = right;
                right = left;
                atRight = atLeft;
                left = high - golden * (high - low);
                atLeft = farthest(left, u);
            } else {
                low = left;
                left = right;
                atLeft = atRight;
                right = low + golden * (high - low);
                atRight = farthest(right, u);
            }
        }
        const double q = (low + high) / 2;
        farthest(q, u);
        return {u / q, 1 / q};
    }

    std::vector<double> onsets;
    std::vector<double> tolerances;
    std::vector<double> taps;
};

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

// A sixth of the beat lies between half a sixteenth (where a tap is as near the next sixteenth)
// and a whole sixteenth, so a tap a sixteenth or more off is never its note's. (In a compound
// time, whose beat is a dotted quarter, a sixth of the beat is a whole sixteenth: there a tap a
// full sixteenth off a note whose neighbours lie a quarter or more away still just counts.) Two
// fifths of the gap to each neighbour keep the tolerances of two neighbours a fifth of the gap
// apart, so a tap is never its neighbour's as well. Taken per note, a note between longer values
// keeps the sixth of a beat (109 ms at 92 bpm), which unsteady tapping needs, while a sixteenth at
// 80 bpm gets 75 ms, which a tap with 20 ms of jitter misses about once in 5 000. 50 ms is the
// spread of a practised tapper.
double tapTolerance(const PieceNotes &piece, std::size_t note) {
    const auto &notes = piece.notes;
    double nearest = std::numeric_limits<double>::infinity();
    if (note > 0)
        nearest = notes[note].onsetSeconds - notes[note - 1].onsetSeconds;
    if (note + 1 < notes.size())
        nearest = std::min(nearest, notes[note + 1].onsetSeconds - notes[note].onsetSeconds);
    const double sixthOfBeat =
        piece.hasCountIn() ? piece.beatSeconds / 6 : std::numeric_limits<double>::infinity();
    const double within = std::min(sixthOfBeat, 0.4 * nearest);
    return std::isfinite(within) ? std::max(0.05, within) : 0.05;
}

Dictation markRhythm(const PieceNotes &piece, const std::vector<double> &given) {
    std::vector<double> taps = given;
    std::sort(taps.begin(), taps.end());
    if (taps.empty() || piece.notes.empty())
        return align(piece.notes.size(), taps.size(),
                     [](std::size_t, std::size_t) { return std::optional<double>(); });
    // Fitted from the first tap, so that a clock's large origin costs no precision.
    const double origin = taps.front();
    for (double &tap : taps)
        tap -= origin;
    const RhythmMarker marker(piece, std::move(taps));
    Dictation marked = marker.mark(marker.bestFit());
    marked.shiftSeconds += origin;
    return marked;
}

Dictation markMelody(const PieceNotes &piece, const std::vector<std::int32_t> &pitches) {
    return align(piece.notes.size(), pitches.size(), [&](std::size_t i, std::size_t j) {
        return piece.notes[i].pitch == pitches[j] ? std::optional<double>(0) : std::nullopt;
    });
}

} // namespace miminomi
