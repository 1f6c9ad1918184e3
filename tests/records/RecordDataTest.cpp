// The record of one run: percentages and answer counts as the graphs use them, and the date form
// that the writer and the reader share.
#include "records/RecordData.h"
#include "records/RecordDate.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <limits>

using miminomi::RecordData;
using miminomi::RecordDate;

namespace {

constexpr std::int32_t maxCount = std::numeric_limits<std::int32_t>::max();

TEST(RecordPercentage, TruncatesIsZeroWithoutAnswersAndNeverOverflows) {
    struct Case {
        std::int32_t right, wrong, percent;
    };
    for (auto [right, wrong, percent] :
         {Case{2, 1, 66}, Case{199, 1, 99}, Case{0, 0, 0}, Case{7, 0, 100}, Case{maxCount, 0, 100},
          Case{maxCount, maxCount, 50}, Case{1, maxCount, 0}})
        EXPECT_EQ((miminomi::Tally{right, wrong}.percentRight()), percent) << right << " " << wrong;
}

TEST(RecordData, EachExerciseReadsItsOwnPairInFieldOrder) {
    miminomi::Tallies tallies;
    tallies[miminomi::Exercise::note] = {2, 1};
    tallies[miminomi::Exercise::scale] = {1, 2};
    tallies[miminomi::Exercise::chord] = {3, 0};
    tallies[miminomi::Exercise::risum] = {0, 4};
    tallies[miminomi::Exercise::melody] = {5, 5};
    const RecordData record("2006/04/01", tallies);
    EXPECT_EQ(record.getRecordDate(), "2006/04/01");
    EXPECT_EQ((std::array{record.getNoteRatio(), record.getScaleRatio(), record.getChordRatio(),
                          record.getRisumRatio(), record.getMelodyRatio()}),
              (std::array{66, 33, 100, 0, 50}));
    EXPECT_EQ((std::array{record.getNoteCount(), record.getScaleCount(), record.getChordCount(),
                          record.getRisumCount(), record.getMelodyCount()}),
              (std::array<std::int64_t, 5>{3, 3, 3, 4, 10}));
    tallies[miminomi::Exercise::note] = {maxCount, maxCount};
    const RecordData largest("2006/04/01", tallies);
    EXPECT_EQ(largest.getNoteCount(), 2 * std::int64_t{maxCount});
}

TEST(RecordDateText, IsWrittenZeroPaddedAndReadOnlyAsACalendarDate) {
    EXPECT_EQ(RecordDate(2006, 4, 1).format(), "2006/04/01");
    EXPECT_EQ(RecordDate(987, 12, 9).format(), "0987/12/09");
    for (const char *text : {"2006/04/01", "2006/4/1", "2006-04-01", " 2006/04/01\t"})
        EXPECT_EQ(RecordDate::parse(text), RecordDate(2006, 4, 1)) << text;
    EXPECT_EQ(RecordDate::parse("2000/02/29"), RecordDate(2000, 2, 29));
    for (const char *text :
         {"", "2006/04", "2006/04/01/02", "2006/13/01", "2006/00/10", "2006/04/31", "2023/02/29",
          "1900/02/29", "06/04/01", "2006/04-01", "2006/0x/01", "2006/04/01 12:00", "2006/+4/01",
          "0000/01/01", "２００６/04/01", "2006年4月1日"})
        EXPECT_FALSE(RecordDate::parse(text).has_value()) << text;
}

TEST(RecordDateText, LocalDateFollowsTheTimeZone) {
    // 2006-03-31 20:00 UTC is already 1 April in Tokyo and still 31 March in New York.
    const char *saved = std::getenv("TZ");
    const std::string savedZone = saved ? saved : "";
    const auto dateIn = [](const char *zone) {
        setenv("TZ", zone, 1);
        tzset();
        return RecordDate::localDateAt(1143835200);
    };
    EXPECT_EQ(dateIn("JST-9"), RecordDate(2006, 4, 1));
    EXPECT_EQ(dateIn("EST5"), RecordDate(2006, 3, 31));
    saved ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
}

} // namespace
