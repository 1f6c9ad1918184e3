#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace miminomi {

/// The notes of a piece as its Standard MIDI File plays them, for marking what the learner heard:
/// each note's onset and pitch in order, and the beat given by the two count-in clicks on the
/// percussion channel, which are not notes of the piece.
struct PieceNotes {
    struct Note {
        double onsetSeconds = 0;
        std::int32_t pitch = 0;
    };
    std::vector<Note> notes;
    /// Seconds between the two count-in clicks, and the note they sound on the percussion channel.
    double beatSeconds = 0;
    std::int32_t clickPitch = 0;
    /// Beats in a bar, from the time signature (a compound time such as 6/8 counts dotted beats);
    /// 4 when the file has none.
    std::int32_t beatsPerBar = 4;

    /// Reads the piece at `path`; nothing when the file cannot be read as a Standard MIDI File,
    /// has no notes, or has not two count-in clicks.
    static std::optional<PieceNotes> read(const std::string &path);
};

} // namespace miminomi
