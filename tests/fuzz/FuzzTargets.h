#pragma once

// The three entry points that take arbitrary bytes: libFuzzer drives them in the fuzzers built by
// run-fuzzers, and fuzz_replay_tests runs every committed input in corpus/ through them.

#include <cstdint>
#include <span>

namespace miminomi::fuzz {

/// The bytes as the contents of record.txt, read whole and also piece by piece as the file reader
/// gets them. Returns false when the two readings disagree or a record read is out of range.
bool recordFile(std::span<const std::uint8_t> bytes);

/// The bytes as a .mid file in data/, checked for being a playable Standard MIDI File. Returns
/// false when the verdict changes with bytes appended after the file.
bool standardMidiFile(std::span<const std::uint8_t> bytes);

/// The bytes as a score picture file in data/. Returns false when a picture beyond the size
/// limits comes back.
bool scorePicture(std::span<const std::uint8_t> bytes);

} // namespace miminomi::fuzz
