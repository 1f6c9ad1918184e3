// Runs every input kept in corpus/<target>/ through the entry point libFuzzer drives, so that the
// faults the fuzzers found stay fixed.
#include "tests/fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Target = bool (*)(std::span<const std::uint8_t>);

void replay(const char *folder, Target target) {
    int inputs = 0;
    for (const auto &entry : fs::directory_iterator(fs::path(FUZZ_CORPUS) / folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        // An exact-size heap copy, as libFuzzer hands it over.
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        EXPECT_TRUE(target(bytes)) << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no inputs in corpus/" << folder;
}

TEST(FuzzReplay, RecordFileInputs) {
    replay("record_file", miminomi::fuzz::recordFile);
}

TEST(FuzzReplay, StandardMidiFileInputs) {
    replay("standard_midi_file", miminomi::fuzz::standardMidiFile);
}

TEST(FuzzReplay, ScorePictureInputs) {
    replay("score_picture", miminomi::fuzz::scorePicture);
}

} // namespace
