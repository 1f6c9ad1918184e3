#include "quiz/Answers.h"

#include <gtest/gtest.h>

namespace miminomi {

TEST(Answers, ReadsBackInWritingOrderAndZeroPastTheWrittenValues) {
    Answers sheet;
    sheet.setAnswer(62);
    sheet.setAnswer(11);
    sheet.setAnswer(70);
    // WHEN reading without setHead THEN reading continues after the last write.
    EXPECT_EQ(sheet.getAnswer(), 0);
    sheet.setHead();
    EXPECT_EQ(sheet.getAnswer(), 62);
    // A write after a read lands where the head stands.
    sheet.setAnswer(5);
    sheet.setHead();
    EXPECT_EQ(sheet.getAnswer(), 62);
    EXPECT_EQ(sheet.getAnswer(), 5);
    EXPECT_EQ(sheet.getAnswer(), 70);
    EXPECT_EQ(sheet.getAnswer(), 0);

    sheet.clear();
    sheet.setHead();
    EXPECT_EQ(sheet.getAnswer(), 0);
    EXPECT_EQ(sheet.getAnswer(), 0);
}

TEST(Answers, DropsWritesPastItsCapacity) {
    Answers sheet;
    for (int i = 1; i <= Answers::capacity + 5; ++i) {
        sheet.setAnswer(i);
    }
    sheet.setHead();
    for (int i = 1; i <= Answers::capacity; ++i) {
        ASSERT_EQ(sheet.getAnswer(), i);
    }
    EXPECT_EQ(sheet.getAnswer(), 0);
    EXPECT_EQ(sheet.getAnswer(), 0);
}

TEST(Answers, EncodesNotesScalesAndChordsAsComboItems) {
    struct Note {
        int note, name, height;
    };
    for (auto [note, name, height] :
         {Note{0, 1, 1}, Note{59, 12, 5}, Note{60, 1, 6}, Note{127, 8, 11}, Note{68, 9, 6}}) {
        EXPECT_EQ(Answers::noteNameIndex(note), name) << note;
        EXPECT_EQ(Answers::noteHeightIndex(note), height) << note;
    }
    EXPECT_EQ(Answers::scaleTypeIndex(0), 1);
    EXPECT_EQ(Answers::scaleTypeIndex(8), 9);
    EXPECT_EQ(Answers::scaleTypeIndex(9), 0);
    EXPECT_EQ(Answers::jpScaleTypeIndex(8), 0);
    EXPECT_EQ(Answers::jpScaleTypeIndex(9), 1);
    EXPECT_EQ(Answers::jpScaleTypeIndex(15), 7);
    EXPECT_FALSE(Answers::isJapaneseScale(8));
    EXPECT_TRUE(Answers::isJapaneseScale(9));
    EXPECT_EQ(Answers::chordTypeIndex(3), 4);
    EXPECT_EQ(Answers::chordTypeIndex(13), 14);
}

} // namespace miminomi
