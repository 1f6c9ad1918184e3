// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How well the program marks dictation, against what an exam marker would judge, on the forty
// pieces in data/: simulated learners tap the rhythms and enter the melodies, right or with one
// fault, and the grades proposed are counted.
//
//   bench_dictation_quality [trials]   trials per rhythm piece and condition (default 200)
//
// Taps are the piece's onsets stretched by a steady tempo factor (1.04: 4 % slower), moved by a
// constant shift drawn from 0–400 ms (output latency and reaction) and by Gaussian jitter. Every
// random draw comes from one seeded generator, so a run repeats exactly.
#include "practice/Dictation.h"
#include "practice/PieceNotes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace miminomi;
using Clock = std::chrono::steady_clock;

std::vector<PieceNotes> readPieces(const char *kind) {
    std::vector<PieceNotes> pieces;
    for (int number = 1; number <= 20; ++number) {
        const std::string path =
            std::string(MIMINOMI_SOURCE_DIR) + "/data/" + kind + std::to_string(number) + ".mid";
        auto read = PieceNotes::read(path);
        if (!read) {
            std::fprintf(stderr, "%s cannot be read (problem %d)\n", path.c_str(),
                         static_cast<int>(read.reason()));
            std::exit(1);
        }
        pieces.push_back(std::move(read).value());
    }
    return pieces;
}

/// Times every marking it runs.
struct Timer {
    Dictation mark(const PieceNotes &piece, const std::vector<double> &taps) {
        const auto start = Clock::now();
        Dictation marked = markRhythm(piece, taps);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        return marked;
    }
    /// Mean, 99.9th percentile and longest, in ms.
    std::string summary() {
        std::sort(times.begin(), times.end());
        double total = 0;
        for (const double ms : times)
            total += ms;
        char text[160];
        std::snprintf(text, sizeof text,
                      "%zu markings: mean %.3f ms, 99.9 %% within %.3f ms, longest %.3f ms",
                      times.size(), total / static_cast<double>(times.size()),
                      times[times.size() * 999 / 1000], times.back());
        return text;
    }
    std::vector<double> times;
};

/// A learner tapping the piece's onsets: stretched by `tempo`, shifted by 0–400 ms, jittered.
std::vector<double> tapsOf(const PieceNotes &piece, double tempo, double sigma,
                           std::mt19937 &random) {
    const double shift = std::uniform_real_distribution<double>(0, 0.4)(random);
    std::normal_distribution<double> jitter(0, sigma);
    std::vector<double> taps;
    for (const PieceNotes::Note &note : piece.notes)
        taps.push_back(shift + tempo * note.onsetSeconds + jitter(random));
    return taps;
}

double anyTempo(std::mt19937 &random) {
    return std::uniform_real_distribution<double>(0.96, 1.04)(random);
}

double percent(long part, long whole) {
    return whole == 0 ? 0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

std::string name(const char *kind, std::size_t index) {
    return kind + std::to_string(index + 1);
}

} // namespace

