// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ExamStatistics.h"
#include "music/DictationGenerator.h"

#include <map>
#include <string>

namespace miminomi {

/// How often the learner has missed each melodic interval (signed steps, as ExamError counts
/// them) and each rhythm figure (as music::rhythmFigures() writes it) in past dictations.
struct ExamMisses {
    std::map<int, int> intervals;
    std::map<std::string, int> figures;
};

/// The leaning that asks more of what the learner misses most: the three intervals and the
/// three figures missed most often (twice at least) are weighted up in proportion to their
/// misses, the most missed to three times its usual weight, none less than one and a half.
/// Nothing missed twice gives an empty leaning, which draws as none.
music::DictationLeaning examLeaning(const ExamMisses &misses);
/// The same leaning from the misses the history counted.
music::DictationLeaning examLeaningFrom(const ExamWeakSpots &missed);

} // namespace miminomi
