// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/DictationCommand.h"

#include "music/DictationGenerator.h"
#include "music/DictationLevel.h"
#include "music/MusicXml.h"
#include "music/Performance.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

namespace miminomi::music {

namespace {

constexpr const char *usage = "miminomi --write-dictation LEVEL COUNT FOLDER [SEED] | "
                              "miminomi --dictation-levels";

/// The whole of `text` as a number from `least` to `most`, or nothing.
std::optional<std::uint64_t> number(const std::string &text, std::uint64_t least,
                                    std::uint64_t most) {
    std::uint64_t value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < least || value > most)
        return std::nullopt;
    return value;
}

int refuse(std::ostream &err, const std::string &why) {
    err << "miminomi: " << why << " (usage: " << usage << ")\n";
    return 2;
}

int writeItems(const DictationLevel &level, std::uint32_t count, const std::string &folder,
               std::uint32_t seed, std::ostream &out, std::ostream &err) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        err << "miminomi: cannot make the folder " << folder << ": " << error.message() << "\n";
        return 1;
    }
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t itemSeed = seed + k;
        const Score score = generateDictation(level, itemSeed);
        std::string name = std::to_string(k + 1);
        name.insert(0, 3 - name.size(), '0');
        const std::string base = (std::filesystem::path(folder) / name).string();

        const std::string xmlPath = base + ".musicxml";
        std::ofstream xml(xmlPath, std::ios::binary);
        xml << musicXml(score, "聴音 レベル" + std::to_string(level.number) + "・" +
                                   std::to_string(itemSeed));
        if (!xml.flush()) {
            err << "miminomi: cannot write " << xmlPath << ": " << std::strerror(errno) << "\n";
            return 1;
        }
        PlaybackOptions options;
        options.countIn = true;
        options.cadence = !level.rhythmOnly;
        options.program = level.rhythmOnly ? 56 : 0;
        const std::string midiPath = base + ".mid";
        if (const auto written = writeMidiFile(perform(score, options), midiPath); !written) {
            err << "miminomi: cannot write " << midiPath << ": " << written.reason() << "\n";
            return 1;
        }
    }
    out << "miminomi: wrote " << count << " item" << (count == 1 ? "" : "s") << " of level "
        << level.number << " (seeds " << seed << " to " << seed + (count - 1) << ") to " << folder
        << "\n";
    return 0;
}

} // namespace

int runDictationCommand(const std::vector<std::string> &args, std::ostream &out,
                        std::ostream &err) {
    if (args.size() == 1 && args[0] == "--dictation-levels") {
        for (const DictationLevel &level : dictationLevels())
            out << level.number << " " << level.description << "\n";
        return 0;
    }
    if (args.empty() || args[0] != "--write-dictation")
        return refuse(err, args.empty() ? "nothing to do" : "unknown argument \"" + args[0] + "\"");
    if (args.size() < 4 || args.size() > 5)
        return refuse(err, "--write-dictation takes LEVEL COUNT FOLDER and perhaps SEED");
    const auto levelNumber = number(args[1], 1, 1000);
    const DictationLevel *level =
        levelNumber ? dictationLevel(static_cast<int>(*levelNumber)) : nullptr;
    if (!level)
        return refuse(err, "no level \"" + args[1] + "\"; --dictation-levels lists them");
    const auto count = number(args[2], 1, 999);
    if (!count)
        return refuse(err, "COUNT must be a number from 1 to 999, not \"" + args[2] + "\"");
    if (args[3].empty())
        return refuse(err, "FOLDER is empty");
    constexpr std::uint64_t seeds = std::numeric_limits<std::uint32_t>::max();
    const auto seed = args.size() == 5 ? number(args[4], 0, seeds - (*count - 1)) : 1;
    if (!seed)
        return refuse(err, "SEED must be a number from 0 to " +
                               std::to_string(seeds - (*count - 1)) + ", not \"" + args[4] + "\"");
    return writeItems(*level, static_cast<std::uint32_t>(*count), args[3],
                      static_cast<std::uint32_t>(*seed), out, err);
}

bool isDictationCommand(const std::string &first) {
    return first == "--write-dictation" || first == "--dictation-levels";
}

} // namespace miminomi::music
