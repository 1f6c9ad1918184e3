// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Exercise.h"
#include "records/Tally.h"

#include <cstdint>
#include <string>
#include <utility>

namespace miminomi {

/// One run of the program as kept in the record file: its date and the right and wrong tallies of
/// the five exercises. Immutable.
class RecordData {
public:
    /// The empty record: no date, all counts 0.
    RecordData() = default;
    RecordData(std::string date, const Tallies &tallies)
        : record_date(std::move(date)), tallies(tallies) {}

    const std::string &getRecordDate() const { return record_date; }
    const Tallies &getTallies() const { return tallies; }

    std::int32_t getNoteRatio() const { return getRatio(Exercise::note); }
    std::int32_t getScaleRatio() const { return getRatio(Exercise::scale); }
    std::int32_t getChordRatio() const { return getRatio(Exercise::chord); }
    std::int32_t getRisumRatio() const { return getRatio(Exercise::risum); }
    std::int32_t getMelodyRatio() const { return getRatio(Exercise::melody); }
    std::int64_t getNoteCount() const { return getCount(Exercise::note); }
    std::int64_t getScaleCount() const { return getCount(Exercise::scale); }
    std::int64_t getChordCount() const { return getCount(Exercise::chord); }
    std::int64_t getRisumCount() const { return getCount(Exercise::risum); }
    std::int64_t getMelodyCount() const { return getCount(Exercise::melody); }

    /// Percentage of right answers of the exercise, 0 to 100, truncated; 0 without answers.
    std::int32_t getRatio(Exercise exercise) const { return tallies[exercise].percentRight(); }
    /// Number of answers of the exercise, right plus wrong.
    std::int64_t getCount(Exercise exercise) const { return tallies[exercise].answers(); }

private:
    std::string record_date;
    Tallies tallies;
};

} // namespace miminomi
