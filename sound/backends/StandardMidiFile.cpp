// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/StandardMidiFile.h"

#include "sound/MidiBytes.h"

#include <cstddef>
#include <optional>

namespace miminomi {

namespace {

/// Reads big-endian numbers and variable-length quantities from a bounded range.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {}

    std::size_t remaining() const { return bytes.size() - pos; }
    bool atEnd() const { return pos >= bytes.size(); }

    std::optional<std::uint32_t> big(std::size_t count) {
        if (remaining() < count)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value = value << 8 | bytes[pos++];
        return value;
    }

    /// A variable-length quantity of at most four bytes, as the file format allows.
    std::optional<std::uint32_t> variable() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (atEnd())
                return std::nullopt;
            const std::uint8_t b = bytes[pos++];
            value = value << 7 | (b & 0x7Fu);
            if ((b & 0x80u) == 0)
                return value;
        }
        return std::nullopt;
    }

    bool skip(std::size_t count) {
        if (remaining() < count)
            return false;
        pos += count;
        return true;
    }

    bool tagIs(const char (&tag)[5]) {
        if (remaining() < 4)
            return false;
        for (int i = 0; i < 4; ++i)
            if (bytes[pos + i] != static_cast<std::uint8_t>(tag[i]))
                return false;
        pos += 4;
        return true;
    }

    std::span<const std::uint8_t> take(std::size_t count) {
        auto part = bytes.subspan(pos, count);
        pos += count;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes;
    std::size_t pos = 0;
};

/// Number of data bytes that follow a channel status byte.
int channelDataLength(std::uint8_t status) {
    const std::uint8_t kind = midi::kindOf(status);
    return kind == midi::programChange || kind == midi::channelPressure ? 1 : 2;
}

bool isReadableTrack(std::span<const std::uint8_t> track) {
    ByteReader in(track);
    std::uint8_t runningStatus = 0;
    while (!in.atEnd()) {
        if (!in.variable()) // delta time
            return false;
        const auto first = in.big(1);
        if (!first)
            return false;
        std::uint8_t status = static_cast<std::uint8_t>(*first);
        bool firstIsData = false;
        if (status < midi::noteOff) { // a data byte: the status of the event before runs on
            if (runningStatus == 0)
                return false;
            status = runningStatus;
            firstIsData = true;
        }
        if (status < midi::systemExclusive) {
            runningStatus = status;
            const int length = channelDataLength(status) - (firstIsData ? 1 : 0);
            for (int i = 0; i < length; ++i) {
                const auto data = in.big(1);
                if (!data || *data >= 0x80u)
                    return false;
            }
        } else if (status == midi::systemExclusive || status == midi::endOfExclusive) {
            const auto length = in.variable();
            if (!length || !in.skip(*length))
                return false;
        } else if (status == midi::meta) {
            const auto type = in.big(1);
            const auto length = type ? in.variable() : std::nullopt;
            if (!length || *type >= 0x80u || !in.skip(*length))
                return false;
            if (*type == midi::endOfTrack)
                return true; // end of track; anything after it in the chunk is ignored
        } else {
            return false; // real-time and common messages have no place in a file
        }
    }
    return false; // no end-of-track event
}

} // namespace

bool isReadableStandardMidiFile(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    if (!in.tagIs("MThd"))
        return false;
    const auto headerLength = in.big(4);
    if (!headerLength || *headerLength < 6 || in.remaining() < *headerLength)
        return false;
    const auto format = in.big(2);
    const auto trackCount = in.big(2);
    const auto division = in.big(2);
    // Time-code (SMPTE) division is not played, so such a file is not readable here.
    if (*format > 2 || *trackCount == 0 || *division == 0 || (*division & 0x8000u) != 0)
        return false;
    in.skip(*headerLength - 6);

    std::uint32_t tracksFound = 0;
    while (tracksFound < *trackCount) {
        const bool isTrack = in.tagIs("MTrk");
        if (!isTrack && !in.skip(4))
            return false;
        const auto length = in.big(4);
        if (!length || in.remaining() < *length)
            return false;
        const auto chunk = in.take(*length);
        if (isTrack) {
            if (!isReadableTrack(chunk))
                return false;
            ++tracksFound;
        }
    }
    return true;
}

} // namespace miminomi
