// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordFile.h"

#include "base/Blanks.h"
#include "base/FileDescriptor.h"
#include "base/FileLocations.h"
#include "records/RecordList.h"
#include "records/Score.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace miminomi {

namespace {

/// A count: optional blanks, an optional sign, decimal digits, optional blanks; 0 to 2^31 − 1.
std::optional<std::int32_t> parseCount(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    constexpr std::int64_t largest = 2147483647;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > largest)
            return std::nullopt;
    }
    // Tallies are never negative; "-0" is still zero.
    if (negative && value != 0)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string describe(int error) {
    return std::strerror(error);
}

/// The end of a reading: whether every line was a record.
Result<void, std::string> finished(RecordTextReader &reader) {
    if (reader.finish())
        return {};
    return std::string("it holds a line that is not a record");
}

} // namespace

Result<void, std::string> RecordFile::SaveCsvFile(const Score &score, const RecordDate &date,
                                                  const std::string &path,
                                                  std::ostream &diagnostics) {
    const Tallies tallies = score.tallies();
    if (tallies == Tallies{})
        return {};

    const std::string line = formatLine(date, tallies);
    const Result<void, std::string> kept = appendLine(path, line);
    if (kept)
        return {};
    // One line, written at once; it carries the lost line so that the learner can add it by hand.
    diagnostics << "miminomi: the record of this run could not be kept in " + path + " (" +
                       kept.reason() + "): " + line.substr(0, line.size() - 2) + "\n"
                << std::flush;
    return kept;
}

std::string RecordFile::formatLine(const RecordDate &date, const Tallies &tallies) {
    std::string line = date.format();
    for (const Exercise exercise : allExercises) {
        for (const std::int32_t count : {tallies[exercise].right, tallies[exercise].wrong}) {
            line += ',';
            line += std::to_string(count);
        }
    }
    line += "\r\n";
    return line;
}

Result<void, std::string> RecordFile::appendLine(const std::string &path, std::string_view line) {
    if (auto folder = FileLocations::makeFolderFor(path); !folder)
        return folder;
    // Read access lets the last byte be checked; a file that may only be written is still
    // appended to. O_NONBLOCK only keeps the open from hanging on a named pipe without a reader.
    const int flags = O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK;
    FileDescriptor file(path, O_RDWR | flags, 0666);
    if (!file.valid() && errno == EACCES)
        file = FileDescriptor(path, O_WRONLY | flags, 0666);
    if (!file.valid())
        return describe(errno);

    // Other copies of the program take the same lock, so the check of the last byte and the
    // taking back of a part-written line below see no line of theirs arriving in between. The
    // append itself needs no lock: the kernel places each write to an appending file at its end.
    int locked;
    do {
        locked = ::flock(file.get(), LOCK_EX);
    } while (locked != 0 && errno == EINTR);

    std::string data;
    struct stat status {};
    if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        char last = '\n';
        if (::pread(file.get(), &last, 1, status.st_size - 1) == 1 && last != '\n' && last != '\r')
            data = "\r\n"; // the file's last line has no line end: do not join this line to it
    }
    data += line;

    ssize_t written;
    do {
        written = ::write(file.get(), data.data(), data.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0)
        return describe(errno);
    if (static_cast<std::size_t>(written) < data.size()) {
        // The disk filled (or the file size limit was reached) part way: remove the part-written
        // line, which ends where the file offset now stands.
        const off_t end = ::lseek(file.get(), 0, SEEK_CUR);
        if (locked == 0 && end >= written && ::ftruncate(file.get(), end - written) != 0)
            return "only part of the line was written and it could not be removed: " +
                   describe(errno);
        return describe(ENOSPC);
    }
    if (file.close() != 0)
        return describe(errno);
    return {};
}

std::optional<RecordData> RecordFile::parseLine(std::string_view line) {
    std::array<std::string_view, 11> fields;
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < fields.size()) {
        const std::size_t comma = line.find(',', start);
        fields[count++] =
            line.substr(start, comma == std::string_view::npos ? line.npos : comma - start);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (count < fields.size())
        return std::nullopt;

    const auto date = RecordDate::parse(fields[0]);
    if (!date)
        return std::nullopt;
    // After the date: right then wrong of each exercise, in exercise order.
    Tallies tallies;
    std::size_t field = 1;
    for (const Exercise exercise : allExercises) {
        for (std::int32_t *count : {&tallies[exercise].right, &tallies[exercise].wrong}) {
            const auto value = parseCount(fields[field++]);
            if (!value)
                return std::nullopt;
            *count = *value;
        }
    }
    return RecordData(date->format(), tallies);
}

Result<void, std::string> RecordFile::read(const std::string &path, RecordList &list) {
    const FileDescriptor file(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (!file.valid())
        return describe(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::string("not a file");

    // Piece by piece, so that a file of any size costs one buffer and one line of memory.
    RecordTextReader reader(list);
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return describe(errno);
        }
        if (!reader.feed(std::string_view(buffer, static_cast<std::size_t>(got))))
            break;
    }
    return finished(reader);
}

Result<void, std::string> RecordFile::readText(std::string_view text, RecordList &list) {
    RecordTextReader reader(list);
    reader.feed(text);
    return finished(reader);
}

bool RecordTextReader::feed(std::string_view piece) {
    // Lines end in CR LF, LF or a lone CR; the LF of a CR LF may come first in the next piece.
    while (!stopped && !piece.empty()) {
        if (std::exchange(afterCr, false) && piece.front() == '\n') {
            piece.remove_prefix(1);
            continue;
        }
        // A plain scan: find_first_of looks each byte up in the set of line-end bytes.
        std::size_t end = 0;
        while (end < piece.size() && piece[end] != '\n' && piece[end] != '\r')
            ++end;
        if (pending.size() + end > RecordFile::maxLineBytes) {
            stopped = true;
            break;
        }
        if (end == piece.size()) {
            pending.append(piece);
            break;
        }
        if (pending.empty()) {
            takeLine(piece.substr(0, end));
        } else {
            pending.append(piece.substr(0, end));
            takeLine(pending);
            pending.clear();
        }
        afterCr = piece[end] == '\r';
        piece.remove_prefix(end + 1);
    }
    return !stopped;
}

bool RecordTextReader::finish() {
    // The last line may have no line end; a file that is only a byte-order mark has no lines.
    if (!stopped && !pending.empty() && !(firstLine && pending == "\xEF\xBB\xBF"))
        takeLine(pending);
    pending.clear();
    return !stopped;
}

void RecordTextReader::takeLine(std::string_view line) {
    // A byte-order mark left by an editor is not part of the first date.
    if (std::exchange(firstLine, false) && line.starts_with("\xEF\xBB\xBF"))
        line.remove_prefix(3);
    auto record = RecordFile::parseLine(line);
    if (!record) {
        stopped = true;
        return;
    }
    list.Add(std::move(*record));
}

} // namespace miminomi
