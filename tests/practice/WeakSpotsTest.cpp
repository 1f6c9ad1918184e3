// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The weak-spot draw: weak items come more often, only inside the settings, and without it the
// generators' draws are untouched.
#include "practice/WeakSpots.h"
#include "tests/practice/PracticeRig.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace miminomi::testing {

namespace {

/// How often each note, or root and type, came in `count` questions of the page on show.
std::map<std::pair<int, int>, int> draws(PracticeRig &rig, int count, PracticeSettings settings) {
    std::map<std::pair<int, int>, int> seen;
    for (int k = 0; k < count; ++k) {
        rig.practice.next(settings);
        const std::optional<MarkedQuestion> asked = rig.practice.check({});
        ++seen[asked->exercise == Exercise::note ? std::pair{asked->notes[0], -1}
                                                 : std::pair{asked->root, asked->type}];
    }
    return seen;
}

} // namespace

TEST(WeakSpots, ANoteOftenMissedComesMoreOftenByItsPitchEveryAllowedNoteStillComesNoOtherEver) {
    PracticeRig rig;
    // C5 has been missed nearly every time lately; C4, of the same name, never.
    WeakSpots weak(
        [](Exercise) {
            return ItemTallies{{{ItemKind::note, 72}, {1, 19}}, {{ItemKind::note, 60}, {20, 0}}};
        },
        7);
    rig.practice.favourWeakSpots(&weak);
    const auto seen = draws(rig, 1200, PracticeRig::quiet());
    const std::set<int> white = {60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79};
    for (const auto &[note, times] : seen)
        EXPECT_TRUE(white.contains(note.first)) << note.first;
    EXPECT_EQ(seen.size(), white.size());
    PracticeRig plain;
    const auto plainSeen = draws(plain, 1200, PracticeRig::quiet());
    const auto odds = [&](int note) {
        const double weighted = seen.at({note, -1}), unweighted = plainSeen.at({note, -1});
        return weighted / (1200 - weighted) / (unweighted / (1200 - unweighted));
    };
    // C5 against any other note: 1 + 3 × 19 / 22 = 3.6 times its odds without weighting; C4
    // comes as often as any note not missed, about 3.6 times less often than C5 against the rest.
    EXPECT_GT(odds(72), 2.8);
    EXPECT_LT(odds(72), 4.6);
    EXPECT_LT(odds(60), 1.3);
}

TEST(WeakSpots, AWeakChordTypeComesMoreOftenButOnlyWhenPermitted) {
    PracticeRig rig;
    WeakSpots weak(
        [](Exercise) {
            return ItemTallies{{{ItemKind::chordType, 1}, {0, 8}},
                               {{ItemKind::chordType, 12}, {0, 9}}};
        },
        7);
    rig.practice.favourWeakSpots(&weak);
    rig.practice.selectPage(Exercise::chord);
    std::map<int, int> types;
    for (const auto &[chord, times] : draws(rig, 600, PracticeRig::quiet())) {
        EXPECT_TRUE(chord.second == 0 || chord.second == 1) << "only the triads are permitted";
        EXPECT_FALSE((std::set{58, 61, 63, 66, 68}.contains(chord.first))) << "white-key roots";
        types[chord.second] += times;
    }
    EXPECT_GT(types[1], 2 * types[0]); // 3.4 : 1
}

TEST(WeakSpots, OffOrWithNothingWeakTheQuestionsAreTheGeneratorsOwn) {
    PracticeRig plain, nothingWeak, switchedOff;
    WeakSpots none([](Exercise) { return ItemTallies{{{ItemKind::note, 60}, {5, 0}}}; }, 7);
    WeakSpots weak([](Exercise) { return ItemTallies{{{ItemKind::note, 60}, {0, 9}}}; }, 7);
    nothingWeak.practice.favourWeakSpots(&none);
    switchedOff.practice.favourWeakSpots(&weak);
    switchedOff.practice.favourWeakSpots(nullptr);
    for (Exercise page : {Exercise::note, Exercise::scale, Exercise::chord}) {
        for (PracticeRig *rig : {&plain, &nothingWeak, &switchedOff})
            rig->practice.selectPage(page);
        const auto asked = draws(plain, 200, PracticeRig::notes(3));
        EXPECT_EQ(draws(nothingWeak, 200, PracticeRig::notes(3)), asked);
        EXPECT_EQ(draws(switchedOff, 200, PracticeRig::notes(3)), asked);
    }
}

} // namespace miminomi::testing
