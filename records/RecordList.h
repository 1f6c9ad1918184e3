#pragma once

#include "records/RecordData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace miminomi {

/// The records of the record file in file order, oldest first.
class RecordList {
public:
    /// Makes a record from a date and the ten counts in field order and appends it.
    void Add(std::string date, std::int32_t noteRight, std::int32_t noteWrong,
             std::int32_t scaleRight, std::int32_t scaleWrong, std::int32_t chordRight,
             std::int32_t chordWrong, std::int32_t risumRight, std::int32_t risumWrong,
             std::int32_t melodyRight, std::int32_t melodyWrong);
    void Add(RecordData record);

    const std::vector<RecordData> &items() const { return records; }

private:
    std::vector<RecordData> records;
};

} // namespace miminomi
