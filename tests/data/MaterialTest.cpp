// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The committed rhythm and melody pieces in data/: forty MIDI files that FluidSynth's player
// reads, each counted in and over by 13 s, and forty score pictures that load and fit their box.
#include "sound/MidiBytes.h"

#include <QImage>

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <vector>

namespace miminomi::testing {

namespace fs = std::filesystem;

/// What FluidSynth's MIDI player sends to the synthesiser as it plays a file offline for at most
/// the 15 s the program allows: note onsets on the percussion channel and on the others, the keys
/// left sounding by channel, the time of the last note event, whether the file was played out.
struct Played {
    std::vector<double> clicks, notes;
    std::set<std::pair<int, int>> sounding;
    double now = 0, lastNoteEvent = 0;
    bool finished = false;

    static int record(void *data, fluid_midi_event_t *event) {
        auto &p = *static_cast<Played *>(data);
        const int type = fluid_midi_event_get_type(event);
        const std::pair key{fluid_midi_event_get_channel(event), fluid_midi_event_get_key(event)};
        if (type == midi::noteOn || type == midi::noteOff)
            p.lastNoteEvent = p.now;
        if (type == midi::noteOn && fluid_midi_event_get_velocity(event) > 0) {
            p.sounding.insert(key);
            (key.first == midi::percussionChannel ? p.clicks : p.notes).push_back(p.now);
        } else if (type == midi::noteOn || type == midi::noteOff) {
            p.sounding.erase(key);
        }
        return FLUID_OK;
    }
};

Played playThroughFluidSynth(const fs::path &path) {
    Played played;
    const std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings(
        new_fluid_settings(), delete_fluid_settings);
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    const std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth(
        new_fluid_synth(settings.get()), delete_fluid_synth);
    const std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player(
        new_fluid_player(synth.get()), delete_fluid_player);
    fluid_player_set_playback_callback(player.get(), &Played::record, &played);
    if (fluid_player_add(player.get(), path.c_str()) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK)
        return played;
    std::vector<float> left(64), right(64);
    for (int frames = 0; frames < 15 * 44100 && !played.finished; frames += 64) {
        played.now = frames / 44100.0;
        played.finished = fluid_player_get_status(player.get()) == FLUID_PLAYER_DONE;
        fluid_synth_write_float(synth.get(), 64, left.data(), 0, 1, right.data(), 0, 1);
    }
    return played;
}

TEST(Material, FortyPiecesStartWithTwoCountInClicksEndBy13SecondsAndHaveASmallPicture) {
    const fs::path data{MIMINOMI_DATA_DIR};
    EXPECT_EQ(std::distance(fs::directory_iterator(data), {}), 80) << "nothing else in data/";
    for (int i = 0; i < 40; ++i) {
        const std::string name = (i < 20 ? "risum" : "melody") + std::to_string(i % 20 + 1);
        SCOPED_TRACE(name);
        const Played played = playThroughFluidSynth(data / (name + ".mid"));
        EXPECT_TRUE(played.finished) << "unreadable, or still playing when the program ends it";
        EXPECT_LE(played.lastNoteEvent, 13.0);
        // Two clicks on the percussion channel (10, counted from 0 as 9), a beat apart, and no
        // others; the piece may come in with the second click (an upbeat), never before it.
        ASSERT_EQ(played.clicks.size(), 2u);
        ASSERT_FALSE(played.notes.empty());
        EXPECT_LT(played.clicks[0], 0.005) << "the player's timer works in 64-sample steps";
        const double beat = played.clicks[1] - played.clicks[0];
        EXPECT_TRUE(beat > 60.0 / 160 && beat < 60.0 / 40) << beat;
        EXPECT_GE(played.notes.front(), played.clicks[1] - 0.005);
        EXPECT_TRUE(played.sounding.empty()) << "a note is never released";

        // A 1- or 8-bit picture that fits the answer box.
        const fs::path path = data / (name + ".bmp");
        const QImage picture(QString::fromStdString(path.string()), "BMP");
        EXPECT_TRUE(!picture.isNull() && picture.width() <= 550 && picture.height() <= 160 &&
                    picture.depth() <= 8);
        EXPECT_LT(fs::file_size(path), 100'000u);
    }
}

} // namespace miminomi::testing
