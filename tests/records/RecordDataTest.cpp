// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordData.h"
#include "records/RecordDate.h"
#include "records/RecordFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>

namespace miminomi {

TEST(RecordData, EachExerciseReadsItsOwnPairTruncatedZeroWithoutAnswersAndNeverOverflows) {
    // Read from the record file, as the graphs get it.
    const RecordData r =
        *RecordFile::parseLine("2006/04/01,2,1,2147483647,2147483647,199,1,0,0,1,2147483647");
    EXPECT_EQ((std::array<std::int64_t, 10>{r.getNoteRatio(), r.getScaleRatio(), r.getChordRatio(),
                                            r.getRisumRatio(), r.getMelodyRatio(), r.getNoteCount(),
                                            r.getScaleCount(), r.getChordCount(), r.getRisumCount(),
                                            r.getMelodyCount()}),
              (std::array<std::int64_t, 10>{66, 50, 99, 0, 0, 3, 4294967294, 200, 0, 2147483648}));
}

TEST(RecordDate, IsWrittenZeroPaddedReadOnlyAsACalendarDateAndTakenInTheLocalTimeZone) {
    EXPECT_EQ(RecordDate(987, 12, 9).format(), "0987/12/09");
    for (const char *text : {"2006/04/01", "2006/4/1", "2006-04-01", " 2006/04/01\t"})
        EXPECT_EQ(RecordDate::parse(text), RecordDate(2006, 4, 1)) << text;
    EXPECT_EQ(RecordDate::parse("2000/02/29"), RecordDate(2000, 2, 29));
    for (const char *text :
         {"", "2006/04", "2006/04/01/02", "2006/13/01", "2006/00/10", "2006/04/31", "2023/02/29",
          "1900/02/29", "06/04/01", "2006/04-01", "2006/0x/01", "2006/04/01 12:00", "2006/+4/01",
          "0000/01/01", "２００６/04/01", "2006年4月1日"})
        EXPECT_FALSE(RecordDate::parse(text).has_value()) << text;

    // 2006-03-31 20:00 UTC is already 1 April in Tokyo and still 31 March in New York.
    const auto dateIn = [](const char *zone) {
        setenv("TZ", zone, 1);
        tzset();
        return RecordDate::localDateAt(1143835200);
    };
    EXPECT_EQ(dateIn("JST-9"), RecordDate(2006, 4, 1));
    EXPECT_EQ(dateIn("EST5"), RecordDate(2006, 3, 31));
    unsetenv("TZ"); // back to the system's zone
    tzset();
}

} // namespace miminomi
