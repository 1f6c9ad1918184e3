// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Items as they sound: the MIDI events are the notes, after the key's cadence and a count-in
// that leads to the first full bar, and a Standard MIDI File reads back to the same events.
#include "music/DictationGenerator.h"
#include "music/Performance.h"
#include "tests/music/ScoreText.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
// After the standard headers, so that glib's C++ parts are not declared with C linkage.
#include <smf.h>

namespace miminomi::testing {

using namespace music;

namespace {

struct Sounded {
    std::int32_t onset, note, length;
};

/// The notes a score holds, each tied note once, timed from the score's start.
std::vector<Sounded> notesOf(const Score &score, bool upper) {
    std::vector<Sounded> notes;
    std::int32_t barStart = 0;
    bool tied = false;
    for (const Bar &bar : score.bars) {
        std::int32_t time = barStart;
        for (const Note &note : upper ? bar.upper : bar.lower) {
            if (note.pitch && tied)
                notes.back().length += note.value.ticks();
            else if (note.pitch)
                notes.push_back({time, note.pitch->midi(), note.value.ticks()});
            tied = note.tieToNext;
            time += note.value.ticks();
        }
        for (const Note &note : bar.upper)
            barStart += note.value.ticks();
    }
    return notes;
}

std::vector<MidiEvent> onChannel(const Performance &performance, std::uint8_t channel) {
    std::vector<MidiEvent> events;
    for (const MidiEvent &event : performance.events)
        if (event.channel == channel)
            events.push_back(event);
    return events;
}

} // namespace

TEST(Playback, TheEventsOfEveryLevelsItemsAreTheirNotes) {
    for (const DictationLevel &level : dictationLevels())
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            const Score score = generateDictation(level, seed);
            const Performance performance = perform(score, {true, true, 0});
            const auto events = onChannel(performance, Performance::noteChannel);
            const auto notes = notesOf(score, true);
            ASSERT_EQ(events.size(), notes.size()) << level.number << " " << seed;
            for (std::size_t k = 0; k < notes.size(); ++k) {
                EXPECT_EQ(events[k].onset, performance.scoreStart + notes[k].onset);
                EXPECT_EQ(events[k].note, notes[k].note);
                // Held its length, or released a thirty-second early before the same pitch.
                const bool again = k + 1 < notes.size() && notes[k + 1].note == notes[k].note &&
                                   notes[k + 1].onset == notes[k].onset + notes[k].length;
                EXPECT_EQ(events[k].length, notes[k].length - (again ? ticksPerQuarter / 8 : 0))
                    << "level " << level.number << ", seed " << seed << ", note " << k;
            }
        }
}

TEST(Playback, TheCadenceIsTheKeysFourChordsAndTheCountInLeadsToTheFirstFullBar) {
    // A minor, an upbeat of a quarter: "E4 | A4 ...".
    Score score = scoreOf({0, true}, {4, 4}, "^ E4:q | A4:h G#4:h | A4:h.");
    score.bars[1].lower = scoreOf({}, {4, 4}, "C4:h B3:h").bars[0].upper;
    const Performance performance = perform(score, {true, true, 0});

    std::map<std::int32_t, std::set<std::int32_t>> chords;
    for (const MidiEvent &event : onChannel(performance, Performance::cadenceChannel)) {
        chords[event.onset].insert(event.note);
        EXPECT_TRUE(event.note >= 40 && event.note <= 84) << event.note;
    }
    ASSERT_EQ(chords.size(), 4u);
    std::vector<std::vector<int>> classes; // the pitch classes, the bass first
    for (const auto &[onset, notes] : chords) {
        classes.push_back({});
        for (std::int32_t note : notes)
            classes.back().push_back(note % 12);
        EXPECT_EQ(notes.size(), 4u);
    }
    const int a = 9, b = 11, c = 0, d = 2, e = 4, f = 5, gSharp = 8;
    EXPECT_EQ(classes[0], (std::vector<int>{a, c, e, a}));
    EXPECT_EQ(classes[1], (std::vector<int>{d, d, f, a}));
    EXPECT_EQ(classes[2], (std::vector<int>{e, b, e, gSharp}));
    EXPECT_EQ(classes[3], classes[0]);

    const auto clicks = onChannel(performance, Performance::clickChannel);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].onset - clicks[0].onset, ticksPerQuarter);
    EXPECT_GT(clicks[0].onset, chords.rbegin()->first);
    // The upbeat sounds with the second click, the first full bar on the beat after it.
    const auto notes = onChannel(performance, Performance::noteChannel);
    EXPECT_EQ(notes.front().onset, clicks[1].onset);
    EXPECT_EQ(notes[1].onset, clicks[0].onset + 2 * ticksPerQuarter);
    // The second voice sounds with the first.
    EXPECT_EQ(notes[2].onset, notes[1].onset);
    EXPECT_EQ(notes[2].note, 60);
}

TEST(Playback, AMidiFileReadsBackToTheSameEvents) {
    TemporaryFolder folder;
    const Score score = generateDictation(*dictationLevel(7), 3);
    const Performance performance = perform(score, {true, true, 0});
    const std::string path = folder.filePath("item.mid");
    ASSERT_TRUE(writeMidiFile(performance, path).ok());

    const std::unique_ptr<smf_t, decltype(&smf_delete)> file(smf_load(path.c_str()), smf_delete);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->ppqn, ticksPerQuarter);
    std::vector<MidiEvent> read;
    std::map<std::pair<int, int>, std::size_t> sounding;
    bool tempo = false, time = false;
    while (smf_event_t *event = smf_get_next_event(file.get())) {
        const std::uint8_t *bytes = event->midi_buffer;
        if (bytes[0] == 0xFF) {
            tempo = tempo || (bytes[1] == 0x51 && (bytes[3] << 16 | bytes[4] << 8 | bytes[5]) ==
                                                      60'000'000 / score.tempo);
            time = time || (bytes[1] == 0x58 && bytes[3] == score.metre.beats);
            continue;
        }
        const int channel = bytes[0] & 0x0F, kind = bytes[0] & 0xF0;
        if (kind == 0x90 && bytes[2] > 0) {
            sounding[{channel, bytes[1]}] = read.size();
            read.push_back(
                {event->time_pulses, bytes[1], 0, bytes[2], static_cast<std::uint8_t>(channel)});
        } else if (kind == 0x80 || kind == 0x90) {
            MidiEvent &note = read[sounding.at({channel, bytes[1]})];
            note.length = event->time_pulses - note.onset;
        }
    }
    EXPECT_TRUE(tempo && time);
    std::stable_sort(read.begin(), read.end(),
                     [](const MidiEvent &x, const MidiEvent &y) { return x.onset < y.onset; });
    EXPECT_EQ(read, performance.events);
}

} // namespace miminomi::testing
