// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ExamMarking.h"

#include "music/DictationGenerator.h"
#include "music/Tonality.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace miminomi {

namespace {

using music::Bar;
using music::Note;
using music::Pitch;

/// What is marked as one note: a note (with those tied to it in the bar) or, in a rhythm item,
/// a rest; its onset in the full bar's ticks.
struct Element {
    std::int32_t onset = 0;
    std::int32_t length = 0;
    std::optional<Pitch> pitch;
    /// Continues a note tied over the bar line before.
    bool tiedIn = false;
    /// Its notes' indexes in the bar's first voice.
    std::vector<std::size_t> notes;
};

std::int32_t lengthOf(const Bar &bar) {
    std::int32_t ticks = 0;
    for (const Note &note : bar.upper)
        ticks += note.value.ticks();
    return ticks;
}

/// The elements of a bar; `tiedIn` when the bar before ends on a note tied over the bar line.
/// An upbeat's notes (`pickup`, as the item has it) end at the bar line.
std::vector<Element> elementsOf(const Bar &bar, bool pickup, std::int32_t fullBar, bool tiedIn,
                                bool rhythmOnly) {
    std::vector<Element> elements;
    std::int32_t at = pickup ? std::max(0, fullBar - lengthOf(bar)) : 0;
    bool tied = tiedIn;
    bool joins = false;
    for (std::size_t k = 0; k < bar.upper.size(); ++k) {
        const Note &note = bar.upper[k];
        const std::int32_t ticks = note.value.ticks();
        if (note.isRest() && !rhythmOnly) {
            joins = tied = false;
        } else if (joins && !note.isRest()) {
            elements.back().length += ticks;
            elements.back().notes.push_back(k);
        } else {
            elements.push_back({at, ticks, note.pitch, tied && !note.isRest() && k == 0, {k}});
        }
        joins = !note.isRest() && note.tieToNext;
        tied = false;
        at += ticks;
    }
    return elements;
}

bool endsTied(const Bar &bar) {
    return !bar.upper.empty() && !bar.upper.back().isRest() && bar.upper.back().tieToNext;
}

struct Judged {
    bool pitch = false;
    bool rhythm = false;
};

Judged judge(const Element &item, const Element &written, bool rhythmOnly) {
    Judged wrong;
    wrong.rhythm = item.onset != written.onset || item.length != written.length ||
                   item.tiedIn != written.tiedIn ||
                   item.pitch.has_value() != written.pitch.has_value();
    // A tied note's continuation was marked for pitch where it was struck.
    if (!rhythmOnly && !(item.tiedIn && written.tiedIn))
        wrong.pitch = item.pitch != written.pitch;
    return wrong;
}

/// Half shares lost: a pitch or a rhythm error 1 each (a rhythm item's rhythm error 2), a
/// missing or extra note 2.
int halvesLost(const Judged &wrong, bool rhythmOnly) {
    return rhythmOnly ? (wrong.rhythm ? 2 : 0) : int(wrong.pitch) + int(wrong.rhythm);
}

ExamMark markOf(const Judged &wrong) {
    return wrong.pitch && wrong.rhythm ? ExamMark::pitchAndRhythm
           : wrong.pitch               ? ExamMark::pitch
           : wrong.rhythm              ? ExamMark::rhythm
                                       : ExamMark::right;
}

/// The pairs of item and written elements that an edit distance aligns, fewest shares lost
/// first and, among those, nearest onsets; -1 stands for no partner.
std::vector<std::pair<int, int>> align(const std::vector<Element> &item,
                                       const std::vector<Element> &written, bool rhythmOnly) {
    constexpr std::int64_t half = 1 << 20;
    const std::size_t m = item.size(), n = written.size();
    std::vector<std::vector<std::int64_t>> cost(m + 1, std::vector<std::int64_t>(n + 1));
    for (std::size_t i = 0; i <= m; ++i)
        for (std::size_t j = 0; j <= n; ++j) {
            if (i == 0 && j == 0)
                continue;
            std::int64_t best = std::numeric_limits<std::int64_t>::max();
            if (i > 0)
                best = std::min(best, cost[i - 1][j] + 2 * half);
            if (j > 0)
                best = std::min(best, cost[i][j - 1] + 2 * half);
            if (i > 0 && j > 0)
                best = std::min(best, cost[i - 1][j - 1] +
                                          halvesLost(judge(item[i - 1], written[j - 1], rhythmOnly),
                                                     rhythmOnly) *
                                              half +
                                          std::abs(item[i - 1].onset - written[j - 1].onset));
            cost[i][j] = best;
        }
    std::vector<std::pair<int, int>> pairs;
    std::size_t i = m, j = n;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 &&
            cost[i][j] ==
                cost[i - 1][j - 1] +
                    halvesLost(judge(item[i - 1], written[j - 1], rhythmOnly), rhythmOnly) * half +
                    std::abs(item[i - 1].onset - written[j - 1].onset)) {
            pairs.push_back({int(--i), int(--j)});
        } else if (i > 0 && cost[i][j] == cost[i - 1][j] + 2 * half) {
            pairs.push_back({int(--i), -1});
        } else {
            pairs.push_back({-1, int(--j)});
        }
    }
    std::reverse(pairs.begin(), pairs.end());
    return pairs;
}

/// Where an error stands and what the item asks there.
struct Place {
    const music::Score &item;
    const std::vector<std::vector<std::string>> &figures;
    bool rhythmOnly;

