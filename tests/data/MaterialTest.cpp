// The committed rhythm and melody pieces: forty MIDI files that FluidSynth's player reads, each
// counted in and over by 13 s, and forty score pictures that load and fit their box.
#include "sound/platform/StandardMidiFile.h"

#include <QImage>

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace miminomi::testing {
namespace {

namespace fs = std::filesystem;

const fs::path dataDir{MIMINOMI_DATA_DIR};
const fs::path materialDir{MIMINOMI_MATERIAL_DIR};

constexpr int pieceCount = 20;
constexpr int pictureWidth = 550;
constexpr int pictureHeight = 160;
constexpr double lastNoteEndsBy = 13.0; // seconds: the program plays 15 s, with room to ring
constexpr double sampleRate = 44100;
constexpr int percussionChannel = 9;       // General MIDI channel 10, counted from 0
constexpr double toleranceSeconds = 0.005; // the player's sample timer works in 64-sample steps

std::vector<std::string> pieceNames() {
    std::vector<std::string> names;
    for (const char *set : {"risum", "melody"})
        for (int number = 1; number <= pieceCount; ++number)
            names.push_back(set + std::to_string(number));
    return names;
}

bool isRhythm(const std::string &name) {
    return name.starts_with("risum");
}

std::vector<std::uint8_t> readBytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// --- The folder: the program finds each piece and its picture by number ---

TEST(DataFolder, HoldsExactlyTheFortyPiecesAndTheirPicturesNumberedOneToTwenty) {
    std::set<std::string> expected;
    for (const auto &name : pieceNames()) {
        expected.insert(name + ".mid");
        expected.insert(name + ".bmp");
    }
    std::set<std::string> present;
    for (const auto &entry : fs::directory_iterator(dataDir))
        present.insert(entry.path().filename().string());

    std::vector<std::string> missing, extra;
    std::ranges::set_difference(expected, present, std::back_inserter(missing));
    std::ranges::set_difference(present, expected, std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << "missing: " << ::testing::PrintToString(missing);
    EXPECT_TRUE(extra.empty()) << "not a piece or picture of 1..20: "
                               << ::testing::PrintToString(extra);
}

TEST(DataFolder, EveryPieceHasItsLilyPondSource) {
    for (const auto &name : pieceNames()) {
        const auto source = materialDir / (isRhythm(name) ? "risum" : "melody") / (name + ".ly");
        EXPECT_TRUE(fs::is_regular_file(source)) << source;
    }
}

TEST(DataFolder, NoTwoPiecesOrPicturesAreTheSame) {
    for (const char *extension : {".mid", ".bmp"}) {
        std::map<std::vector<std::uint8_t>, std::string> seen;
        for (const auto &name : pieceNames()) {
            const auto [at, inserted] =
                seen.emplace(readBytes(dataDir / (name + extension)), name + extension);
            EXPECT_TRUE(inserted) << name + extension << " is a copy of " << at->second;
        }
    }
}

// --- The sound of one piece, as FluidSynth's MIDI player sequences it ---

/// A channel event as the player dispatched it, stamped with its time from the start of play.
struct Heard {
    double seconds;
    int type; // 0x90 note on (velocity above 0), 0x80 note off, 0xC0 program change
    int channel;
    int key;
    int program;
};

struct Note {
    double start;
    double end;
    int channel;
    int key;
};

struct PlayedFile {
    bool finished = false; // the player reached the end of the file within the 15 s
    std::vector<Heard> events;
    std::vector<Note> notes;
};

/// Plays the file through FluidSynth's MIDI player offline, for at most the 15 s the program
/// allows, and records what the player sends to the synthesiser.
PlayedFile playThroughFluidSynth(const fs::path &path) {
    struct Recorder {
        PlayedFile played;
        std::int64_t frames = 0;
    } recorder;

    const std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings(
        new_fluid_settings(), delete_fluid_settings);
    fluid_settings_setstr(settings.get(), "player.timing-source", "sample");
    fluid_settings_setnum(settings.get(), "synth.sample-rate", sampleRate);
    const std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth(
        new_fluid_synth(settings.get()), delete_fluid_synth);
    const std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player(
        new_fluid_player(synth.get()), delete_fluid_player);

    fluid_player_set_playback_callback(
        player.get(),
        [](void *data, fluid_midi_event_t *event) -> int {
            auto &rec = *static_cast<Recorder *>(data);
            int type = fluid_midi_event_get_type(event);
            if (type == 0x90 && fluid_midi_event_get_velocity(event) == 0)
                type = 0x80;
            const int channel = fluid_midi_event_get_channel(event);
            const int key = type == 0xC0 ? -1 : fluid_midi_event_get_key(event);
            const int program = type == 0xC0 ? fluid_midi_event_get_program(event) : -1;
            rec.played.events.push_back(
                {static_cast<double>(rec.frames) / sampleRate, type, channel, key, program});
            return FLUID_OK;
        },
        &recorder);

    if (fluid_player_add(player.get(), path.c_str()) != FLUID_OK ||
        fluid_player_play(player.get()) != FLUID_OK)
        return {};
    constexpr int block = 64;
    std::vector<float> left(block), right(block);
    while (recorder.frames < 15 * static_cast<std::int64_t>(sampleRate)) {
        if (fluid_player_get_status(player.get()) == FLUID_PLAYER_DONE) {
            recorder.played.finished = true;
            break;
        }
        fluid_synth_write_float(synth.get(), block, left.data(), 0, 1, right.data(), 0, 1);
        recorder.frames += block;
    }

    std::map<std::pair<int, int>, double> sounding;
    for (const auto &e : recorder.played.events) {
        const std::pair key{e.channel, e.key};
        if (e.type == 0x90) {
            sounding[key] = e.seconds;
        } else if (e.type == 0x80 && sounding.contains(key)) {
            recorder.played.notes.push_back({sounding[key], e.seconds, e.channel, e.key});
            sounding.erase(key);
        }
    }
    for (const auto &[key, start] : sounding) // never released: rings to the end
        recorder.played.notes.push_back({start, 15.0, key.first, key.second});
    std::ranges::sort(recorder.played.notes, {}, &Note::start);
    return recorder.played;
}

class Piece : public ::testing::TestWithParam<std::string> {
protected:
    fs::path midiPath() const { return dataDir / (GetParam() + ".mid"); }
    fs::path picturePath() const { return dataDir / (GetParam() + ".bmp"); }
};

TEST_P(Piece, IsAStandardMidiFileThePlayerReadsToTheEndWithinFifteenSeconds) {
    EXPECT_TRUE(isReadableStandardMidiFile(readBytes(midiPath())));
    const auto played = playThroughFluidSynth(midiPath());
    EXPECT_FALSE(played.notes.empty()) << "the player found no notes";
    EXPECT_TRUE(played.finished) << "still playing when the program closes the file";
}

TEST_P(Piece, StartsWithTwoCountInClicksThenThePieceComesInOnTheNextBeat) {
    const auto notes = playThroughFluidSynth(midiPath()).notes;
    std::vector<Note> clicks, piece;
    std::ranges::partition_copy(notes, std::back_inserter(clicks), std::back_inserter(piece),
                                [](const Note &n) { return n.channel == percussionChannel; });
    ASSERT_EQ(clicks.size(), 2u) << "two clicks on the percussion channel, and no others";
    ASSERT_FALSE(piece.empty());

    const double beat = clicks[1].start - clicks[0].start;
    EXPECT_NEAR(clicks[0].start, 0.0, toleranceSeconds) << "the first click opens the file";
    EXPECT_GT(beat, 60.0 / 160) << "count-in faster than 160 beats a minute";
    EXPECT_LT(beat, 60.0 / 40) << "count-in slower than 40 beats a minute";
    EXPECT_EQ(clicks[0].key, clicks[1].key);

    // An upbeat may sound with the second click, never before it.
    EXPECT_GE(piece.front().start, clicks[1].start - toleranceSeconds);
    // The first bar begins on the beat after the count-in (every piece has a note there).
    EXPECT_TRUE(std::ranges::any_of(
        piece, [&](const Note &n) { return std::abs(n.start - 2 * beat) <= toleranceSeconds; }))
        << "no note on the downbeat after the two clicks, at " << 2 * beat << " s";
}

TEST_P(Piece, LastNoteEndsByThirteenSeconds) {
    const auto notes = playThroughFluidSynth(midiPath()).notes;
    ASSERT_FALSE(notes.empty());
    const auto last = std::ranges::max(notes, {}, &Note::end);
    EXPECT_LE(last.end, lastNoteEndsBy) << "key " << last.key << " on channel " << last.channel;
}

TEST_P(Piece, SoundsOnOneVoiceOutsideThePercussionChannel) {
    const auto played = playThroughFluidSynth(midiPath());
    std::set<int> channels, keys, programs;
    for (const auto &n : played.notes) {
        if (n.channel != percussionChannel) {
            channels.insert(n.channel);
            keys.insert(n.key);
        }
    }
    ASSERT_EQ(channels.size(), 1u);
    for (const auto &e : played.events)
        if (e.type == 0xC0 && e.channel == *channels.begin())
            programs.insert(e.program);
    ASSERT_EQ(programs.size(), 1u) << "one instrument, chosen before the piece starts";
    if (isRhythm(GetParam())) {
        EXPECT_EQ(keys.size(), 1u) << "a rhythm sounds on one pitch";
    } else {
        EXPECT_EQ(*programs.begin(), 0) << "melodies play on the piano";
        EXPECT_GE(keys.size(), 3u) << "a melody moves";
    }
}

// --- The picture of one piece, as the answer box shows it ---

TEST_P(Piece, PictureIsASmallBmpThatFitsTheAnswerBox) {
    const QImage picture(QString::fromStdString(picturePath().string()), "BMP");
    ASSERT_FALSE(picture.isNull()) << "Qt cannot read " << picturePath();
    EXPECT_LE(picture.width(), pictureWidth);
    EXPECT_LE(picture.height(), pictureHeight);
    EXPECT_LE(picture.depth(), 8) << "a 1- or 8-bit picture";
    EXPECT_LT(fs::file_size(picturePath()), 100'000u);
}

TEST_P(Piece, PictureShowsDarkNotesOnWhiteWithNothingCutAtTheEdges) {
    const QImage picture = QImage(QString::fromStdString(picturePath().string()))
                               .convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(picture.isNull());
    int inkTop = picture.height(), inkBottom = -1, inkLeft = picture.width(), inkRight = -1;
    long dark = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) >= 128)
                continue;
            ++dark;
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y);
            inkLeft = std::min(inkLeft, x);
            inkRight = std::max(inkRight, x);
        }
    }
    const double darkShare = static_cast<double>(dark) / (picture.width() * picture.height());
    EXPECT_GT(darkShare, 0.01) << "hardly any ink: an empty picture?";
    EXPECT_LT(darkShare, 0.25) << "mostly dark: not notes on white paper";
    // A staff across the picture, nothing touching the border where it would be cut off.
    EXPECT_GT(inkLeft, 0);
    EXPECT_GT(inkTop, 0);
    EXPECT_LT(inkRight, picture.width() - 1);
    EXPECT_LT(inkBottom, picture.height() - 1);
    EXPECT_GT(inkRight - inkLeft, picture.width() / 2) << "the staff spans the picture";
}

INSTANTIATE_TEST_SUITE_P(Material, Piece, ::testing::ValuesIn(pieceNames()),
                         [](const auto &info) { return info.param; });

} // namespace
} // namespace miminomi::testing
