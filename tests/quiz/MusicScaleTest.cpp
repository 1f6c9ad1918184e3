#include "quiz/MusicScale.h"

#include "tests/support/FixedCalendarClock.h"

#include <map>
#include <set>
#include <utility>

namespace miminomi::testing {
namespace {

using TypeAndRoot = std::pair<int, int>;

/// A scale generator whose entries are drawn at a chosen second.
struct Rig {
    explicit Rig(std::int64_t seconds) : clock(seconds) {}
    FixedCalendarClock clock;
    SharedRandom random{clock};
    MusicScale scale{random};

    TypeAndRoot ask(int family) {
        scale.clear();
        scale.selectScale(family);
        return {scale.getScaleType(), scale.getRootNote()};
    }
    std::vector<int> playAll() {
        std::vector<int> values;
        do {
            values.push_back(scale.playScale());
        } while (values.back() < 100 && values.size() < 20);
        return values;
    }
};

/// The question of `family` when the first entry is `v`, for every v of 0..47, by how often.
std::map<TypeAndRoot, int> questionsOverAllEntries(int family) {
    std::map<TypeAndRoot, int> asked;
    for (int v = 0; v < 48; ++v)
        ++asked[Rig(secondWhoseFirstDraw(48, v)).ask(family)];
    return asked;
}

/// A second at which the tonal family asks `type` on `root`.
std::int64_t secondForTonal(int type, int root) {
    return secondWhere([&](SharedRandom &r) {
        const int v = r.rand() % 48;
        return v % 4 == type && r.rand() % 48 % 12 == root - 57;
    });
}

} // namespace

TEST(MusicScale, PlaysEveryScaleUpAndDownThenTheEndMarker) {
    const std::map<int, std::vector<int>> expected{
        {0, {60, 62, 64, 65, 67, 69, 71, 72, 71, 69, 67, 65, 64, 62, 60}},
        {1, {57, 59, 60, 62, 64, 65, 67, 69, 67, 65, 64, 62, 60, 59, 57}},
        {2, {57, 59, 60, 62, 64, 65, 68, 69, 68, 65, 64, 62, 60, 59, 57}},
        {3, {57, 59, 60, 62, 64, 66, 68, 69, 67, 65, 64, 62, 60, 59, 57}},
        {4, {62, 64, 65, 67, 69, 71, 72, 74, 72, 71, 69, 67, 65, 64, 62}},
        {5, {64, 65, 67, 69, 71, 72, 74, 76, 74, 72, 71, 69, 67, 65, 64}},
        {6, {65, 67, 69, 71, 72, 74, 76, 77, 76, 74, 72, 71, 69, 67, 65}},
        {7, {67, 69, 71, 72, 74, 76, 77, 79, 77, 76, 74, 72, 71, 69, 67}},
        {8, {59, 60, 62, 64, 65, 67, 69, 71, 69, 67, 65, 64, 62, 60, 59}},
        {9, {62, 65, 67, 69, 72, 74, 72, 69, 67, 65, 62}},
        {10, {62, 65, 67, 69, 72, 74, 71, 69, 67, 64, 62}},
        {11, {64, 65, 69, 71, 74, 76, 72, 71, 69, 65, 64}},
        {12, {62, 65, 67, 69, 72, 74, 72, 69, 67, 65, 62}},
        {13, {60, 62, 65, 67, 69, 72, 69, 67, 65, 62, 60}},
        {14, {64, 65, 69, 71, 72, 76, 72, 71, 69, 65, 64}},
        {15, {60, 64, 65, 67, 71, 72, 71, 67, 65, 64, 60}},
    };
    for (auto [type, notes] : expected) {
        // The tonal scales on the roots above, the others through the family of all scales.
        Rig rig(type < 4 ? secondForTonal(type, notes[0]) : secondWhoseFirstDraw(24, type + 8));
        ASSERT_EQ(rig.ask(type < 4 ? 0 : 3), TypeAndRoot(type, notes[0]));
        notes.push_back(MusicScale::endMarker);
        EXPECT_EQ(rig.playAll(), notes) << "code " << type;
        // A replay rewinds to the root and plays the same values.
        rig.scale.clear();
        rig.scale.rewindNoteNum();
        EXPECT_EQ(rig.playAll(), notes) << "code " << type;
    }
    EXPECT_EQ(expected.at(9), expected.at(12));
}

TEST(MusicScale, TheTonalFamilyPairsEveryTypeWithEveryRootBelowNote81) {
    int highest = 0;
    for (int type = 0; type < 4; ++type) {
        for (int root = 57; root <= 68; ++root) {
            Rig rig(secondForTonal(type, root));
            ASSERT_EQ(rig.ask(0), TypeAndRoot(type, root));
            for (int note : rig.playAll())
                highest = note < 100 ? std::max(highest, note) : highest;
        }
    }
    EXPECT_EQ(highest, 80);
}

TEST(MusicScale, EachFamilyAsksItsScalesOnTheirRootsWithTheirWeights) {
    // Tonal scales and church modes share one entry for type and root.
    const std::map<TypeAndRoot, int> expected1{
        {{0, 57}, 2}, {{0, 60}, 1}, {{0, 63}, 1}, {{0, 66}, 2}, {{1, 58}, 2}, {{1, 61}, 1},
        {{1, 64}, 1}, {{1, 67}, 2}, {{2, 59}, 2}, {{2, 62}, 1}, {{2, 65}, 1}, {{2, 68}, 2},
        {{3, 57}, 1}, {{3, 60}, 2}, {{3, 63}, 1}, {{3, 66}, 1}, {{4, 62}, 5}, {{5, 64}, 5},
        {{6, 65}, 5}, {{7, 67}, 5}, {{8, 59}, 5}};
    EXPECT_EQ(questionsOverAllEntries(1), expected1);

    const std::map<TypeAndRoot, int> expected2{{{9, 62}, 7},  {{10, 62}, 7}, {{11, 64}, 7},
                                               {{12, 62}, 7}, {{13, 60}, 7}, {{14, 64}, 7},
                                               {{15, 60}, 6}};
    EXPECT_EQ(questionsOverAllEntries(2), expected2);

    // The family of all scales: each of its 24 questions comes from two of the 48 values.
    std::map<TypeAndRoot, int> expected3;
    for (TypeAndRoot question : std::vector<TypeAndRoot>{
             {3, 57}, {2, 58}, {1, 59},  {0, 60},  {3, 61},  {2, 62},  {1, 63},  {0, 64},
             {0, 65}, {1, 66}, {2, 67},  {3, 68},  {4, 62},  {5, 64},  {6, 65},  {7, 67},
             {8, 59}, {9, 62}, {10, 62}, {11, 64}, {12, 62}, {13, 60}, {14, 64}, {15, 60}})
        expected3[question] = 2;
    EXPECT_EQ(questionsOverAllEntries(3), expected3);
}

TEST(MusicScale, ConsumesTwoEntriesForTheTonalFamilyAndOneOtherwise) {
    Rig rig(1'700'000'000);
    const std::vector<int> v = drawsAt(rig.clock.seconds, 1000, 48);
    EXPECT_EQ(rig.ask(2).first, v[0] % 7 + 9);
    EXPECT_EQ(rig.ask(0), TypeAndRoot(v[1] % 4, 57 + v[2] % 12));
    const TypeAndRoot previous = rig.ask(3);
    EXPECT_EQ(previous, TypeAndRoot(MusicScale::allScalesQuestions[v[3] % 24].scaleType,
                                    MusicScale::allScalesQuestions[v[3] % 24].rootNote));
    // An unknown family repeats the previous scale and still uses up an entry.
    EXPECT_EQ(rig.ask(-1), previous);
    EXPECT_EQ(rig.ask(2).first, v[5] % 7 + 9);

    // GIVEN the last entry is taken by a tonal type WHEN its root is drawn THEN the entries are
    // drawn again at the current second and the root comes from the first new one.
    rig.ask(2);
    for (int i = 7; i < 999; i += 2)
        rig.ask(0);
    rig.clock.seconds += 3;
    const std::vector<int> w = drawsAt(rig.clock.seconds, 3, 48);
    EXPECT_EQ(rig.ask(0), TypeAndRoot(v[999] % 4, 57 + w[0] % 12));
    EXPECT_EQ(rig.ask(0), TypeAndRoot(w[1] % 4, 57 + w[2] % 12));
}

TEST(MusicScale, BeforeAnyQuestionAnUnknownFamilyPlaysCMajor) {
    Rig rig(1'700'000'000);
    EXPECT_EQ(rig.ask(7), TypeAndRoot(0, 60));
    EXPECT_EQ(rig.playAll(), (std::vector<int>{60, 62, 64, 65, 67, 69, 71, 72, 71, 69, 67, 65, 64,
                                               62, 60, MusicScale::endMarker}));
    // Played on without rewinding, the notes go on from the marker and wrap past 255.
    EXPECT_EQ(rig.playAll(), (std::vector<int>{244}));
    std::vector<int> wrapped;
    for (int i = 0; i < 9; ++i)
        wrapped.push_back(rig.scale.playScale());
    EXPECT_EQ(wrapped, (std::vector<int>{246, 248, 249, 251, 253, 255, 0, 255, 253}));
}

} // namespace miminomi::testing
