// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/MusicScale.h"

#include "tests/support/FixedCalendarClock.h"

#include <map>

namespace miminomi::testing {

/// A scale generator whose entries are drawn at a chosen second; questions read type * 100 + root.
struct ScaleRig {
    explicit ScaleRig(std::int64_t seconds) : clock(seconds) {}
    FixedCalendarClock clock;
    SharedRandom random{clock};
    MusicScale scale{random};

    int ask(int family) {
        scale.selectScale(family);
        return scale.getScaleType() * 100 + scale.getRootNote();
    }
    std::string playAll(int root) {
        return semitonesAbove(
            root, [this] { return scale.playScale(); }, MusicScale::endMarker, 20);
    }
};

TEST(MusicScale, AsksEachFamilysScalesWithTheirWeightsPlaysThemUpAndDownAndRedrawsAfter1000) {
    // Each type's notes up and back down to the end marker, as ScaleRig::playAll writes them.
    const std::string notes[] = {
        "024579BCB975420", "023578ACA875320", "023578BCB875320", "023579BCA875320",
        "023579ACA975320", "013578ACA875310", "024679BCB976420", "024579ACA975420",
        "013568ACA865310", "0357ACA7530",     "0357AC97520",     "0157AC87510",
        "0357ACA7530",     "02579C97520",     "01578C87510",     "0457BCB7540"};
    const int questions[] = {357, 258, 159, 60,  361, 262, 163,  64,   65,   166,  267,  368,
                             462, 564, 665, 767, 859, 962, 1062, 1164, 1262, 1360, 1464, 1560};
    std::map<int, int> asked;
    for (int v = 0; v < 48; ++v) {
        const std::int64_t second = secondWhoseFirstDraw(48, v);
        ++asked[ScaleRig(second).ask(1)];
        ++asked[ScaleRig(second).ask(2)];
        ScaleRig rig(second);
        ASSERT_EQ(rig.ask(3), questions[v % 24]) << v;
        const int type = questions[v % 24] / 100, root = questions[v % 24] % 100;
        EXPECT_EQ(rig.playAll(root), notes[type]) << v; // up to note 80, on 68
        rig.scale.clear(); // a replay rewinds to the root and plays the same values
        rig.scale.rewindNoteNum();
        EXPECT_EQ(rig.playAll(root), notes[type]) << v;
    }
    // Families 1 and 2: type and root from one entry; church modes and Japanese scales on one root.
    EXPECT_EQ(asked,
              (std::map<int, int>{{57, 2},   {60, 1},   {63, 1},   {66, 2},  {158, 2},  {161, 1},
                                  {164, 1},  {167, 2},  {259, 2},  {262, 1}, {265, 1},  {268, 2},
                                  {357, 1},  {360, 2},  {363, 1},  {366, 1}, {462, 5},  {564, 5},
                                  {665, 5},  {767, 5},  {859, 5},  {962, 7}, {1062, 7}, {1164, 7},
                                  {1262, 7}, {1360, 7}, {1464, 7}, {1560, 6}}));

    // Entries used up: two by the tonal family, one by any other, even an unknown one, which asks
    // C major on middle C before any question and the previous scale after one.
    ScaleRig rig(1'700'000'000);
    const std::vector<int> v = drawsAt(rig.clock.seconds, 1000, 48);
    EXPECT_EQ(rig.ask(7), 60);
    EXPECT_EQ(rig.playAll(60), "024579BCB975420");
    // Played on without rewinding, the scale starts again from the end marker.
    EXPECT_EQ((std::array{rig.scale.playScale(), rig.scale.playScale()}), (std::array{244, 246}));
    const int previous = rig.ask(0);
    EXPECT_EQ(previous, v[1] % 4 * 100 + 57 + v[2] % 12);
    EXPECT_EQ(rig.ask(-1), previous);
    EXPECT_EQ(rig.ask(2) / 100, v[4] % 7 + 9);
    EXPECT_EQ(rig.ask(1) / 100, v[5] % 9);

    // The last entry taken by a tonal type: its root comes from the entries drawn again.
    rig.ask(2);
    for (int i = 7; i < 999; i += 2)
        rig.ask(0);
    rig.clock.seconds += 3;
    const std::vector<int> w = drawsAt(rig.clock.seconds, 3, 48);
    EXPECT_EQ(rig.ask(0), v[999] % 4 * 100 + 57 + w[0] % 12);
    EXPECT_EQ(rig.ask(0), w[1] % 4 * 100 + 57 + w[2] % 12);
}

} // namespace miminomi::testing
