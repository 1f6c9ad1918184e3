// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three entry points that take arbitrary bytes: libFuzzer drives them in the fuzzers built by
// run-fuzzers, and fuzz_replay_tests runs every committed input in corpus/ through them.

#include "app/services/ScorePicture.h"
#include "records/RecordFile.h"
#include "records/RecordList.h"
#include "sound/backends/StandardMidiFile.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace miminomi::fuzz {

/// The bytes as the contents of record.txt, read whole and also piece by piece as the file reader
/// gets them. Returns false when the two readings disagree or a record read is out of range.
inline bool recordFile(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    RecordList whole, pieces;
    const bool wholeRead = RecordFile::readText(text, whole).ok();
    // The file reader gets the text in pieces; any cut, also between the CR and LF of a line end,
    // must give the same records. The first byte chooses the size of the pieces.
    const std::size_t pieceSize = text.empty() ? 1 : 1 + static_cast<unsigned char>(text[0]) % 61;
    RecordTextReader reader(pieces);
    for (std::size_t at = 0; at < text.size(); at += pieceSize)
        reader.feed(text.substr(at, pieceSize));
    if (reader.finish() != wholeRead || whole.items().size() != pieces.items().size())
        return false;
    for (std::size_t i = 0; i < whole.items().size(); ++i) {
        const RecordData &record = whole.items()[i];
        // The date is kept in its one written form, "yyyy/mm/dd".
        const auto date = RecordDate::parse(record.getRecordDate());
        if (!date || date->format() != record.getRecordDate() ||
            record.getRecordDate() != pieces.items()[i].getRecordDate() ||
            record.getTallies() != pieces.items()[i].getTallies())
            return false;
        for (const Exercise exercise : allExercises)
            if (record.getCount(exercise) < 0 || record.getRatio(exercise) < 0 ||
                record.getRatio(exercise) > 100)
                return false;
    }
    // No more records than lines.
    const auto lineEnds =
        std::count_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; });
    return whole.items().size() <= static_cast<std::size_t>(lineEnds) + 1;
}

/// The bytes as a .mid file in data/, checked for being a playable Standard MIDI File. Returns
/// false when bytes appended after a readable file make it unreadable: the check reads the
/// announced tracks only. libFuzzer hands over an exact-size buffer, so reading past it shows.
inline bool standardMidiFile(std::span<const std::uint8_t> bytes) {
    if (!isReadableStandardMidiFile(bytes))
        return true;
    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.insert(longer.end(), {0x4D, 0x54, 0x72, 0x6B, 0xFF});
    return isReadableStandardMidiFile(longer);
}

/// The bytes as a score picture file in data/, which the piece exercises read as BMP whatever the
/// bytes say. Returns false when a picture beyond the size limits comes back.
inline bool scorePicture(std::span<const std::uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    const QImage picture = ScorePicture::load(buffer, "bmp");
    return picture.isNull() ||
           (picture.width() <= ScorePicture::maxSide && picture.height() <= ScorePicture::maxSide &&
            qint64(picture.width()) * picture.height() <= ScorePicture::maxPixels);
}

} // namespace miminomi::fuzz
