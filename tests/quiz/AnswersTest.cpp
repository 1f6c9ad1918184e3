#include "quiz/Answers.h"

#include <gtest/gtest.h>

namespace miminomi {

TEST(Answers, ReadsInWritingOrderZeroPastTheWrittenValuesAndDropsWritesPastCapacity) {
    Answers sheet;
    sheet.setAnswer(62);
    sheet.setAnswer(70);
    EXPECT_EQ(sheet.getAnswer(), 0) << "without setHead reading continues after the last write";
    sheet.setHead();
    EXPECT_EQ(sheet.getAnswer(), 62);
    sheet.setAnswer(5); // a write after a read lands where the head stands
    sheet.setHead();
    for (int expected : {62, 5, 0})
        EXPECT_EQ(sheet.getAnswer(), expected);

    sheet.clear();
    for (int i = 1; i <= Answers::capacity + 5; ++i)
        sheet.setAnswer(i);
    sheet.setHead();
    for (int i = 1; i <= Answers::capacity; ++i)
        ASSERT_EQ(sheet.getAnswer(), i);
    EXPECT_EQ(sheet.getAnswer(), 0);
}

TEST(Answers, EncodesNotesScalesAndChordsAsComboItems) {
    struct Note {
        int note, name, height;
    };
    for (auto [note, name, height] :
         {Note{0, 1, 1}, Note{59, 12, 5}, Note{60, 1, 6}, Note{127, 8, 11}}) {
        EXPECT_EQ(Answers::noteNameIndex(note), name) << note;
        EXPECT_EQ(Answers::noteHeightIndex(note), height) << note;
    }
    // Western codes 0..8, Japanese codes 9..15, each list with an empty item 0.
    struct Scale {
        int code, western, japanese;
    };
    for (auto [code, western, japanese] :
         {Scale{0, 1, 0}, Scale{8, 9, 0}, Scale{9, 0, 1}, Scale{15, 0, 7}}) {
        EXPECT_EQ(Answers::scaleTypeIndex(code), western) << code;
        EXPECT_EQ(Answers::jpScaleTypeIndex(code), japanese) << code;
        EXPECT_EQ(Answers::isJapaneseScale(code), code >= 9) << code;
    }
    EXPECT_EQ(Answers::chordTypeIndex(13), 14);
}

} // namespace miminomi
