// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/Score.h"

namespace miminomi::music {

std::vector<std::pair<std::size_t, std::size_t>>
beamGroups(const Metre &metre, const std::vector<Note> &voice, std::int32_t position) {
    const std::int32_t beat = metre.beatTicks();
    const auto beamable = [](const Note &note) { return note.value.type >= NoteType::eighth; };

    // Runs of eighths and shorter that start in the same beat, their rests at the ends left out.
    std::vector<std::pair<std::size_t, std::size_t>> groups;
    std::vector<std::int32_t> groupBeats;
    std::size_t k = 0;
    while (k < voice.size()) {
        const std::int32_t beatOf = position / beat;
        std::size_t end = k;
        while (end < voice.size() && beamable(voice[end]) && position / beat == beatOf) {
            position += voice[end].value.ticks();
            ++end;
        }
        if (end == k) {
            position += voice[k].value.ticks();
            ++k;
            continue;
        }
        std::size_t first = k, last = end - 1;
        while (first < last && voice[first].isRest())
            ++first;
        while (last > first && voice[last].isRest())
            --last;
        if (last > first) {
            groups.emplace_back(first, last);
            groupBeats.push_back(beatOf);
        }
        k = end;
    }

    // In 4/4 the two beats of a half bar share one beam when both hold two plain eighths.
    if (metre.beats == 4 && metre.beatType == 4) {
        const auto plainEighths = [&](std::size_t g) {
            const auto [first, last] = groups[g];
            if (last != first + 1)
                return false;
            for (std::size_t n = first; n <= last; ++n)
                if (voice[n].isRest() || voice[n].value != NoteValue{NoteType::eighth, 0})
                    return false;
            return true;
        };
        for (std::size_t g = 0; g + 1 < groups.size(); ++g)
            if (groupBeats[g] % 2 == 0 && groupBeats[g + 1] == groupBeats[g] + 1 &&
                groups[g + 1].first == groups[g].second + 1 && plainEighths(g) &&
                plainEighths(g + 1)) {
                groups[g].second = groups[g + 1].second;
                groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(g) + 1);
                groupBeats.erase(groupBeats.begin() + static_cast<std::ptrdiff_t>(g) + 1);
            }
    }
    return groups;
}

} // namespace miminomi::music
