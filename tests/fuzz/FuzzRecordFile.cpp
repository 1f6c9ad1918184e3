#include "records/RecordFile.h"
#include "records/RecordList.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <string_view>

namespace miminomi::fuzz {

namespace {

bool sameRecord(const RecordData &a, const RecordData &b) {
    return a.getRecordDate() == b.getRecordDate() && a.getTallies() == b.getTallies();
}

bool inRange(const RecordData &record) {
    for (const Exercise exercise : allExercises) {
        const auto ratio = record.getRatio(exercise);
        if (record.getCount(exercise) < 0 || ratio < 0 || ratio > 100)
            return false;
    }
    // The date is kept in its one written form, "yyyy/mm/dd".
    const auto date = RecordDate::parse(record.getRecordDate());
    return date && date->format() == record.getRecordDate();
}

} // namespace

bool recordFile(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());

    RecordList whole;
    const bool wholeRead = RecordFile::readText(text, whole);

    // The file reader gets the text in pieces; any cut, also between the CR and LF of a line end,
    // must give the same records. The first byte chooses the size of the pieces.
    const std::size_t pieceSize = text.empty() ? 1 : 1 + static_cast<unsigned char>(text[0]) % 61;
    RecordList pieces;
    RecordTextReader reader(pieces);
    for (std::size_t at = 0; at < text.size(); at += pieceSize)
        reader.feed(text.substr(at, pieceSize));
    const bool piecesRead = reader.finish();

    if (wholeRead != piecesRead || whole.items().size() != pieces.items().size())
        return false;
    for (std::size_t i = 0; i < whole.items().size(); ++i)
        if (!sameRecord(whole.items()[i], pieces.items()[i]) || !inRange(whole.items()[i]))
            return false;
    // No more records than lines.
    const auto lineEnds =
        std::count_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; });
    return whole.items().size() <= static_cast<std::size_t>(lineEnds) + 1;
}

} // namespace miminomi::fuzz
