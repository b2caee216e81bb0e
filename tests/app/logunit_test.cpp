#include "app/logunit.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

TEST(LogLine, StampIsTwoDigitHoursAndMinutes) {
    std::tm t{};
    t.tm_hour = 9;
    t.tm_min = 5;
    EXPECT_EQ(FormatLogLine("hello", t), "09:05 hello");
    t.tm_hour = 23;
    t.tm_min = 59;
    EXPECT_EQ(FormatLogLine("", t), "23:59 ");
}
