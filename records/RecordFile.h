// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"
#include "records/RecordData.h"
#include "records/RecordDate.h"
#include "records/Tally.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace miminomi {

class RecordList;
class Score;

/// The record file: one line per run of the program, "date,n1,...,n10" in ASCII (and so in
/// Shift-JIS) ending in CR LF, appended when a run ends and read back in full by the viewer.
class RecordFile {
public:
    /// The record file's name, relative to the working folder.
    static inline const std::string defaultPath = "record.txt";

    /// Appends the run's line (`date` and the ten tallies of `score` in field order) to the file
    /// at `path` when any tally is not 0; a run without tallies leaves the file untouched. When
    /// the line could not be kept, says so and why in one line on `diagnostics` and returns why.
    static Result<void, std::string> SaveCsvFile(const Score &score, const RecordDate &date,
                                                 const std::string &path = defaultPath,
                                                 std::ostream &diagnostics = std::cerr);

    /// The line of a run: the date, then right and wrong of each exercise in exercise order,
    /// joined by commas, with CR LF at the end.
    static std::string formatLine(const RecordDate &date, const Tallies &tallies);

    /// Appends `line` to the file at `path`, creating it when missing, with one write to the file
    /// opened for appending, so that lines of programs closing at the same moment never mix.
    /// Starts a new line first when the file does not end in one, and takes a part-written line
    /// back out when the disk fills during the write. On failure, why.
    static Result<void, std::string> appendLine(const std::string &path, std::string_view line);

    /// Reads one line (without its line end) into a record: at least eleven comma-separated
    /// fields, a date and ten counts from 0 to 2147483647 that may have surrounding blanks and a
    /// plus sign; fields after the eleventh are ignored. Nothing when the line is malformed.
    static std::optional<RecordData> parseLine(std::string_view line);

    /// Longest line read, without its line end. A record line is some fifty bytes; a longer
    /// line is not a record, and reading stops there rather than hold a giant line in memory.
    static constexpr std::size_t maxLineBytes = 4096;

    /// Appends the records of the file at `path` to `list` in file order, reading it piece by
    /// piece. Fails when the file cannot be read or at the first blank, malformed or overlong
    /// line, keeping the records before it. An empty file gives no records.
    static Result<void, std::string> read(const std::string &path, RecordList &list);

    /// As `read`, from the file's contents.
    static Result<void, std::string> readText(std::string_view text, RecordList &list);
};

/// Reads the record file's text handed over in pieces of any size, as `RecordFile::read` gets
/// them from the file: each whole line becomes a record appended to `list`, until the first
/// blank, malformed or overlong line. At most one line is held at a time.
class RecordTextReader {
public:
    explicit RecordTextReader(RecordList &list) : list(list) {}

    /// Reads the next piece of the text. Returns false once reading has stopped at a bad line;
    /// later pieces are then ignored.
    bool feed(std::string_view piece);
    /// Ends the text, reading a last line that has no line end. Returns whether every line was a
    /// record.
    bool finish();

private:
    void takeLine(std::string_view line);

    RecordList &list;
    std::string pending; // the start of a line whose line end has not arrived yet
    bool stopped = false;
    bool firstLine = true;
    bool afterCr = false; // the last byte read was a CR, so an LF next ends no further line
};

} // namespace miminomi
