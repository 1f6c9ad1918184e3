// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/PieceNotes.h"

#include "sound/MidiBytes.h"

#include <smf.h>

#include <fstream>
#include <memory>
#include <string_view>

namespace miminomi {

Result<PieceNotes, PieceNotes::Problem> PieceNotes::read(const std::string &path) {
    // The library would say on standard error why a file that is no MIDI file is not one; that is
    // told calmly by the caller instead.
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return Problem::noFile;
    char signature[4] = {};
    if (!stream.read(signature, 4) || std::string_view(signature, 4) != "MThd")
        return Problem::notMidi;
    const std::unique_ptr<smf_t, decltype(&smf_delete)> file(smf_load(path.c_str()), smf_delete);
    if (!file)
        return Problem::notMidi;
    PieceNotes piece;
    std::vector<double> clicks;
    while (smf_event_t *event = smf_get_next_event(file.get())) {
        if (smf_event_is_metadata(event)) {
            // The time signature: numerator, and the denominator as a power of two.
            if (event->midi_buffer_length >= 5 && event->midi_buffer[1] == 0x58) {
                const int numerator = event->midi_buffer[3],
                          denominator = 1 << event->midi_buffer[4];
                piece.beatsPerBar =
                    denominator == 8 && numerator % 3 == 0 ? numerator / 3 : numerator;
            }
            continue;
        }
        if (event->midi_buffer_length < 3)
            continue;
        const std::uint8_t status = event->midi_buffer[0];
        const bool noteOn = midi::kindOf(status) == midi::noteOn && event->midi_buffer[2] > 0;
        if (!noteOn)
            continue;
        if (midi::channelOf(status) == midi::percussionChannel) {
            clicks.push_back(event->time_seconds);
            piece.clickPitch = event->midi_buffer[1];
        } else
            piece.notes.push_back({event->time_seconds, event->midi_buffer[1]});
    }
    if (piece.notes.empty())
        return Problem::noNotes;
    if (clicks.size() >= 2 && clicks[1] > clicks[0]) {
        piece.countInSeconds = clicks[0];
        piece.beatSeconds = clicks[1] - clicks[0];
    }
    return piece;
}

} // namespace miminomi
