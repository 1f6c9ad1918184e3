// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/DictationGenerator.h"

#include "music/Notation.h"
#include "music/Tonality.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <random>

namespace miminomi::music {

namespace {

/// The draws of one item, from the standard's Mersenne twister and seed sequence, whose outputs
/// the standard fixes.
class Draws {
public:
    Draws(std::uint32_t seed, int level) {
        std::seed_seq sequence{seed, static_cast<std::uint32_t>(level)};
        engine.seed(sequence);
    }
    /// 0 to n - 1.
    int below(int n) { return static_cast<int>(engine() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    /// An index drawn by the weights, of which one at least is positive.
    std::size_t weighted(const std::vector<int> &weights) {
        int total = 0;
        for (int weight : weights)
            total += weight;
        int draw = below(total);
        for (std::size_t k = 0;; ++k)
            if ((draw -= weights[k]) < 0)
                return k;
    }

private:
    std::mt19937 engine;
};

// ---- Rhythm figures ---------------------------------------------------------------------------

/// A sound as a rhythm figure reads it: where it begins in a full bar, whether it is a rest, and
/// whether it is struck (a tie's continuation is not).
struct Struck {
    std::int32_t at;
    bool rest;
    bool struck;
};

/// A figure's grid: one character a sixteenth.
constexpr std::int32_t figureSlot = ticksPerQuarter / 4;

/// The figure of `sounds` in the beat from `beatStart`, `beatTicks` long: see rhythmFigures().
std::string figureOf(const std::vector<Struck> &sounds, std::int32_t beatStart,
                     std::int32_t beatTicks) {
    std::string figure(static_cast<std::size_t>(beatTicks / figureSlot), '-');
    for (const Struck &sound : sounds)
        if (sound.at >= beatStart && sound.at < beatStart + beatTicks &&
            (sound.at - beatStart) % figureSlot == 0)
            figure[static_cast<std::size_t>((sound.at - beatStart) / figureSlot)] = sound.rest ? 'r'
                                                                                    : sound.struck
                                                                                        ? 'x'
                                                                                        : '-';
    return figure;
}

/// A leaning's percent for `key`: 100 where it says nothing, and never below 1, so that a
/// choice the rules leave open stays open.
int percentOf(const std::map<int, int> &percents, int key) {
    const auto found = percents.find(key);
    return found == percents.end() ? 100 : std::max(1, found->second);
}

// ---- Rhythm -------------------------------------------------------------------------------

/// A figure of one or more beats: its sounds in ticks, rests negative, how often it is drawn
/// and what of a level's vocabulary it needs (nothing when null).
struct Cell {
    std::vector<std::int32_t> sounds;
    int weight;
    bool RhythmVocabulary::*needs;
};

/// The figures of the simple metres (a quarter's beat) and of 6/8 (a dotted quarter's).
const std::vector<Cell> simpleCells = {
    {{48}, 6, nullptr},
    {{96}, 4, nullptr},
    {{24, 24}, 6, &RhythmVocabulary::eighths},
    {{144}, 2, &RhythmVocabulary::dottedHalf},
    {{72, 24}, 3, &RhythmVocabulary::dottedQuarter},
    {{12, 12, 12, 12}, 2, &RhythmVocabulary::sixteenths},
    {{24, 12, 12}, 2, &RhythmVocabulary::sixteenths},
    {{12, 12, 24}, 2, &RhythmVocabulary::sixteenths},
    {{36, 12}, 3, &RhythmVocabulary::dottedEighth},
    {{-48}, 1, &RhythmVocabulary::rests},
    {{-96}, 1, &RhythmVocabulary::rests},
    {{-24, 24}, 1, &RhythmVocabulary::eighthRests},
    {{24, -24}, 1, &RhythmVocabulary::eighthRests},
    {{12, 24, 12}, 2, &RhythmVocabulary::syncopation},
    {{24, 48, 24}, 3, &RhythmVocabulary::syncopation},
    {{24, 72}, 1, &RhythmVocabulary::syncopation},
};
const std::vector<Cell> compoundCells = {
    {{72}, 4, &RhythmVocabulary::dottedQuarter},
    {{48, 24}, 4, &RhythmVocabulary::eighths},
    {{24, 24, 24}, 4, &RhythmVocabulary::eighths},
    {{24, 48}, 1, &RhythmVocabulary::eighths},
    {{144}, 2, &RhythmVocabulary::dottedHalf},
    {{36, 12, 24}, 3, &RhythmVocabulary::dottedEighth},
    {{12, 12, 24, 24}, 1, &RhythmVocabulary::sixteenths},
    {{24, 24, 12, 12}, 1, &RhythmVocabulary::sixteenths},
    {{24, 12, 12, 24}, 1, &RhythmVocabulary::sixteenths},
    {{-72}, 1, &RhythmVocabulary::rests},
    {{48, -24}, 1, &RhythmVocabulary::eighthRests},
    {{-24, 24, 24}, 1, &RhythmVocabulary::eighthRests},
    {{96, 24, 24}, 2, &RhythmVocabulary::syncopation},
};

std::int32_t span(const std::vector<std::int32_t> &sounds) {
    std::int32_t ticks = 0;
    for (std::int32_t sound : sounds)
        ticks += std::abs(sound);
    return ticks;
}
bool hasRest(const std::vector<std::int32_t> &sounds) {
    return std::any_of(sounds.begin(), sounds.end(), [](std::int32_t s) { return s < 0; });
}

/// Makes the rhythms of one item, drawn or (for a level whose items are listed) all of them.
class RhythmMaker {
public:
    /// `leaning`, when given, is not empty.
    RhythmMaker(Draws &draws, const DictationLevel &level, const Metre &metre,
                const DictationLeaning *leaning = nullptr)
        : draws(draws), level(level), metre(metre), leaning(leaning) {
        for (const Cell &cell : metre.compound() ? compoundCells : simpleCells)
            if (!cell.needs || level.rhythm.*cell.needs)
                cells.push_back(&cell);
    }

    /// Cells drawn from `from` to `to` ticks of a bar; `rests` allows one cell with a rest, but
    /// not at `from` when `sounding`.
    std::vector<std::int32_t> fill(std::int32_t from, std::int32_t to, bool rests,
                                   bool sounding = false) {
        std::vector<std::int32_t> sounds;
        while (from < to) {
            const bool restUsed = !rests || hasRest(sounds);
            const std::vector<const Cell *> fitting =
                fits(from, to, restUsed, sounding && sounds.empty());
            std::vector<int> weights;
            for (const Cell *cell : fitting)
                weights.push_back(leaning ? cell->weight * leaningOf(*cell) : cell->weight);
            const Cell *cell = fitting[draws.weighted(weights)];
            sounds.insert(sounds.end(), cell->sounds.begin(), cell->sounds.end());
            from += span(cell->sounds);
        }
        return sounds;
    }

    /// Every way fill() could go.
    std::vector<std::vector<std::int32_t>> allFills(std::int32_t from, std::int32_t to, bool rests,
                                                    bool sounding = false) const {
        if (from == to)
            return {{}};
        std::vector<std::vector<std::int32_t>> all;
        for (const Cell *cell : fits(from, to, !rests, sounding))
            for (auto rest :
                 allFills(from + span(cell->sounds), to, rests && !hasRest(cell->sounds))) {
                rest.insert(rest.begin(), cell->sounds.begin(), cell->sounds.end());
                all.push_back(std::move(rest));
            }
        return all;
    }

    /// The upbeat, or nothing.
    std::vector<std::int32_t> pickup() {
        if (!level.rhythm.pickup || !draws.chance(40))
            return {};
        std::vector<std::vector<std::int32_t>> choices;
        if (metre.compound())
            choices = {{24}};
        else if (metre.beats == 3)
            choices = {{48}, {24, 24}};
        else
            choices = {{48}, {24, 24}, {24}};
        return choices[static_cast<std::size_t>(draws.below(static_cast<int>(choices.size())))];
    }

    /// The ways the last bar, `length` ticks long, may go, with their weights: the final note on
    /// the downbeat (or, in a full 4/4 bar, on the third beat after two beats of notes: one of
    /// `firstHalves`), rests after it where the level has them.
    std::vector<std::pair<std::vector<std::int32_t>, int>>
    lasts(std::int32_t length, const std::vector<std::vector<std::int32_t>> &firstHalves) const {
        std::vector<std::pair<std::vector<std::int32_t>, int>> choices;
        for (std::int32_t ticks : {192, 144, 96, 72, 48}) {
            const auto value = valueOfTicks(ticks);
            if (ticks > length || ticks % metre.beatTicks() != 0 || !level.allows(*value) ||
                !writable(metre, 0, ticks, false, false))
                continue;
            if (ticks == length)
                choices.push_back({{ticks}, 8});
            else if (restsWrite(ticks, length - ticks))
                choices.push_back({{ticks, ticks - length}, 2});
        }
        if (metre == Metre{4, 4} && length == metre.barTicks())
            for (auto sounds : firstHalves) {
                sounds.push_back(96);
                choices.push_back({sounds, 8});
            }
        return choices;
    }

    /// A last bar drawn from lasts().
    std::vector<std::int32_t> last(std::int32_t length) {
        std::vector<std::vector<std::int32_t>> firstHalves;
        if (metre == Metre{4, 4} && length == metre.barTicks())
            firstHalves.push_back(fill(0, 96, false));
        const auto choices = lasts(length, firstHalves);
        std::vector<int> weights;
        for (const auto &choice : choices)
            weights.push_back(choice.second);
        return choices[draws.weighted(weights)].first;
    }

private:
    Draws &draws;
    const DictationLevel &level;
    const Metre metre;
    const DictationLeaning *leaning;
    std::vector<const Cell *> cells;

    /// The leaning's percent of a cell: that of its heaviest beat's figure.
    int leaningOf(const Cell &cell) const {
        std::vector<Struck> struck;
        std::int32_t at = 0;
        for (std::int32_t sound : cell.sounds) {
            struck.push_back({at, sound < 0, true});
            at += std::abs(sound);
        }
        int percent = 0;
        for (std::int32_t beat = 0; beat < at; beat += metre.beatTicks()) {
            const auto found = leaning->figures.find(figureOf(struck, beat, metre.beatTicks()));
            percent = std::max(percent, found == leaning->figures.end() ? 100 : found->second);
        }
        return std::max(1, percent);
    }

    /// The cells that may begin at `from` and end by `to`.
    std::vector<const Cell *> fits(std::int32_t from, std::int32_t to, bool restUsed,
                                   bool sounding) const {
        std::vector<const Cell *> fitting;
        for (const Cell *cell : cells) {
            const std::int32_t ticks = span(cell->sounds);
            if (from + ticks > to || (restUsed && hasRest(cell->sounds)) ||
                (sounding && cell->sounds.front() < 0))
                continue;
            // A cell of one sound must be writable as one value where it falls.
            if (cell->sounds.size() == 1 &&
                !writable(metre, from, ticks, cell->sounds[0] < 0, false))
                continue;
            fitting.push_back(cell);
        }
        return fitting;
    }

    /// Whether the level has the rests that write `ticks` of silence at `position`.
    bool restsWrite(std::int32_t position, std::int32_t ticks) const {
        for (const NoteValue &value : writtenValues(metre, position, ticks, true, false))
            if (value.ticks() >= ticksPerQuarter ? !level.rhythm.rests : !level.rhythm.eighthRests)
                return false;
        return true;
    }
};

/// A sound of an item: its time in ticks from the first full bar's downbeat (an upbeat's are
/// negative), its length, and whether it is a rest.
struct Sound {
    std::int32_t time;
    std::int32_t ticks;
    bool rest;
};

std::vector<Sound> soundsOf(const std::vector<std::int32_t> &pickup,
                            const std::vector<std::vector<std::int32_t>> &bars,
                            const std::vector<bool> &tiedOver);

/// The item's rhythm: an upbeat perhaps, the bars, ties over bar lines where the level has them.
std::vector<Sound> makeRhythm(Draws &draws, const DictationLevel &level, const Metre &metre,
                              const DictationLeaning *leaning) {
    RhythmMaker maker(draws, level, metre, leaning);
    const std::int32_t barTicks = metre.barTicks();
    const bool rests = level.rhythm.rests || level.rhythm.eighthRests;
    const int count = level.bars;

    const std::vector<std::int32_t> pickup = maker.pickup();
    const std::int32_t pickupTicks = span(pickup);
    std::vector<std::vector<std::int32_t>> bars(static_cast<std::size_t>(count));
    // A melody pauses twice at most, a rhythm three times; never on its first beat nor in the
    // bar before the final one, which leads to it unbroken.
    int restsLeft = level.rhythmOnly ? 3 : 2;
    for (int b = 0; b + 1 < count; ++b) {
        auto &bar = bars[static_cast<std::size_t>(b)];
        bar = maker.fill(0, barTicks, rests && restsLeft > 0 && b + 2 != count,
                         b == 0 && pickupTicks == 0);
        restsLeft -= hasRest(bar) ? 1 : 0;
    }
    // An eight-bar item's second phrase often begins with the rhythm of the first.
    if (count == 8 && draws.chance(50))
        bars[4] = bars[0], bars[5] = bars[1];
    bars.back() = maker.last(barTicks - pickupTicks);

    // A note held over the bar line into the next bar (not from the first bar, nor into the last
    // two).
    std::vector<bool> tiedOver(static_cast<std::size_t>(count), false);
    int ties = 0;
    for (int b = 1; level.rhythm.tiesOverBar && b + 3 < count && ties < 2; ++b) {
        const auto &here = bars[static_cast<std::size_t>(b)],
                   &next = bars[static_cast<std::size_t>(b) + 1];
        if (here.back() > 0 && next.front() > 0 && draws.chance(20)) {
            tiedOver[static_cast<std::size_t>(b)] = true;
            ++ties;
        }
    }
    return soundsOf(pickup, bars, tiedOver);
}

/// The sounds of an upbeat and bars of cells, a note held over each bar line `tiedOver` marks.
std::vector<Sound> soundsOf(const std::vector<std::int32_t> &pickup,
                            const std::vector<std::vector<std::int32_t>> &bars,
                            const std::vector<bool> &tiedOver) {
    const int count = static_cast<int>(bars.size());
    std::vector<Sound> sounds;
    std::int32_t time = -span(pickup);
    const auto add = [&](std::int32_t sound, bool merge) {
        if (merge)
            sounds.back().ticks += sound;
        else
            sounds.push_back({time, std::abs(sound), sound < 0});
        time += std::abs(sound);
    };
    for (std::int32_t sound : pickup)
        add(sound, false);
    for (int b = 0; b < count; ++b) {
        const auto &bar = bars[static_cast<std::size_t>(b)];
        for (std::size_t k = 0; k < bar.size(); ++k)
            add(bar[k], k == 0 && b > 0 && tiedOver[static_cast<std::size_t>(b) - 1]);
    }
    return sounds;
}

// ---- Harmony and notes ------------------------------------------------------------------------

/// A chord by its root's scale degree: 0 the tonic, 1 the supertonic, 3 the subdominant, 4 the
/// dominant, 5 the submediant.
using Chord = int;
constexpr Chord tonic = 0, dominant = 4;

/// One chord a bar: the tonic first; in eight bars the fourth a half cadence (or a tonic after a
/// dominant) and the fifth the tonic again; a subdominant-like chord in the bar before the last.
std::vector<Chord> makeHarmony(Draws &draws, int count, bool minor) {
    const auto next = [&](Chord from) {
        // Root movements that keep the progression tonal, in major and in minor (no ii° there).
        static const std::map<Chord, std::vector<std::pair<Chord, int>>> major = {
            {0, {{3, 3}, {4, 3}, {5, 2}, {1, 1}, {0, 1}}},
            {1, {{4, 4}, {3, 1}}},
            {3, {{4, 3}, {0, 2}, {1, 1}, {3, 1}}},
            {4, {{0, 3}, {5, 2}, {4, 1}}},
            {5, {{3, 3}, {1, 2}, {4, 2}}},
        };
        static const std::map<Chord, std::vector<std::pair<Chord, int>>> minorMoves = {
            {0, {{3, 3}, {4, 3}, {5, 2}, {0, 1}}},
            {3, {{4, 3}, {0, 2}, {3, 1}}},
            {4, {{0, 3}, {5, 2}, {4, 1}}},
            {5, {{3, 3}, {4, 2}}},
        };
        const auto &moves = (minor ? minorMoves : major).at(from);
        std::vector<int> weights;
        for (const auto &move : moves)
            weights.push_back(move.second);
        return moves[draws.weighted(weights)].first;
    };
    std::vector<Chord> chords(static_cast<std::size_t>(count), tonic);
    for (int b = 1; b + 1 < count; ++b)
        chords[static_cast<std::size_t>(b)] = next(chords[static_cast<std::size_t>(b) - 1]);
    if (count == 8) {
        if (draws.chance(60))
            chords[3] = dominant;
        else
            chords[2] = dominant, chords[3] = tonic;
        chords[4] = tonic;
    }
    if (count >= 4) {
        static const std::vector<Chord> beforeDominant = {3, 3, 3, 1, 0, 5};
        Chord chord;
        do
            chord = beforeDominant[static_cast<std::size_t>(draws.below(6))];
        while (minor && chord == 1);
        chords[static_cast<std::size_t>(count) - 2] = chord;
    }
    return chords;
}

/// A note of the melody: scale steps above the tonic of octave 4, raised above the signature.
struct Choice {
    int step = 0;
    int raise = 0;
    bool operator==(const Choice &) const = default;
};

int degreeOf(int step) {
    return (step % 7 + 7) % 7;
}

/// A note to be found: its chord, whether it falls where the harmony must sound, and whether it
/// moves fast (a sixteenth, or after one), where leaps are rare.
struct Slot {
    Chord chord;
    bool strong;
    bool fast = false;
};

/// Finds the notes of a melody one by one, backtracking when a note leaves no way on.
class MelodySearch {
public:
    /// Without `draws` the notes are tried in order, lowest first.
    /// `leaning`, when given, is not empty.
    MelodySearch(Draws *draws, const DictationLevel &level, const Key &key, int low, int high,
                 int finalStep, std::vector<Slot> slots, const DictationLeaning *leaning = nullptr)
        : draws(draws), level(level), key(key), low(low), high(high), finalStep(finalStep),
          slots(std::move(slots)), leaning(leaning) {}

    std::optional<std::vector<Choice>> run(int budget) {
        const std::size_t count = slots.size();
        chosen.assign(count, {});
        std::vector<std::vector<Choice>> options(count);
        std::vector<std::size_t> tried(count, 0);
        options[0] = candidates(0);
        std::size_t k = 0;
        while (budget-- > 0) {
            if (tried[k] == options[k].size()) {
                if (k == 0)
                    return std::nullopt;
                --k;
                continue;
            }
            chosen[k] = options[k][tried[k]++];
            if (k + 1 == count)
                return chosen;
            ++k;
            options[k] = candidates(k);
            tried[k] = 0;
        }
        return std::nullopt;
    }

    /// Every melody the rules allow, in order.
    std::vector<std::vector<Choice>> all() {
        std::vector<std::vector<Choice>> found;
        chosen.assign(slots.size(), {});
        const auto extend = [&](const auto &self, std::size_t k) -> void {
            for (const Choice &choice : candidates(k)) {
                chosen[k] = choice;
                if (k + 1 == slots.size())
                    found.push_back(chosen);
                else
                    self(self, k + 1);
            }
        };
        extend(extend, 0);
        return found;
    }

private:
    Draws *draws;
    const DictationLevel &level;
    const Key key;
    const int low, high, finalStep;
    const std::vector<Slot> slots;
    const DictationLeaning *leaning;
    std::vector<Choice> chosen;

    /// The height the line leans towards at note `k`.
    int archAt(std::size_t k) const {
        const int count = static_cast<int>(slots.size()), at = static_cast<int>(k);
        const int rise = std::max(1, count * 2 / 3), start = low + (high - low) / 4;
        if (at <= rise)
            return start + (high - start) * at / rise;
        return high + (finalStep - high) * (at - rise) / std::max(1, count - 1 - rise);
    }

    Pitch pitchOf(const Choice &choice) const {
        return scalePitch(key, 4, choice.step, choice.raise);
    }

    bool chordTone(Chord chord, const Choice &choice) const {
        const int degree = degreeOf(choice.step);
        const bool member =
            degree == chord || degree == (chord + 2) % 7 || degree == (chord + 4) % 7;
        // The dominant's third in minor is the raised 7th; every other chord note is diatonic.
        return member && choice.raise == (key.minor && chord == dominant && degree == 6 ? 1 : 0);
    }

    /// Whether the diminished fourth from the 3rd down to the raised 7th is allowed here.
    bool diminishedFourth(const Choice &from, const Choice &to) const {
        return level.diminishedFourth && key.minor && degreeOf(from.step) == 2 && from.raise == 0 &&
               degreeOf(to.step) == 6 && to.raise == 1 && to.step - from.step == -3;
    }

    bool allowed(std::size_t k, const Choice &here) const {
        const int degree = degreeOf(here.step);
        const std::size_t last = slots.size() - 1;
        if (here.step < low || here.step > high)
            return false;
        if (k == last && (here.step != finalStep || here.raise != 0))
            return false;
        if (k + 1 == last && std::abs(here.step - finalStep) != 1)
            return false;
        const bool isChordTone = chordTone(slots[k].chord, here);
        if ((slots[k].strong || k == 0) && !isChordTone)
            return false;
        if (k == 0)
            return true;
        const Choice &before = chosen[k - 1];
        const int move = here.step - before.step, size = std::abs(move);
        if (size > level.largestLeap || size == 6 || size > 7)
            return false;
        // The cadence is reached smoothly: no wide leap to the note before the final tonic.
        if (k + 1 == last && size > 3)
            return false;
        // Notes outside the chord are passing or neighbour notes: reached and left by step.
        if (!isChordTone && size != 1)
            return false;
        if (!chordTone(slots[k - 1].chord, before) && size != 1)
            return false;
        if (k >= 2) {
            const Choice &earlier = chosen[k - 2];
            const int previous = before.step - earlier.step;
            if (here == before && before == earlier)
                return false;
            if (std::abs(previous) >= 4 && (size != 1 || (move > 0) == (previous > 0)))
                return false;
            if (diminishedFourth(earlier, before) && (move != 1 || degree != 0))
                return false;
            // No fourth leap in a row.
            int leaps = size >= 2 ? 1 : 0;
            for (std::size_t j = k - 1; leaps > 0 && j >= 1; --j) {
                if (std::abs(chosen[j].step - chosen[j - 1].step) < 2)
                    break;
                ++leaps;
            }
            if (leaps > 3)
                return false;
        }
        if (intervalBetween(pitchOf(before), pitchOf(here)).altered &&
            !diminishedFourth(before, here))
            return false;
        // The minor's 6th and 7th: the raised 6th rises to the raised 7th, which never falls by
        // step; the natural 7th only falls to the natural 6th (so it never rises to the tonic).
        if (key.minor) {
            const int from = degreeOf(before.step);
            if (from == 5 && before.raise == 1 && !(degree == 6 && here.raise == 1 && move == 1))
                return false;
            if (from == 6 && before.raise == 1 && move == -1)
                return false;
            if (from == 6 && before.raise == 0 && !(here == before) &&
                !(degree == 5 && here.raise == 0 && move == -1))
                return false;
        }
        return true;
    }

    /// The notes allowed at `k`, in an order drawn with a preference for steps.
    std::vector<Choice> candidates(std::size_t k) {
        std::vector<Choice> options;
        std::vector<int> weights;
        const int from = k == 0 ? low : std::max(low, chosen[k - 1].step - level.largestLeap);
        const int to = k == 0 ? high : std::min(high, chosen[k - 1].step + level.largestLeap);
        for (int step = from; step <= to; ++step)
            for (int raise = 0; raise <= 1; ++raise) {
                const int degree = degreeOf(step);
                if (raise == 1 &&
                    !(key.minor && (degree == 6 || (degree == 5 && level.raisedSixth))))
                    continue;
                const Choice choice{step, raise};
                if (!allowed(k, choice))
                    continue;
                // Steps are likeliest, thirds next; fast notes leap little.
                static constexpr std::array<int, 8> bySize = {2, 10, 5, 3, 2, 2, 0, 1};
                static constexpr std::array<int, 8> fastBySize = {1, 12, 3, 0, 0, 0, 0, 0};
                const auto size =
                    static_cast<std::size_t>(k == 0 ? 0 : std::abs(step - chosen[k - 1].step));
                // The line arches: it leans towards a height that rises to the top of the window
                // two thirds of the way through and falls to the final tonic.
                const int lean = std::max(0, 3 - std::abs(step - archAt(k)));
                options.push_back(choice);
                weights.push_back((k == 0 ? 1 : (slots[k].fast ? fastBySize : bySize)[size]) *
                                  (1 + lean));
                if (leaning && k > 0)
                    weights.back() *= percentOf(leaning->intervals, step - chosen[k - 1].step);
            }
        if (!draws)
            return options;
        // A weighted shuffle: each next option drawn by the weights of those left; those of no
        // weight are kept, in order, for when nothing else leads on.
        std::vector<Choice> ordered, lastResort;
        for (std::size_t j = options.size(); j-- > 0;)
            if (weights[j] == 0) {
                lastResort.insert(lastResort.begin(), options[j]);
                options.erase(options.begin() + static_cast<std::ptrdiff_t>(j));
                weights.erase(weights.begin() + static_cast<std::ptrdiff_t>(j));
            }
        ordered.reserve(options.size() + lastResort.size());
        while (!options.empty()) {
            const std::size_t pick = draws->weighted(weights);
            ordered.push_back(options[pick]);
            options.erase(options.begin() + static_cast<std::ptrdiff_t>(pick));
            weights.erase(weights.begin() + static_cast<std::ptrdiff_t>(pick));
        }
        ordered.insert(ordered.end(), lastResort.begin(), lastResort.end());
        return ordered;
    }
};

// ---- Writing the bars -------------------------------------------------------------------------

/// Writes the sounds into bars by the notation rules; `pitches` holds one pitch for each note.
std::vector<Bar> writeBars(const Metre &metre, const std::vector<Sound> &sounds,
                           const std::vector<Pitch> &pitches, std::int32_t pickup, int count,
                           bool syncopation) {
    const std::int32_t barTicks = metre.barTicks();
    std::vector<Bar> bars(static_cast<std::size_t>(count) + (pickup > 0 ? 1 : 0));
    if (pickup > 0)
        bars.front().pickup = true;
    std::size_t pitch = 0;
    for (const Sound &sound : sounds) {
        const std::optional<Pitch> notePitch =
            sound.rest ? std::nullopt : std::optional<Pitch>(pitches[pitch++]);
        std::int32_t time = sound.time, left = sound.ticks;
        while (left > 0) {
            // The bar this part falls in, and where in a full bar it stands.
            const std::int32_t bar = time < 0 ? -1 : time / barTicks;
            const std::int32_t barEnd = (bar + 1) * barTicks;
            const std::int32_t part = std::min(left, barEnd - time);
            const std::int32_t position = time - bar * barTicks;
            auto &notes = bars[static_cast<std::size_t>(bar + (pickup > 0 ? 1 : 0))].upper;
            const auto values = writtenValues(metre, position, part, sound.rest, syncopation);
            for (std::size_t v = 0; v < values.size(); ++v) {
                const bool more = v + 1 < values.size() || part < left;
                notes.push_back({notePitch, values[v], more && !sound.rest});
            }
            time += part;
            left -= part;
        }
    }
    return bars;
}

bool barsRepeatTooOften(const std::vector<Bar> &bars) {
    for (const Bar &bar : bars)
        if (std::count(bars.begin(), bars.end(), bar) > 2)
            return true;
    return false;
}

/// Everything of an item but its notes' pitches.
struct Frame {
    Key key;
    Metre metre;
    std::int32_t tempo = 72;
};

Frame drawFrame(Draws &draws, const DictationLevel &level) {
    Frame frame;
    if (!level.rhythmOnly) {
        frame.key.fifths = static_cast<std::int8_t>(draws.below(2 * level.maxAccidentals + 1) -
                                                    level.maxAccidentals);
        frame.key.minor = level.minor && draws.chance(50);
    }
    frame.metre =
        level.metres[static_cast<std::size_t>(draws.below(static_cast<int>(level.metres.size())))];
    frame.tempo = level.slowest + draws.below(level.fastest - level.slowest + 1);
    // In 6/8 the dotted quarter's tempo is a whole number: two thirds of the quarter's.
    if (frame.metre.compound())
        frame.tempo =
            std::max(level.slowest + 2 - (level.slowest + 2) % 3, frame.tempo - frame.tempo % 3);
    return frame;
}

/// What each note of a melody must be: the chord it falls in, and whether it must sound that
/// chord (first note, downbeat, middle of the bar, held over a bar line, or sounding on the last
/// beat before the final tonic, which is the dominant's).
std::vector<Slot> slotsOf(const std::vector<Sound> &sounds, const Metre &metre,
                          const std::vector<Chord> &chords) {
    std::vector<const Sound *> notes;
    for (const Sound &sound : sounds)
        if (!sound.rest)
            notes.push_back(&sound);
    const std::int32_t barTicks = metre.barTicks(), beat = metre.beatTicks();
    const std::int32_t final = notes.back()->time, lastBeat = final - beat;
    // The dominant sounds from the last beat before the final tonic, or from the note that
    // sounds on that beat or leads to the tonic if it starts earlier.
    std::int32_t dominantFrom = std::min(lastBeat, notes[notes.size() - 2]->time);
    for (const Sound *note : notes)
        if (note->time < final && note->time + note->ticks > lastBeat)
            dominantFrom = std::min(dominantFrom, note->time);
    const auto chordAt = [&](std::int32_t time) {
        if (time >= final)
            return tonic;
        if (time >= dominantFrom)
            return dominant;
        return time < 0 ? tonic : chords[static_cast<std::size_t>(time / barTicks)];
    };
    std::vector<Slot> slots;
    std::int32_t previousTicks = ticksPerQuarter;
    for (const Sound *note : notes) {
        const std::int32_t position = (note->time % barTicks + barTicks) % barTicks;
        const std::int32_t barEnd = note->time < 0 ? 0 : (note->time / barTicks + 1) * barTicks;
        const bool overBar = note->time + note->ticks > barEnd;
        const bool onLastBeat = note->time <= lastBeat && note->time + note->ticks > lastBeat;
        std::int32_t at = note->time;
        if (onLastBeat)
            at = lastBeat;
        else if (overBar)
            at = barEnd; // held into the next bar, it anticipates that bar's chord
        // The harmony sounds on the downbeat and the middle of the bar (4/4's third beat, 6/8's
        // second); other beats and the notes between them may pass by step.
        const bool strong = position == 0 || (position * 2 == barTicks && metre.beats != 2);
        slots.push_back({note == notes.front() ? tonic : chordAt(at),
                         strong || overBar || onLastBeat || note == notes.front(),
                         std::min(previousTicks, note->ticks) < ticksPerQuarter / 2});
        previousTicks = note->ticks;
    }
    return slots;
}

/// The tonics (scale steps from the tonic of octave 4) that lie between `low` and `high`.
std::vector<int> tonicsBetween(int low, int high) {
    std::vector<int> tonics;
    for (int step : {-7, 0, 7})
        if (step >= low && step <= high)
            tonics.push_back(step);
    return tonics;
}

/// The lowest steps of the windows of the level's range that lie between A3 and A5 and hold a
/// tonic to end on.
std::vector<int> windowLows(const DictationLevel &level, const Key &key) {
    const int tonicStaff = static_cast<int>(key.tonic().first);
    std::vector<int> lows;
    for (int low = -2 - tonicStaff; low + level.range <= 12 - tonicStaff; ++low)
        if (!tonicsBetween(low, low + level.range).empty())
            lows.push_back(low);
    return lows;
}

Score assemble(const Frame &frame, const DictationLevel &level, const std::vector<Sound> &sounds,
               const std::vector<Pitch> &pitches) {
    Score score;
    score.key = frame.key;
    score.metre = frame.metre;
    score.tempo = frame.tempo;
    const std::int32_t pickup = -sounds.front().time;
    score.bars =
        writeBars(frame.metre, sounds, pitches, pickup, level.bars, level.rhythm.syncopation);
    return score;
}

std::vector<Pitch> pitchesOf(const Key &key, const std::vector<Choice> &choices) {
    std::vector<Pitch> pitches;
    for (const Choice &choice : choices)
        pitches.push_back(scalePitch(key, 4, choice.step, choice.raise));
    return pitches;
}

/// One try at an item with the frame's key and metre; nothing when the notes found no way.
std::optional<Score> tryItem(Draws &draws, const DictationLevel &level, const Frame &frame,
                             const DictationLeaning *leaning) {
    const std::vector<Sound> sounds = makeRhythm(draws, level, frame.metre, leaning);
    std::vector<Pitch> pitches;
    if (level.rhythmOnly) {
        const auto notes = std::count_if(sounds.begin(), sounds.end(),
                                         [](const Sound &sound) { return !sound.rest; });
        pitches.assign(static_cast<std::size_t>(notes), Pitch{Step::C, 0, 5});
    } else {
        const std::vector<Chord> chords = makeHarmony(draws, level.bars, frame.key.minor);
        const std::vector<int> lows = windowLows(level, frame.key);
        const int low = lows[static_cast<std::size_t>(draws.below(static_cast<int>(lows.size())))];
        const std::vector<int> finals = tonicsBetween(low, low + level.range);
        const int finalStep =
            finals[static_cast<std::size_t>(draws.below(static_cast<int>(finals.size())))];
        MelodySearch search(&draws, level, frame.key, low, low + level.range, finalStep,
                            slotsOf(sounds, frame.metre, chords), leaning);
        const auto found = search.run(4000);
        if (!found)
            return std::nullopt;
        pitches = pitchesOf(frame.key, *found);
    }
    Score score = assemble(frame, level, sounds, pitches);
    if (barsRepeatTooOften(score.bars))
        return std::nullopt;
    return score;
}

/// Every item of a level whose items are few (a two-bar level, without an upbeat or ties), for
/// its one metre and key, in an order shuffled once by the level's number: consecutive seeds then
/// give different items until all have come. Drawn at random instead, a handful of seeds would
/// already repeat one.
const std::vector<Score> &listedItems(const DictationLevel &level) {
    static std::mutex guard;
    const std::lock_guard lock(guard);
    static std::map<int, std::vector<Score>> lists;
    if (const auto known = lists.find(level.number); known != lists.end())
        return known->second;
    Draws unused(0, level.number);
    Frame frame;
    frame.metre = level.metres.front();
    RhythmMaker maker(unused, level, frame.metre);
    const std::vector<Chord> chords(static_cast<std::size_t>(level.bars), tonic);
    std::vector<Score> items;
    const std::int32_t barTicks = frame.metre.barTicks();
    for (const auto &first : maker.allFills(0, barTicks, false, true))
        for (const auto &last : maker.lasts(barTicks, maker.allFills(0, barTicks / 2, false))) {
            const std::vector<Sound> sounds = soundsOf({}, {first, last.first}, {false, false});
            const std::vector<Slot> slots = slotsOf(sounds, frame.metre, chords);
            for (int low : windowLows(level, frame.key))
                for (int finalStep : tonicsBetween(low, low + level.range)) {
                    MelodySearch search(nullptr, level, frame.key, low, low + level.range,
                                        finalStep, slots);
                    for (const auto &melody : search.all())
                        items.push_back(
                            assemble(frame, level, sounds, pitchesOf(frame.key, melody)));
                }
        }
    // Windows overlap, so a melody may be found more than once.
    std::vector<Score> distinct;
    for (Score &item : items)
        if (std::find(distinct.begin(), distinct.end(), item) == distinct.end())
            distinct.push_back(std::move(item));
    Draws order(0, level.number);
    for (std::size_t k = distinct.size(); k > 1; --k)
        std::swap(distinct[k - 1],
                  distinct[static_cast<std::size_t>(order.below(static_cast<int>(k)))]);
    return lists[level.number] = std::move(distinct);
}

} // namespace

Score generateDictation(const DictationLevel &level, std::uint32_t seed) {
    return generateDictation(level, seed, DictationLeaning{});
}

Score generateDictation(const DictationLevel &level, std::uint32_t seed,
                        const DictationLeaning &leaning) {
    const DictationLeaning *leaned = leaning.empty() ? nullptr : &leaning;
    Draws draws(seed, level.number);
    const Frame frame = drawFrame(draws, level);
    if (level.bars == 2 && !level.rhythm.pickup && !level.rhythm.tiesOverBar &&
        level.metres.size() == 1 && level.maxAccidentals == 0 && !level.minor) {
        const std::vector<Score> &items = listedItems(level);
        Score item = items[seed % items.size()];
        item.tempo = frame.tempo;
        return item;
    }
    std::optional<Score> score;
    for (int attempt = 0; attempt < 1000 && !score; ++attempt)
        score = tryItem(draws, level, frame, leaned);
    if (score)
        return *score;
    Score empty;
    empty.key = frame.key, empty.metre = frame.metre, empty.tempo = frame.tempo;
    return empty;
}

std::vector<std::vector<std::string>> rhythmFigures(const Score &score) {
    const std::int32_t barTicks = score.metre.barTicks(), beat = score.metre.beatTicks();
    std::vector<std::vector<std::string>> figures;
    bool tied = false;
    for (const Bar &bar : score.bars) {
        std::int32_t length = 0;
        for (const Note &note : bar.upper)
            length += note.value.ticks();
        // A pickup's notes stand at the end of a full bar.
        const std::int32_t from = bar.pickup ? barTicks - length : 0, to = from + length;
        std::vector<Struck> struck;
        std::int32_t at = from;
        for (const Note &note : bar.upper) {
            struck.push_back({at, note.isRest(), !tied});
            tied = note.tieToNext && !note.isRest();
            at += note.value.ticks();
        }
        std::vector<std::string> beats;
        for (std::int32_t start = 0; start < barTicks; start += beat)
            beats.push_back(start + beat <= from || start >= to ? std::string()
                                                                : figureOf(struck, start, beat));
        figures.push_back(std::move(beats));
    }
    return figures;
}

} // namespace miminomi::music
