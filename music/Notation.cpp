// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/Notation.h"

namespace miminomi::music {

std::optional<NoteValue> valueOfTicks(std::int32_t ticks) {
    for (int type = 0; type <= static_cast<int>(NoteType::sixteenth); ++type)
        for (std::uint8_t dots = 0; dots <= (type < 4 ? 1 : 0); ++dots) {
            const NoteValue value{static_cast<NoteType>(type), dots};
            if (value.ticks() == ticks && !(type == 0 && dots == 1))
                return value;
        }
    return std::nullopt;
}

bool writable(const Metre &metre, std::int32_t position, std::int32_t ticks, bool rest,
              bool syncopation) {
    if (ticks <= 0 || position < 0 || position + ticks > metre.barTicks() || !valueOfTicks(ticks))
        return false;
    const std::int32_t beat = metre.beatTicks(), end = position + ticks;
    const bool onBeat = position % beat == 0;
    const bool crossesBeat = end > (position / beat + 1) * beat;
    if (!crossesBeat)
        return true;
    if (rest) {
        if (!onBeat)
            return false;
        if (position == 0 && end == metre.barTicks())
            return true;
        if (metre.compound())
            return ticks % beat == 0;
        const std::int32_t half = metre.barTicks() / 2;
        if (metre.beats == 4)
            return ticks == half && position % half == 0;
        if (metre.beats == 3)
            return position == 0 && ticks == 2 * beat;
        return false;
    }
    if (metre.compound())
        return onBeat && ticks % beat == 0;
    if (onBeat)
        return true;
    // The syncopated quarter of eighth-quarter-eighth.
    const bool crossesMiddle = metre.beats == 4 && position < 2 * beat && end > 2 * beat;
    return syncopation && position % beat == beat / 2 && ticks == beat && !crossesMiddle;
}

std::vector<NoteValue> writtenValues(const Metre &metre, std::int32_t position, std::int32_t ticks,
                                     bool rest, bool syncopation) {
    std::vector<NoteValue> values;
    // The smallest grid every value lies on is the sixteenth.
    constexpr std::int32_t grid = ticksPerQuarter / 4;
    while (ticks > 0) {
        std::int32_t first = ticks;
        while (first > grid && !writable(metre, position, first, rest, syncopation))
            first -= grid;
        // A sixteenth off the grid cannot be written at all: written as it is, and the checker
        // says so.
        values.push_back(valueOfTicks(first).value_or(NoteValue{NoteType::sixteenth, 0}));
        position += first;
        ticks -= first;
    }
    return values;
}

} // namespace miminomi::music
