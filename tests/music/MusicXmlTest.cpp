// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// MusicXML as a reader needs it: accidentals where they are due (and as courtesies), beams and
// ties, the upbeat bar; and LilyPond reads and engraves items of five levels.
#include "music/MusicXml.h"
#include "music/DictationCommand.h"
#include "tests/music/ScoreText.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

namespace miminomi::testing {

using namespace music;

namespace {

/// The text of each <note> element of a document.
std::vector<std::string> notesOf(const std::string &xml) {
    std::vector<std::string> notes;
    for (std::size_t at = xml.find("<note>"); at != std::string::npos;
         at = xml.find("<note>", at + 1))
        notes.push_back(xml.substr(at, xml.find("</note>", at) - at));
    return notes;
}

/// What one element of each note says ("" where it has none), as "name:text" pairs joined.
std::string each(const std::vector<std::string> &notes, const std::string &element) {
    std::string all;
    const std::regex pattern("<" + element + "[^>]*>([^<]*)</" + element + ">");
    for (const std::string &note : notes) {
        std::smatch match;
        std::string found;
        for (auto it = std::sregex_iterator(note.begin(), note.end(), pattern);
             it != std::sregex_iterator(); ++it)
            found += (found.empty() ? "" : "+") + (*it)[1].str();
        all += (all.empty() ? "" : " ") + (found.empty() ? "-" : found);
    }
    return all;
}

/// Runs a shell command; its exit status and what it printed.
std::pair<int, std::string> run(const std::string &command) {
    std::string output;
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return {-1, "cannot run"};
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    return {::pclose(pipe), output};
}

} // namespace

TEST(MusicXml, AccidentalsAreShownWhereAReaderNeedsThemAndAsCourtesies) {
    // A minor: G5 after G♯4 in one bar, G♯ and G♮ in turn, a G♯ held over the bar line and a
    // G after it, and a G in the bar after that.
    const Score score = scoreOf({0, true}, {4, 4},
                                "^ E4:q | G#4:e A4:e G5:e F5:e G4:q G#4:q~ | G#4:q A4:q G4:h |"
                                " G4:q G#4:q A4:q");
    const auto notes = notesOf(musicXml(score));
    EXPECT_EQ(each(notes, "accidental"), "- sharp - natural - natural sharp - - natural - sharp -");
    ASSERT_EQ(notes.size(), 13u);
    EXPECT_NE(notes[6].find("<tied type=\"start\"/>"), std::string::npos);
    EXPECT_NE(notes[7].find("<tie type=\"stop\"/>"), std::string::npos);
    EXPECT_EQ(each(notes, "voice"), "1 1 1 1 1 1 1 1 1 1 1 1 1");
}

TEST(MusicXml, BarsBeamsAndTheTitleAreWrittenAsTheScoreHasThem) {
    const Score score = scoreOf({-2, false}, {2, 4}, "^ F4:e | G4:e. A4:s Bb4:s C5:e. | Bb4:q.");
    const std::string xml = musicXml(score, "聴音 <1>");
    const auto notes = notesOf(xml);
    EXPECT_EQ(each(notes, "beam"), "- begin end+backward hook begin+forward hook end -");
    EXPECT_EQ(each(notes, "type"), "eighth eighth 16th 16th eighth quarter");
    EXPECT_EQ(each(notes, "duration"), "24 36 12 12 36 72");
    EXPECT_NE(xml.find("<work-title>聴音 &lt;1&gt;</work-title>"), std::string::npos);
    EXPECT_NE(xml.find("<measure number=\"0\" implicit=\"yes\">"), std::string::npos);
    EXPECT_NE(xml.find("<measure number=\"2\">"), std::string::npos);
    EXPECT_NE(xml.find("<divisions>48</divisions>"), std::string::npos);
    EXPECT_NE(xml.find("<key><fifths>-2</fifths><mode>major</mode></key>"), std::string::npos);
    EXPECT_NE(xml.find("<bar-style>light-heavy</bar-style></barline>\n    </measure>\n  </part>"),
              std::string::npos);
}

TEST(MusicXml, LilyPondReadsAndEngravesItemsOfFiveLevelsWithoutAWarning) {
    if (run("command -v musicxml2ly && command -v lilypond").first != 0)
        GTEST_SKIP() << "LilyPond is not installed (apt-get install --no-install-recommends "
                        "lilypond); the engraving of MusicXML items is not checked";
    TemporaryFolder folder;
    std::ostringstream out, err;
    std::string files;
    // A two-bar beginner's item, 6/8 and the raised 6th, an upbeat and sixteenths, the exam's
    // syncopations and ties, and a rhythm.
    for (const auto &[level, seed] :
         std::vector<std::pair<int, int>>{{1, 1}, {4, 2}, {6, 3}, {7, 4}, {11, 5}}) {
        const std::string name = "level" + std::to_string(level);
        ASSERT_EQ(runDictationCommand({"--write-dictation", std::to_string(level), "1",
                                       folder.filePath(name), std::to_string(seed)},
                                      out, err),
                  0);
        const std::string item = folder.filePath(name + "/001");
        const auto [status, said] = run("musicxml2ly -o '" + item + ".ly' '" + item + ".musicxml'");
        EXPECT_EQ(status, 0) << said;
        files += " '" + item + ".ly'";
    }
    const auto [status, said] =
        run("cd '" + folder.path().string() + "' && lilypond --loglevel=WARNING --svg" + files);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(said, "") << "LilyPond warned";
}

} // namespace miminomi::testing
