#include "model/valuetext.h"

#include <gtest/gtest.h>

TEST(ValueText, NumbersAreReadLeniently)
{
    EXPECT_EQ(lenientInt("  -25"), -25);
    EXPECT_EQ(lenientInt("+7"), 7);
    EXPECT_EQ(lenientInt("12.5"), 12);
    EXPECT_EQ(lenientInt(""), 0);
    EXPECT_EQ(lenientInt("- 5"), 0);
    // Saturates instead of wrapping into a plausible small number.
    EXPECT_EQ(lenientInt("99999999999"), 2147483647);
    EXPECT_EQ(lenientInt("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(lenientInt64("99999999999"), 99999999999LL);
    // However long the number (a file may hold hundreds of digits), it stays huge and keeps its
    // sign; it never overflows into something in range.
    for (const char *digits :
         {"10044444444444444444", "4611686018427387904", "9999999999999999999"}) {
        EXPECT_GT(lenientInt64(digits), 0xFFFF) << digits;
        EXPECT_LT(lenientInt64(QStringLiteral("-") + digits), 0) << digits;
        EXPECT_GT(hundredthsFromText(digits), 0xFFFF) << digits;
        EXPECT_LT(hundredthsFromText(QStringLiteral("-") + digits), 0) << digits;
    }

    EXPECT_DOUBLE_EQ(lenientDouble(" -2.5V"), -2.5);
    EXPECT_DOUBLE_EQ(lenientDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(lenientDouble("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(lenientDouble("3e"), 3.0);
    EXPECT_DOUBLE_EQ(lenientDouble("."), 0.0);
}

TEST(ValueText, HundredthsTruncateTowardZeroWithoutBinaryRounding)
{
    EXPECT_EQ(hundredthsFromText("14.60"), 1460);
    EXPECT_EQ(hundredthsFromText("14.409"), 1440);
    EXPECT_EQ(hundredthsFromText("-2.5"), -250);
    EXPECT_EQ(hundredthsFromText("abc"), 0);
    EXPECT_EQ(hundredthsFromText("7"), 700);
    // 4.35 * 100 is 434.99999... in binary floating point; the typed text means 435.
    EXPECT_EQ(hundredthsFromText("4.35"), 435);
    EXPECT_EQ(hundredthsFromText("0.29"), 29);
}

TEST(ValueText, HourMinuteCodeAndVoltageMultiplier)
{
    EXPECT_EQ(hourMinuteCode(2, 0), 512);
    EXPECT_EQ(hourMinuteCode(23, 59), 5947);
    EXPECT_EQ(hourMinuteFromCode(5947).hours, 23);
    EXPECT_EQ(hourMinuteFromCode(5947).minutes, 59);
    // Signed division truncates toward zero.
    EXPECT_EQ(hourMinuteFromCode(-300).hours, -1);
    EXPECT_EQ(hourMinuteFromCode(-300).minutes, -44);

    EXPECT_EQ(ratedVoltageMultiplier(QStringLiteral("0")), 1);
    EXPECT_EQ(ratedVoltageMultiplier(QStringLiteral("00")), 0);
    EXPECT_EQ(ratedVoltageMultiplier(QStringLiteral("2")), 2);
    EXPECT_EQ(ratedVoltageMultiplier(QStringLiteral("x")), 0);
}
