// The committed rhythm and melody pieces: forty MIDI files that FluidSynth's player reads, each
// counted in and over by 13 s, and forty score pictures that load and fit their box.
#include "sound/MidiBytes.h"

#include <QImage>

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace miminomi::testing {
namespace {

namespace fs = std::filesystem;

const fs::path dataDir{MIMINOMI_DATA_DIR};

std::vector<std::string> pieceNames() {
    std::vector<std::string> names;
    for (const char *set : {"risum", "melody"})
        for (int number = 1; number <= 20; ++number)
            names.push_back(set + std::to_string(number));
    return names;
}

TEST(DataFolder, HoldsExactlyTheFortyPiecesAndTheirPicturesNumberedOneToTwenty) {
    std::set<std::string> expected, present;
    for (const auto &name : pieceNames())
        expected.insert({name + ".mid", name + ".bmp"});
    for (const auto &entry : fs::directory_iterator(dataDir))
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, expected);
}

struct Note {
    double start, end;
    int channel;
};

struct PlayedFile {
    bool finished = false;   // the player reached the end of the file within the 15 s
    std::vector<Note> notes; // by onset; a note never released rings to 15 s
};

/// Plays the file through FluidSynth's MIDI player offline, for at most the 15 s the program
/// allows, and records the notes the player sends to the synthesiser.
PlayedFile playThroughFluidSynth(const fs::path &path) {
    struct Recorder {
        PlayedFile played;
        std::int64_t frames = 0;
        std::map<std::pair<int, int>, double> sounding; // onsets by channel and key
    } rec;
    const std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings(
        new_fluid_settings(), delete_fluid_settings);
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    fluid_settings_setnum(settings.get(), "synth.sample-rate", 44100);
    const std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth(
        new_fluid_synth(settings.get()), delete_fluid_synth);
    const std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player(
        new_fluid_player(synth.get()), delete_fluid_player);
    fluid_player_set_playback_callback(
        player.get(),
        [](void *data, fluid_midi_event_t *event) -> int {
            auto &r = *static_cast<Recorder *>(data);
            const int type = fluid_midi_event_get_type(event);
            const std::pair key{fluid_midi_event_get_channel(event),
                                fluid_midi_event_get_key(event)};
            if (type == midi::noteOn && fluid_midi_event_get_velocity(event) > 0) {
                r.sounding[key] = r.frames / 44100.0;
            } else if ((type == midi::noteOff || type == midi::noteOn) &&
                       r.sounding.contains(key)) {
                r.played.notes.push_back({r.sounding[key], r.frames / 44100.0, key.first});
                r.sounding.erase(key);
            }
            return FLUID_OK;
        },
        &rec);
    if (fluid_player_add(player.get(), path.c_str()) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK)
        return {};
    std::vector<float> left(64), right(64);
    while (rec.frames < 15 * 44100 && !rec.played.finished) {
        rec.played.finished = fluid_player_get_status(player.get()) == FLUID_PLAYER_DONE;
        fluid_synth_write_float(synth.get(), 64, left.data(), 0, 1, right.data(), 0, 1);
        rec.frames += 64;
    }
    for (const auto &[key, start] : rec.sounding)
        rec.played.notes.push_back({start, 15.0, key.first});
    // By onset, a click before a note that sounds with it.
    std::ranges::sort(rec.played.notes, {}, [](const Note &n) {
        return std::pair{n.start, n.channel != midi::percussionChannel};
    });
    return rec.played;
}

class Piece : public ::testing::TestWithParam<std::string> {};

TEST_P(Piece, StartsWithTwoCountInClicksAndEndsByThirteenSeconds) {
    const auto played = playThroughFluidSynth(dataDir / (GetParam() + ".mid"));
    EXPECT_TRUE(played.finished) << "unreadable, or still playing when the program closes it";
    ASSERT_GE(played.notes.size(), 3u);
    // Two clicks on the percussion channel (10, counted from 0 as 9), a beat apart, and no others;
    // the piece may come in with the second click (an upbeat), never before it.
    constexpr double tolerance = 0.005; // the player's sample timer works in 64-sample steps
    const auto &clicks = played.notes;
    EXPECT_EQ(clicks[0].channel, midi::percussionChannel);
    EXPECT_EQ(clicks[1].channel, midi::percussionChannel);
    EXPECT_NEAR(clicks[0].start, 0.0, tolerance);
    const double beat = clicks[1].start - clicks[0].start;
    EXPECT_TRUE(beat > 60.0 / 160 && beat < 60.0 / 40) << beat;
    for (std::size_t i = 2; i < played.notes.size(); ++i) {
        EXPECT_NE(played.notes[i].channel, midi::percussionChannel)
            << "a third click at " << played.notes[i].start;
        EXPECT_GE(played.notes[i].start, clicks[1].start - tolerance);
    }
    for (const auto &note : played.notes)
        EXPECT_LE(note.end, 13.0) << "a note starting at " << note.start;
}

TEST_P(Piece, PictureIsASmallBmpThatFitsTheAnswerBox) {
    const fs::path path = dataDir / (GetParam() + ".bmp");
    const QImage picture(QString::fromStdString(path.string()), "BMP");
    ASSERT_FALSE(picture.isNull()) << "Qt cannot read " << path;
    EXPECT_LE(picture.width(), 550);
    EXPECT_LE(picture.height(), 160);
    EXPECT_LE(picture.depth(), 8) << "a 1- or 8-bit picture";
    EXPECT_LT(fs::file_size(path), 100'000u);
}

INSTANTIATE_TEST_SUITE_P(Material, Piece, ::testing::ValuesIn(pieceNames()),
                         [](const auto &info) { return info.param; });

} // namespace
} // namespace miminomi::testing
