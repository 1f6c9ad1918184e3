#include "records/RecordData.h"

#include <utility>

namespace miminomi {

RecordData::RecordData(std::string date, std::int32_t noteRight, std::int32_t noteWrong,
                       std::int32_t scaleRight, std::int32_t scaleWrong, std::int32_t chordRight,
                       std::int32_t chordWrong, std::int32_t risumRight, std::int32_t risumWrong,
                       std::int32_t melodyRight, std::int32_t melodyWrong)
    : record_date(std::move(date)), counts{noteRight,   noteWrong,  scaleRight, scaleWrong,
                                           chordRight,  chordWrong, risumRight, risumWrong,
                                           melodyRight, melodyWrong} {}

std::int32_t RecordData::getRatio(int exercise) const {
    const auto index = static_cast<std::size_t>(exercise) * 2;
    return ratio(counts[index], counts[index + 1]);
}

std::int64_t RecordData::getCount(int exercise) const {
    const auto index = static_cast<std::size_t>(exercise) * 2;
    return std::int64_t{counts[index]} + counts[index + 1];
}

std::int32_t RecordData::ratio(std::int64_t right, std::int64_t wrong) {
    const std::int64_t total = right + wrong;
    if (total == 0)
        return 0;
    return static_cast<std::int32_t>(right * 100 / total);
}

} // namespace miminomi
