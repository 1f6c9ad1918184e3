// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Generated dictation over many seeds. For every level: the items that break a rule of
// checkRules() (goal 0); how many of each thousand consecutive seeds give different items (goal
// 990 at least; a level with fewer items than that deals out all it has in every thousand); and
// the time an item takes to make.
//
//   bench_music_dictation [seeds a level, default 10000]
#include "music/DictationGenerator.h"
#include "music/RuleChecker.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>

using namespace miminomi::music;

namespace {

/// An item as the learner hears and reads it, its tempo aside.
std::string fingerprint(const Score &score) {
    std::ostringstream text;
    text << int(score.key.fifths) << (score.key.minor ? "m " : "M ") << int(score.metre.beats)
         << "/" << int(score.metre.beatType);
    for (const Bar &bar : score.bars) {
        text << (bar.pickup ? " |^" : " |");
        for (const auto *voice : {&bar.upper, &bar.lower})
            for (const Note &note : *voice) {
                if (note.pitch)
                    text << " " << note.pitch->staffStep() << ":" << int(note.pitch->alter);
                else
                    text << " r";
                text << "/" << note.value.ticks() << (note.tieToNext ? "~" : "");
            }
    }
    return text.str();
}

} // namespace

int main(int argc, char *argv[]) {
    const int seeds = argc > 1 ? std::max(1000, std::atoi(argv[1])) / 1000 * 1000 : 10000;
    std::printf("%d seeds a level\n\n", seeds);
    std::printf("level  violations  distinct of 1 000 seeds (fewest, mean)  us an item (mean, "
                "slowest)\n");
    long violationsInAll = 0;
    int fewestDistinct = 1000;
    double totalMicroseconds = 0, slowestInAll = 0;
    for (const DictationLevel &level : dictationLevels()) {
        long violations = 0;
        std::map<std::string, long> broken;
        std::set<std::string> all;
        int fewest = 1000;
        double sumDistinct = 0, microseconds = 0, slowest = 0;
        std::set<std::string> block;
        for (int seed = 1; seed <= seeds; ++seed) {
            const auto start = std::chrono::steady_clock::now();
            const Score score = generateDictation(level, static_cast<std::uint32_t>(seed));
            const double took =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count();
            microseconds += took;
            slowest = std::max(slowest, took);
            const auto found = checkRules(score, level);
            violations += found.empty() ? 0 : 1;
            for (const RuleViolation &violation : found)
                ++broken[violation.rule];
            const std::string print = fingerprint(score);
            all.insert(print);
            block.insert(print);
            if (seed % 1000 == 0) {
                fewest = std::min(fewest, static_cast<int>(block.size()));
                sumDistinct += static_cast<double>(block.size());
                block.clear();
            }
        }
        const bool fewItems = all.size() < 1000;
        std::printf("%5d  %10ld  %5d, %7.1f%s  %8.0f, %8.0f\n", level.number, violations, fewest,
                    sumDistinct / (seeds / 1000),
                    fewItems ? (" (all " + std::to_string(all.size()) + " the level has)").c_str()
                             : "",
                    microseconds / seeds, slowest);
        for (const auto &[rule, count] : broken)
            std::printf("         %s: %ld\n", rule.c_str(), count);
        violationsInAll += violations;
        if (!fewItems)
            fewestDistinct = std::min(fewestDistinct, fewest);
        else if (fewest < static_cast<int>(all.size()))
            fewestDistinct = std::min(fewestDistinct, 0); // a short level must deal all it has
        totalMicroseconds += microseconds;
        slowestInAll = std::max(slowestInAll, slowest);
    }
    const double items = static_cast<double>(seeds) * static_cast<double>(dictationLevels().size());
    std::printf("\nitems breaking a rule: %ld of %.0f\n", violationsInAll, items);
    std::printf("fewest distinct items of 1 000 seeds: %d\n", fewestDistinct);
    std::printf("time an item: mean %.0f us, slowest %.0f us\n", totalMicroseconds / items,
                slowestInAll);
    return 0;
}
