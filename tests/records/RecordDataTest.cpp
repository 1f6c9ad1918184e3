// The record of one run: percentages and answer counts as the graphs use them, and the date form
// that the writer and the reader share.
#include "records/RecordData.h"
#include "quiz/CalendarClock.h"
#include "records/RecordDate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

using miminomi::RecordData;
using miminomi::RecordDate;

namespace {

constexpr std::int32_t maxCount = std::numeric_limits<std::int32_t>::max();

TEST(RecordPercentage, TruncatesAndIsZeroWithoutAnswers) {
    EXPECT_EQ(RecordData::ratio(2, 1), 66);
    EXPECT_EQ(RecordData::ratio(1, 2), 33);
    EXPECT_EQ(RecordData::ratio(0, 0), 0);
    EXPECT_EQ(RecordData::ratio(0, 7), 0);
    EXPECT_EQ(RecordData::ratio(7, 0), 100);
    EXPECT_EQ(RecordData::ratio(199, 1), 99);
}

TEST(RecordPercentage, LargestCountsDoNotOverflow) {
    EXPECT_EQ(RecordData::ratio(maxCount, 0), 100);
    EXPECT_EQ(RecordData::ratio(maxCount, maxCount), 50);
    EXPECT_EQ(RecordData::ratio(1, maxCount), 0);
}

TEST(RecordData, EachExerciseReadsItsOwnPairInFieldOrder) {
    const RecordData record("2006/04/01", 2, 1, 1, 2, 3, 0, 0, 4, 5, 5);
    EXPECT_EQ(record.getRecordDate(), "2006/04/01");
    EXPECT_EQ(record.getNoteRatio(), 66);
    EXPECT_EQ(record.getScaleRatio(), 33);
    EXPECT_EQ(record.getChordRatio(), 100);
    EXPECT_EQ(record.getRisumRatio(), 0);
    EXPECT_EQ(record.getMelodyRatio(), 50);
    EXPECT_EQ(record.getNoteCount(), 3);
    EXPECT_EQ(record.getScaleCount(), 3);
    EXPECT_EQ(record.getChordCount(), 3);
    EXPECT_EQ(record.getRisumCount(), 4);
    EXPECT_EQ(record.getMelodyCount(), 10);
}

TEST(RecordData, CountOfTwoLargestTalliesIsExact) {
    const RecordData record("2006/04/01", maxCount, maxCount, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(record.getNoteCount(), 2 * std::int64_t{maxCount});
    EXPECT_EQ(record.getNoteRatio(), 50);
}

TEST(RecordDateText, IsFourDigitYearAndTwoDigitMonthAndDay) {
    EXPECT_EQ(RecordDate(2006, 4, 1).format(), "2006/04/01");
    EXPECT_EQ(RecordDate(2024, 12, 31).format(), "2024/12/31");
    EXPECT_EQ(RecordDate(987, 1, 9).format(), "0987/01/09");
}

TEST(RecordDateText, ReadsTheWrittenFormAndLooserSpellings) {
    EXPECT_EQ(RecordDate::parse("2006/04/01"), RecordDate(2006, 4, 1));
    EXPECT_EQ(RecordDate::parse("2006/4/1"), RecordDate(2006, 4, 1));
    EXPECT_EQ(RecordDate::parse("2006-04-01"), RecordDate(2006, 4, 1));
    EXPECT_EQ(RecordDate::parse(" 2006/04/01\t"), RecordDate(2006, 4, 1));
    EXPECT_EQ(RecordDate::parse("2024/02/29"), RecordDate(2024, 2, 29));
    EXPECT_EQ(RecordDate::parse("2000/02/29"), RecordDate(2000, 2, 29));
}

TEST(RecordDateText, RejectsWhatIsNotACalendarDate) {
    for (const char *text : {"",           "2006",        "2006/04",        "2006/04/01/02",
                             "2006/13/01", "2006/00/10",  "2006/04/31",     "2023/02/29",
                             "1900/02/29", "2006/04/001", "06/04/01",       "20066/04/01",
                             "2006/04-01", "2006.04.01",  "2006/0x/01",     "2006/04/01 12:00",
                             "2006/+4/01", "0000/01/01",  "２００６/04/01", "2006年4月1日"}) {
        EXPECT_FALSE(RecordDate::parse(text).has_value()) << text;
    }
}

TEST(RecordDateText, LocalDateFollowsTheTimeZone) {
    // 2006-03-31 20:00 UTC is already 1 April in Tokyo and still 31 March in New York.
    const std::int64_t seconds = 1143835200;
    const char *saved = std::getenv("TZ");
    const std::string savedZone = saved ? saved : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    EXPECT_EQ(RecordDate::localDateAt(seconds), RecordDate(2006, 4, 1));
    setenv("TZ", "EST5", 1);
    tzset();
    EXPECT_EQ(RecordDate::localDateAt(seconds), RecordDate(2006, 3, 31));
    if (saved)
        setenv("TZ", savedZone.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace
