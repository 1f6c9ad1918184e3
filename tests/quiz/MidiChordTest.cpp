#include "quiz/MidiChord.h"

#include "tests/support/FixedCalendarClock.h"

#include <map>
#include <set>
#include <utility>

namespace miminomi::testing {
namespace {

using TypeAndRoot = std::pair<int, int>;

/// A chord generator whose root entries are drawn at a chosen second.
struct Rig {
    explicit Rig(std::int64_t seconds, bool useBlackKey = true) : clock(seconds) {
        chord.setUseBlackKey(useBlackKey);
    }
    FixedCalendarClock clock;
    SharedRandom random{clock};
    MidiChord chord{random};

    std::vector<int> playAll() {
        std::vector<int> notes;
        do {
            notes.push_back(chord.playChord());
        } while (notes.back() < 100 && notes.size() < 8);
        return notes;
    }
};

/// A second whose first root entry gives `root`.
std::int64_t secondForRoot(int root) {
    return secondWhere([&](SharedRandom &r) { return r.rand() % 121 % 12 == root - 57; });
}

} // namespace

TEST(MidiChord, BuildsEveryTypeInRootPositionThenTheEndMarker) {
    const std::vector<std::vector<int>> onC{
        {60, 64, 67},         {60, 63, 67},         {60, 64, 67, 70}, {60, 63, 67, 70},
        {60, 64, 67, 71},     {60, 63, 67, 71},     {60, 64, 67, 69}, {60, 63, 67, 69},
        {60, 64, 67, 69, 74}, {60, 63, 67, 69, 74}, {60, 65, 67},     {60, 65, 67, 70},
        {60, 63, 66, 69},     {60, 64, 68, 72},
    };
    for (int type = 0; type < 14; ++type) {
        Rig rig(secondForRoot(60));
        for (int code = 2; code < 14; ++code)
            rig.chord.setPermitedChords(code, true);
        rig.clock.seconds = secondWhoseFirstDraw(14, type); // the type is drawn from the clock
        rig.chord.makeChord();
        EXPECT_EQ(rig.chord.getRootName(), 60);
        EXPECT_EQ(rig.chord.getChordName(), type);
        std::vector<int> expected = onC[type];
        expected.push_back(MidiChord::endMarker);
        EXPECT_EQ(rig.playAll(), expected) << "code " << type;
        // Past the marker the marker repeats; after a rewind the same chord comes again.
        EXPECT_EQ(rig.chord.playChord(), MidiChord::endMarker);
        rig.chord.rewindNoteNum();
        EXPECT_EQ(rig.playAll(), expected) << "code " << type;
    }
}

TEST(MidiChord, ReachesNote82WithASixthNinthOn68) {
    const auto chordOn = [](int root, int type) {
        Rig rig(secondForRoot(root));
        rig.chord.setPermitedChords(type, true);
        rig.clock.seconds = secondWhoseFirstDraw(3, 2); // the third permitted code
        rig.chord.makeChord();
        return rig.playAll();
    };
    EXPECT_EQ(chordOn(68, 8), (std::vector<int>{68, 72, 75, 77, 82, 500}));
    EXPECT_EQ(chordOn(57, 13), (std::vector<int>{57, 61, 65, 69, 500}));
}

TEST(MidiChord, DrawsRootsWithWeight11For57AndRefusesBlackKeysEntryByEntry) {
    std::map<int, int> roots;
    std::set<int> whiteRoots;
    for (int x = 0; x < 121; ++x) {
        const std::int64_t second = secondWhoseFirstDraw(121, x);
        Rig withBlack(second);
        withBlack.chord.makeChord();
        ++roots[withBlack.chord.getRootName()];
        Rig whiteOnly(second, false);
        whiteOnly.chord.makeChord();
        whiteRoots.insert(whiteOnly.chord.getRootName());
    }
    EXPECT_EQ(roots[57], 11);
    for (int root = 58; root <= 68; ++root)
        EXPECT_EQ(roots[root], 10) << root;
    EXPECT_EQ(whiteRoots, (std::set{57, 59, 60, 62, 64, 65, 67}));

    // Every draw uses up an entry, refused or not, so white-key chords take the white entries
    // in order.
    Rig rig(1'700'000'000, false);
    std::vector<int> expected, asked;
    for (int e : drawsAt(rig.clock.seconds, 200, 121)) {
        if (std::set{1, 4, 6, 9, 11}.count(e % 12) == 0) {
            expected.push_back(e % 12 + 57);
            rig.chord.makeChord();
            asked.push_back(rig.chord.getRootName());
        }
    }
    EXPECT_EQ(asked, expected);
}

TEST(MidiChord, DrawsTheRootEntriesAgainAfterTheThousandth) {
    Rig rig(1'700'000'000);
    EXPECT_EQ(rig.chord.playChord(), MidiChord::endMarker); // no chord yet
    const std::vector<int> first = drawsAt(rig.clock.seconds, 1000, 121);
    for (int i = 0; i < 999; ++i)
        rig.chord.makeChord();
    rig.clock.seconds += 5;
    rig.chord.makeChord();
    EXPECT_EQ(rig.chord.getRootName(), first[999] % 12 + 57);
    rig.chord.makeChord();
    EXPECT_EQ(rig.chord.getRootName(), drawsAt(rig.clock.seconds, 1, 121)[0] % 12 + 57);
}

TEST(MidiChord, DrawsTheTypeFromTheClockAmongThePermittedCodesInOrder) {
    Rig rig(1'700'000'000);
    const std::vector<int> permitted{0, 1, 10, 13};
    rig.chord.setPermitedChords(10, true);
    rig.chord.setPermitedChords(13, true);
    for (int i = 0; i < 4; ++i) {
        rig.clock.seconds = secondWhoseFirstDraw(4, i);
        rig.chord.makeChord();
        EXPECT_EQ(rig.chord.getChordName(), permitted[i]);
        rig.chord.makeChord(); // within the same second the type repeats
        EXPECT_EQ(rig.chord.getChordName(), permitted[i]);
    }
    // clearChords forgets the chord and permits the triads only; codes outside 0..13 are
    // ignored, and with nothing permitted the triads are drawn.
    rig.chord.clearChords();
    EXPECT_EQ(TypeAndRoot(rig.chord.getChordName(), rig.chord.getRootName()), TypeAndRoot(0, 0));
    rig.chord.setPermitedChords(-1, true);
    rig.chord.setPermitedChords(14, true);
    rig.clock.seconds = secondWhoseFirstDraw(2, 1);
    rig.chord.makeChord();
    EXPECT_EQ(rig.chord.getChordName(), 1);
    rig.chord.setPermitedChords(0, false);
    rig.chord.setPermitedChords(1, false);
    rig.chord.makeChord();
    EXPECT_EQ(rig.chord.getChordName(), 1);
}

} // namespace miminomi::testing
