#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace miminomi {

/// One run of the program as kept in the record file: its date and the right and wrong tallies of
/// the five exercises (0 single notes, 1 scales, 2 chords, 3 rhythms, 4 melodies). Immutable.
class RecordData {
public:
    /// The empty record: no date, all counts 0.
    RecordData() = default;
    RecordData(std::string date, std::int32_t noteRight, std::int32_t noteWrong,
               std::int32_t scaleRight, std::int32_t scaleWrong, std::int32_t chordRight,
               std::int32_t chordWrong, std::int32_t risumRight, std::int32_t risumWrong,
               std::int32_t melodyRight, std::int32_t melodyWrong);

    const std::string &getRecordDate() const { return record_date; }

    /// Percentage of right answers, 0 to 100, truncated; 0 when there were no answers.
    std::int32_t getNoteRatio() const { return getRatio(0); }
    std::int32_t getScaleRatio() const { return getRatio(1); }
    std::int32_t getChordRatio() const { return getRatio(2); }
    std::int32_t getRisumRatio() const { return getRatio(3); }
    std::int32_t getMelodyRatio() const { return getRatio(4); }

    /// Number of answers, right plus wrong. Wider than a count, since two counts may add up to
    /// more than a 32-bit count can hold.
    std::int64_t getNoteCount() const { return getCount(0); }
    std::int64_t getScaleCount() const { return getCount(1); }
    std::int64_t getChordCount() const { return getCount(2); }
    std::int64_t getRisumCount() const { return getCount(3); }
    std::int64_t getMelodyCount() const { return getCount(4); }

    /// The percentage of the exercise with index 0 to 4.
    std::int32_t getRatio(int exercise) const;
    /// The number of answers of the exercise with index 0 to 4.
    std::int64_t getCount(int exercise) const;

    /// The percentage rule shared by stored records and the current run: (right × 100) ÷ (right +
    /// wrong) truncated, or 0 without answers; computed wide, so no count can overflow it.
    static std::int32_t ratio(std::int64_t right, std::int64_t wrong);

private:
    std::string record_date;
    // Right and wrong count of each exercise, in field order of the record file.
    std::array<std::int32_t, 10> counts{};
};

} // namespace miminomi
