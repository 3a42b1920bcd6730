#include "model/valuetext.h"

#include <gtest/gtest.h>

TEST(ValueText, NumbersAreReadLeniently)
{
    EXPECT_EQ(LenientInt("  -25"), -25);
    EXPECT_EQ(LenientInt("+7"), 7);
    EXPECT_EQ(LenientInt("12.5"), 12);
    EXPECT_EQ(LenientInt(""), 0);
    EXPECT_EQ(LenientInt("- 5"), 0);
    // Saturates instead of wrapping into a plausible small number.
    EXPECT_EQ(LenientInt("99999999999"), 2147483647);
    EXPECT_EQ(LenientInt("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(LenientInt64("99999999999"), 99999999999LL);
    // However long the number (a file may hold hundreds of digits), it stays huge and keeps its
    // sign; it never overflows into something in range.
    for (const char *digits :
         {"10044444444444444444", "4611686018427387904", "9999999999999999999"}) {
        EXPECT_GT(LenientInt64(digits), 0xFFFF) << digits;
        EXPECT_LT(LenientInt64(QStringLiteral("-") + digits), 0) << digits;
        EXPECT_GT(HundredthsFromText(digits), 0xFFFF) << digits;
        EXPECT_LT(HundredthsFromText(QStringLiteral("-") + digits), 0) << digits;
    }

    EXPECT_DOUBLE_EQ(LenientDouble(" -2.5V"), -2.5);
    EXPECT_DOUBLE_EQ(LenientDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LenientDouble("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(LenientDouble("3e"), 3.0);
    EXPECT_DOUBLE_EQ(LenientDouble("."), 0.0);
}

TEST(ValueText, HundredthsTruncateTowardZeroWithoutBinaryRounding)
{
    EXPECT_EQ(HundredthsFromText("14.60"), 1460);
    EXPECT_EQ(HundredthsFromText("14.409"), 1440);
    EXPECT_EQ(HundredthsFromText("-2.5"), -250);
    EXPECT_EQ(HundredthsFromText("abc"), 0);
    EXPECT_EQ(HundredthsFromText("7"), 700);
    // 4.35 * 100 is 434.99999... in binary floating point; the typed text means 435.
    EXPECT_EQ(HundredthsFromText("4.35"), 435);
    EXPECT_EQ(HundredthsFromText("0.29"), 29);
}

TEST(ValueText, HourMinuteCodeAndVoltageMultiplier)
{
    EXPECT_EQ(HourMinuteCode(2, 0), 512);
    EXPECT_EQ(HourMinuteCode(23, 59), 5947);
    EXPECT_EQ(HourMinuteFromCode(5947).hours, 23);
    EXPECT_EQ(HourMinuteFromCode(5947).minutes, 59);
    // Signed division truncates toward zero.
    EXPECT_EQ(HourMinuteFromCode(-300).hours, -1);
    EXPECT_EQ(HourMinuteFromCode(-300).minutes, -44);

    EXPECT_EQ(RatedVoltageMultiplier(QStringLiteral("0")), 1);
    EXPECT_EQ(RatedVoltageMultiplier(QStringLiteral("00")), 0);
    EXPECT_EQ(RatedVoltageMultiplier(QStringLiteral("2")), 2);
    EXPECT_EQ(RatedVoltageMultiplier(QStringLiteral("x")), 0);
}
