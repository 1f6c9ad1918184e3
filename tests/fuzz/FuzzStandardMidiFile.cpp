#include "sound/backends/StandardMidiFile.h"
#include "tests/fuzz/FuzzTargets.h"

#include <vector>

namespace miminomi::fuzz {

bool standardMidiFile(std::span<const std::uint8_t> bytes) {
    // libFuzzer hands over a buffer of exactly this size, so a read past the span is reported.
    const bool readable = isReadableStandardMidiFile(bytes);
    // The check reads the announced tracks only: what follows the last one cannot make a
    // readable file unreadable.
    if (readable) {
        std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
        longer.insert(longer.end(), {0x4D, 0x54, 0x72, 0x6B, 0xFF});
        return isReadableStandardMidiFile(longer);
    }
    return true;
}

} // namespace miminomi::fuzz
