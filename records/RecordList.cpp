#include "records/RecordList.h"

#include <utility>

namespace miminomi {

void RecordList::Add(std::string date, std::int32_t noteRight, std::int32_t noteWrong,
                     std::int32_t scaleRight, std::int32_t scaleWrong, std::int32_t chordRight,
                     std::int32_t chordWrong, std::int32_t risumRight, std::int32_t risumWrong,
                     std::int32_t melodyRight, std::int32_t melodyWrong) {
    records.emplace_back(std::move(date), noteRight, noteWrong, scaleRight, scaleWrong, chordRight,
                         chordWrong, risumRight, risumWrong, melodyRight, melodyWrong);
}

void RecordList::Add(RecordData record) {
    records.push_back(std::move(record));
}

} // namespace miminomi