int main(int argc, char **argv) {
    std::printf("$");
    for (int k = 0; k < argc; ++k)
        std::printf(" %s", argv[k]);
    std::printf("\n\n");
    const int trials = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const int fewer = std::max(10, trials / 10); // per note, per moved tap, per pair
    const std::vector<PieceNotes> rhythms = readPieces("risum"), melodies = readPieces("melody");
    std::mt19937 random(20240601);
    Timer timer;

    std::printf("## Rhythm pieces\n\n| piece | notes | beat s | tolerance ms, smallest–largest "
                "|\n|---|---|---|---|\n");
    for (std::size_t p = 0; p < rhythms.size(); ++p) {
        double smallest = 1e9, largest = 0;
        for (std::size_t k = 0; k < rhythms[p].notes.size(); ++k) {
            smallest = std::min(smallest, tapTolerance(rhythms[p], k));
            largest = std::max(largest, tapTolerance(rhythms[p], k));
        }
        std::printf("| %s | %zu | %.3f | %.0f–%.0f |\n", name("risum", p).c_str(),
                    rhythms[p].notes.size(), rhythms[p].beatSeconds, 1000 * smallest,
                    1000 * largest);
    }

    const std::vector<double> sigmas{0.020, 0.030, 0.040};
    const std::vector<double> tempos{0.95, 0.96, 0.98, 1.00, 1.02, 1.04, 1.05};
    std::printf("\n## The rhythm as heard: share proposed よくできた (grade 0)\n\n%d trials per "
                "piece and cell, 20 pieces; shift 0–400 ms; columns: tempo factor (1.04 = 4 %% "
                "slower)\n\n| jitter σ |",
                trials);
    for (const double tempo : tempos)
        std::printf(" ×%.2f |", tempo);
    std::printf("\n|---|");
    for (std::size_t k = 0; k < tempos.size(); ++k)
        std::printf("---|");
    std::printf("\n");
    std::map<std::string, long> failures; // piece → trials not grade 0 at σ 20 ms, ±4 %
    long goalTrials = 0;                  // trials at σ 20 ms and tempo within ±4 %
    std::vector<std::vector<long>> notTop(sigmas.size(), std::vector<long>(rhythms.size()));
    for (std::size_t s = 0; s < sigmas.size(); ++s) {
        const double sigma = sigmas[s];
        std::printf("| %.0f ms |", 1000 * sigma);
        for (const double tempo : tempos) {
            long top = 0, all = 0;
            for (std::size_t p = 0; p < rhythms.size(); ++p) {
                for (int trial = 0; trial < trials; ++trial, ++all) {
                    const Dictation marked =
                        timer.mark(rhythms[p], tapsOf(rhythms[p], tempo, sigma, random));
                    if (marked.proposedGrade() == 0)
                        ++top;
                    else
                        ++notTop[s][p];
                    if (sigma < 0.025 && tempo > 0.955 && tempo < 1.045) {
                        ++goalTrials;
                        if (marked.proposedGrade() != 0)
                            ++failures[name("risum", p)];
                    }
                }
            }
            std::printf(" %.2f %% |", percent(top, all));
        }
        std::printf("\n");
    }
    long goalMissed = 0;
    for (const auto &[piece, count] : failures)
        goalMissed += count;
    std::printf("\nGrade 0 at σ 20 ms and tempo within ±4 %%: %.2f %% of %ld\n",
                percent(goalTrials - goalMissed, goalTrials), goalTrials);
    std::printf("Not grade 0 at σ 20 ms and tempo within ±4 %%:");
    for (const auto &[piece, count] : failures)
        std::printf(" %s (%ld of %d)", piece.c_str(), count, 5 * trials);
    std::printf("%s\n", failures.empty() ? " none" : "");
    for (std::size_t s = 0; s < sigmas.size(); ++s) {
        std::printf("Not grade 0 at σ %.0f ms, all tempos, by piece:", 1000 * sigmas[s]);
        const auto none = std::count(notTop[s].begin(), notTop[s].end(), 0);
        for (std::size_t p = 0; p < rhythms.size(); ++p)
            if (notTop[s][p] > 0)
                std::printf(" %s %.2f %%", name("risum", p).c_str(),
                            percent(notTop[s][p], trials * static_cast<long>(tempos.size())));
        std::printf("%s\n", none == static_cast<long>(rhythms.size()) ? " none" : "");
    }

    // One fault in an otherwise right tapping, at σ 20 ms and a tempo within ±4 %.
    long leftOut = 0, leftOutOne = 0, leftOutAll = 0;
    long extraGrade = 0, extraOne = 0, extraAll = 0;
    long moved = 0, movedWrong = 0, movedAll = 0;
    std::map<std::string, long> faultFailures;
    for (std::size_t p = 0; p < rhythms.size(); ++p) {
        const PieceNotes &piece = rhythms[p];
        const double beat = piece.beatSeconds;
        const std::size_t n = piece.notes.size();
        for (std::size_t k = 0; k < n; ++k) {
            const double onset = piece.notes[k].onsetSeconds;
            const double before = k > 0 ? onset - piece.notes[k - 1].onsetSeconds : 1e9;
            const double after = k + 1 < n ? piece.notes[k + 1].onsetSeconds - onset : 1e9;
            // Moved half a beat where it stays between its neighbours' onsets (later if it can).
            const double move = after > beat / 2 ? beat / 2 : before > beat / 2 ? -beat / 2 : 0;
            for (int trial = 0; trial < fewer; ++trial) {
                const double tempo = anyTempo(random);
                std::vector<double> taps = tapsOf(piece, tempo, 0.020, random);

                std::vector<double> without = taps;
                without.erase(without.begin() + static_cast<std::ptrdiff_t>(k));
                const Dictation missing = timer.mark(piece, without);
                ++leftOutAll;
                leftOut += missing.proposedGrade() == 1;
                leftOutOne += missing.missing == 1 && missing.errors() == 1 && !missing.notesGot[k];
                if (missing.proposedGrade() != 1)
                    ++faultFailures[name("risum", p) + " left out " + std::to_string(k)];

                if (k + 1 < n) {
                    std::vector<double> with = taps;
                    with.push_back((taps[k] + taps[k + 1]) / 2);
                    const Dictation extra = timer.mark(piece, with);
                    ++extraAll;
                    extraGrade += extra.proposedGrade() == 1;
                    extraOne += extra.extra == 1 && extra.errors() == 1;
                    if (extra.proposedGrade() != 1)
                        ++faultFailures[name("risum", p) + " extra after " + std::to_string(k)];
                }

                if (move != 0) {
                    taps[k] += tempo * move;
                    const Dictation late = timer.mark(piece, taps);
                    ++movedAll;
                    moved += late.proposedGrade() == 1;
                    movedWrong += late.wrong == 1 && late.errors() == 1;
                    if (late.proposedGrade() != 1)
                        ++faultFailures[name("risum", p) + " moved " + std::to_string(k)];
                }
            }
        }
    }
    std::printf("\n## One fault: σ 20 ms, tempo ×0.96–1.04, every note in turn, %d trials each\n\n"
                "| fault | trials | proposed どっちかというと正解 (grade 1) | marked as |\n"
                "|---|---|---|---|\n",
                fewer);
    std::printf(
        "| one note left out | %ld | %.2f %% | that note missing, nothing else: %.2f %% |\n",
        leftOutAll, percent(leftOut, leftOutAll), percent(leftOutOne, leftOutAll));
    std::printf(
        "| one extra tap between two notes | %ld | %.2f %% | one extra, nothing else: %.2f %% |\n",
        extraAll, percent(extraGrade, extraAll), percent(extraOne, extraAll));
    std::printf(
        "| one tap moved half a beat | %ld | %.2f %% | one wrong, nothing else: %.2f %% |\n",
        movedAll, percent(moved, movedAll), percent(movedWrong, movedAll));
    std::printf("\nTaps moved half a beat only where they stay between the neighbouring onsets "
                "(later, else earlier); a tap moved past a neighbour changes two places.\n");
    if (!faultFailures.empty()) {
        std::printf("Not grade 1:");
        for (const auto &[fault, count] : faultFailures)
            std::printf(" %s (%ld)", fault.c_str(), count);
        std::printf("\n");
    }

    // Another piece's rhythm, at its own tempo, marked against each piece.
    long low = 0, pairsAll = 0;
    std::vector<std::string> passed;
    std::vector<std::pair<std::int32_t, std::string>> closest; // fewest errors, pair
    for (std::size_t a = 0; a < rhythms.size(); ++a) {
        for (std::size_t b = 0; b < rhythms.size(); ++b) {
            if (a == b)
                continue;
            long pairLow = 0;
            std::int32_t fewest = 1000;
            for (int trial = 0; trial < fewer; ++trial) {
                const Dictation marked =
                    timer.mark(rhythms[a], tapsOf(rhythms[b], 1.0, 0.020, random));
                pairLow += marked.proposedGrade() >= 3;
                fewest = std::min(fewest, marked.errors());
            }
            closest.emplace_back(fewest, name("risum", b) + " for " + name("risum", a));
            low += pairLow;
            pairsAll += fewer;
            if (pairLow < fewer)
                passed.push_back(name("risum", b) + " for " + name("risum", a) + " (" +
                                 std::to_string(fewer - pairLow) + ", fewest errors " +
                                 std::to_string(fewest) + ")");
        }
    }
    std::printf("\n## Another piece's rhythm tapped: every ordered pair, own tempo, σ 20 ms\n\n"
                "| pairs | trials | proposed grade 3 or 4 |\n|---|---|---|\n| %zu | %ld | %.2f %% "
                "|\n\nPairs proposed better than grade 3: %s\n",
                rhythms.size() * (rhythms.size() - 1), pairsAll, percent(low, pairsAll),
                passed.empty() ? "none" : "");
    for (const std::string &pair : passed)
        std::printf("- %s\n", pair.c_str());
    std::sort(closest.begin(), closest.end());
    std::printf("Closest pairs (taps for piece, fewest errors in any trial):");
    for (std::size_t k = 0; k < 8; ++k)
        std::printf(" %s %d%s", closest[k].second.c_str(), closest[k].first, k < 7 ? ";" : "\n");

    std::printf("\n## Time per marking (this build)\n\nAll of the above: %s\n",
                timer.summary().c_str());
    // The largest case the windows allow for: twenty notes, thirty taps.
    PieceNotes large = rhythms[0];
    large.notes.clear();
    for (int k = 0; k < 20; ++k)
        large.notes.push_back({large.beatSeconds * (0.5 * k + (k % 4 == 1 ? 0.25 : 0)), 60});
    Timer largeTimer;
    for (int trial = 0; trial < trials; ++trial) {
        std::vector<double> taps = tapsOf(large, anyTempo(random), 0.030, random);
        std::uniform_real_distribution<double> anywhere(0, taps.back());
        while (taps.size() < 30)
            taps.push_back(anywhere(random));
        largeTimer.mark(large, taps);
    }
    std::printf("%zu notes, 30 taps (10 of them anywhere): %s\n", large.notes.size(),
                largeTimer.summary().c_str());

    // Melodies: as played, one wrong pitch, one note missing, every note in turn.
    long asPlayed = 0, wrongOne = 0, wrongAll = 0, missingOne = 0, missingAll = 0;
    for (const PieceNotes &melody : melodies) {
        std::vector<std::int32_t> pitches;
        for (const PieceNotes::Note &note : melody.notes)
            pitches.push_back(note.pitch);
        asPlayed += markMelody(melody, pitches).proposedGrade() == 0;
        for (std::size_t k = 0; k < pitches.size(); ++k) {
            std::vector<std::int32_t> wrong = pitches, missing = pitches;
            wrong[k] += k % 2 == 0 ? 2 : -1;
            missing.erase(missing.begin() + static_cast<std::ptrdiff_t>(k));
            const Dictation oneWrong = markMelody(melody, wrong);
            const Dictation oneMissing = markMelody(melody, missing);
            ++wrongAll;
            wrongOne += oneWrong.wrong == 1 && oneWrong.proposedGrade() == 1;
            ++missingAll;
            missingOne +=
                oneMissing.missing == 1 && oneMissing.proposedGrade() == 1 &&
                std::count(oneMissing.notesGot.begin(), oneMissing.notesGot.end(), false) == 1;
        }
    }
    std::printf("\n## Melodies (20 pieces, every note in turn)\n\n| entered | cases | as "
                "expected |\n|---|---|---|\n");
    std::printf("| as played → grade 0 | %zu | %.2f %% |\n", melodies.size(),
                percent(asPlayed, static_cast<long>(melodies.size())));
    std::printf("| one wrong pitch → one wrong, grade 1 | %ld | %.2f %% |\n", wrongAll,
                percent(wrongOne, wrongAll));
    std::printf("| one note missing → one note not got, grade 1 | %ld | %.2f %% |\n", missingAll,
                percent(missingOne, missingAll));
    return 0;
}