    ExamError at(ExamErrorKind kind, std::size_t bar, const Element &element) const {
        ExamError error;
        error.kind = kind;
        error.bar = static_cast<int>(bar) + 1;
        const std::int32_t beat = item.metre.beatTicks();
        error.beat = element.onset / beat + 1;
        error.sixteenth = element.onset % beat / (music::ticksPerQuarter / 4);
        const auto &beats = figures[bar];
        if (static_cast<std::size_t>(error.beat - 1) < beats.size())
            error.figure = beats[static_cast<std::size_t>(error.beat - 1)];
        if (element.pitch && !rhythmOnly) {
            const music::ScaleDegree degree = music::scaleDegree(item.key, *element.pitch);
            error.degree = degree.degree + 1;
            error.alter = degree.raise;
        }
        return error;
    }
};

} // namespace

ExamMarking markExam(const music::Score &item, const music::Score &written, bool rhythmOnly) {
    ExamMarking marking;
    const std::int32_t fullBar = item.metre.barTicks();
    const auto figures = music::rhythmFigures(item);
    const Place place{item, figures, rhythmOnly};
    std::int32_t total = 0;
    for (const Bar &bar : item.bars)
        total += lengthOf(bar);

    marking.bars = static_cast<int>(item.bars.size());
    std::optional<Pitch> before; // the item's note struck last
    for (std::size_t b = 0; b < item.bars.size(); ++b) {
        const Bar &itemBar = item.bars[b];
        const Bar empty{{}, {}, itemBar.pickup};
        const Bar &writtenBar = b < written.bars.size() ? written.bars[b] : empty;
        const auto items = elementsOf(itemBar, itemBar.pickup, fullBar,
                                      b > 0 && endsTied(item.bars[b - 1]), rhythmOnly);
        const auto writtens = elementsOf(
            writtenBar, itemBar.pickup, fullBar,
            b > 0 && b - 1 < written.bars.size() && endsTied(written.bars[b - 1]), rhythmOnly);
        auto &itemMarks = marking.itemMarks.emplace_back(itemBar.upper.size(), ExamMark::unmarked);
        auto &writtenMarks =
            marking.writtenMarks.emplace_back(writtenBar.upper.size(), ExamMark::unmarked);

        std::vector<std::pair<std::int32_t, ExamError>> errors; // by onset
        int halves = 0;
        for (const auto &[i, j] : align(items, writtens, rhythmOnly)) {
            if (i < 0) {
                const Element &extra = writtens[static_cast<std::size_t>(j)];
                for (std::size_t k : extra.notes)
                    writtenMarks[k] = ExamMark::extra;
                halves += 2;
                errors.push_back({extra.onset, place.at(ExamErrorKind::extra, b, extra)});
                continue;
            }
            const Element &asked = items[static_cast<std::size_t>(i)];
            ExamError error = place.at(ExamErrorKind::missing, b, asked);
            if (asked.pitch && before && !asked.tiedIn && !rhythmOnly) {
                const music::Interval move = music::intervalBetween(*before, *asked.pitch);
                error.intervalSteps = move.steps;
                error.intervalSemitones = move.semitones;
            }
            if (asked.pitch && !asked.tiedIn)
                before = asked.pitch;
            ExamMark mark = ExamMark::missing;
            if (j < 0) {
                halves += 2;
                errors.push_back({asked.onset, error});
            } else {
                const Element &answer = writtens[static_cast<std::size_t>(j)];
                const Judged wrong = judge(asked, answer, rhythmOnly);
                mark = markOf(wrong);
                halves += halvesLost(wrong, rhythmOnly);
                for (std::size_t k : answer.notes)
                    writtenMarks[k] = mark;
                if (wrong.pitch) {
                    error.kind = ExamErrorKind::pitch;
                    error.enharmonic =
                        asked.pitch && answer.pitch && asked.pitch->midi() == answer.pitch->midi();
                    errors.push_back({asked.onset, error});
                    error.enharmonic = false;
                }
                if (wrong.rhythm) {
                    error.kind = ExamErrorKind::rhythm;
                    errors.push_back({asked.onset, error});
                }
            }
            for (std::size_t k : asked.notes)
                itemMarks[k] = mark;
        }

        const double share = total > 0 ? 100.0 * lengthOf(itemBar) / total : 0;
        const double points =
            items.empty() ? (halves == 0 ? share : 0)
                          : share * std::max(0.0, 1.0 - halves / (2.0 * double(items.size())));
        marking.barPoints.push_back(points);
        marking.points += points;
        if (halves == 0)
            ++marking.barsRight;
        std::stable_sort(errors.begin(), errors.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (auto &[onset, error] : errors)
            marking.errors.push_back(std::move(error));
    }
    marking.score = static_cast<int>(std::floor(marking.points + 0.5 + 1e-9));
    return marking;
}

std::vector<StoredExamError> storedErrorsOf(const ExamMarking &marking) {
    static_assert(static_cast<int>(ExamErrorKind::extra) ==
                  static_cast<int>(StoredExamError::Kind::extra));
    std::vector<StoredExamError> stored;
    for (const ExamError &error : marking.errors) {
        StoredExamError each;
        each.kind = static_cast<StoredExamError::Kind>(static_cast<int>(error.kind));
        each.bar = error.bar;
        each.beat = error.beat - 1;
        each.sixteenth = error.sixteenth;
        each.degree = error.degree;
        each.alteration = error.alter;
        each.intervalSteps = error.intervalSteps;
        each.intervalSemitones = error.intervalSemitones;
        each.figure = error.figure;
        stored.push_back(each);
    }
    return stored;
}

} // namespace miminomi
