#include "quiz/Answers.h"

#include <gtest/gtest.h>

namespace miminomi {

TEST(Answers, ReadsInWritingOrderFromTheSharedHeadZeroPastTheValuesAndKeepsCapacityValues) {
    Answers sheet;
    for (int i = 1; i <= Answers::capacity + 5; ++i)
        sheet.setAnswer(i);
    sheet.setHead();
    for (int i = 1; i <= Answers::capacity; ++i)
        ASSERT_EQ(sheet.getAnswer(), i);
    EXPECT_EQ(sheet.getAnswer(), 0);
    sheet.clear();
    sheet.setAnswer(62);
    EXPECT_EQ(sheet.getAnswer(), 0) << "reading goes on after the last write, over cleared values";
    sheet.setHead();
    EXPECT_EQ(sheet.getAnswer(), 62);
}

TEST(Answers, EncodesNotesScalesAndChordsAsComboItems) {
    const int notes[][3] = {{0, 1, 1}, {59, 12, 5}, {60, 1, 6}, {127, 8, 11}};
    for (const auto &[note, name, octave] : notes)
        EXPECT_EQ(std::pair(Answers::noteNameIndex(note), Answers::noteHeightIndex(note)),
                  std::pair(name, octave));
    // Western codes 0..8, Japanese codes 9..15, each list with an empty item 0.
    const int scales[][3] = {{0, 1, 0}, {8, 9, 0}, {9, 0, 1}, {15, 0, 7}, {16, 0, 0}};
    for (const auto &[code, western, japanese] : scales)
        EXPECT_EQ(std::tuple(Answers::scaleTypeIndex(code), Answers::jpScaleTypeIndex(code),
                             Answers::isJapaneseScale(code)),
                  std::tuple(western, japanese, japanese != 0));
    EXPECT_EQ(Answers::chordTypeIndex(13), 14);
}

} // namespace miminomi
