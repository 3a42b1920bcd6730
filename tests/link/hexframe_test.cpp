#include "link/hexframe.h"

#include <gtest/gtest.h>

// Vectors from outside our code: CRC-16/MODBUS of "123456789" is 0x4B37, and the request
// 01 03 00 12 00 08 carries the CRC bytes E4 09.
TEST(Crc, MatchesPublishedVectors)
{
    EXPECT_EQ(Crc16Value(QByteArrayView("123456789")), 0x4B37);
    const auto crc = Crc16(reinterpret_cast<const quint8 *>("123456789"), 9);
    EXPECT_EQ(crc[0], 0x4B);
    EXPECT_EQ(crc[1], 0x37);
    EXPECT_EQ(CrcText(u"01 03 00 12 00 08"), "E409");
    EXPECT_EQ(CrcText(u""), "FFFF");
}

TEST(Crc, AppendedCrcLeavesZeroResidue)
{
    for (const char *frame : {"01 03 92 02 00 08", "01 10 92 00 00 01 02 5A A5", "01 03 90 13 00 03",
                              "01 10 92 01 00 01 02 AB CD"}) {
        const HexParse parsed = ParseHex(WithCrc(QString::fromLatin1(frame)));
        ASSERT_FALSE(parsed.badDigit);
        EXPECT_EQ(Crc16Value(parsed.bytes), 0x0000) << frame;
    }
}

TEST(HexFrame, ParsesBytesWithOrWithoutBlanks)
{
    const QByteArray expected = QByteArray::fromHex("010392020008");
    EXPECT_EQ(ParseHex(u"01 03 92 02 00 08").bytes, expected);
    EXPECT_EQ(ParseHex(u"0103920200 08").bytes, expected);
    EXPECT_EQ(ParseHex(u"5a a5").bytes, ParseHex(u"5A A5").bytes);
    EXPECT_EQ(ParseHex(u"5a a5").bytes, QByteArray::fromHex("5AA5"));
    // Pieces joined without separators are one frame.
    EXPECT_EQ(ParseHex(QString(QStringLiteral("01 03 92 0A") + QStringLiteral("0015"))).bytes,
              QByteArray::fromHex("0103920A0015"));
}

TEST(HexFrame, BadOrIncompleteTextKeepsTheBytesBeforeIt)
{
    HexParse p = ParseHex(u"01 0");
    EXPECT_EQ(p.bytes, QByteArray::fromHex("01"));
    EXPECT_FALSE(p.badDigit);

    p = ParseHex(u"01 0G");
    EXPECT_EQ(p.bytes, QByteArray::fromHex("01"));
    EXPECT_TRUE(p.badDigit);

    // A blank where the second digit of a pair belongs is a bad digit.
    p = ParseHex(u"0 1");
    EXPECT_TRUE(p.bytes.isEmpty());
    EXPECT_TRUE(p.badDigit);

    p = ParseHex(u"");
    EXPECT_TRUE(p.bytes.isEmpty());
    EXPECT_FALSE(p.badDigit);

    // Only the blank 0x20 separates bytes.
    EXPECT_TRUE(ParseHex(u"01\t02").badDigit);
    // CRC of a bad text covers the bytes before the bad digit.
    EXPECT_EQ(CrcText(u"01 0G"), CrcText(u"01"));
}

TEST(HexFrame, FourDigitFields)
{
    EXPECT_EQ(Hex4ToValue(u"9000"), 36864);
    EXPECT_EQ(Hex4ToValue(u"900A"), 36874);
    EXPECT_EQ(Hex4ToValue(u"900a"), 36874);
    EXPECT_EQ(Hex4ToValue(u"0015"), 21);
    EXPECT_EQ(Hex4ToValue(u"003B"), 59);
    EXPECT_EQ(Hex4ToValue(u"FFFF"), 65535);
    EXPECT_EQ(Hex4ToValue(u"900"), -1);
    EXPECT_EQ(Hex4ToValue(u"90000"), -1);
    EXPECT_EQ(Hex4ToValue(u""), -1);
    EXPECT_EQ(Hex4ToValue(u"90G0"), -1);
    EXPECT_EQ(Hex4ToValue(u" 900"), -1);
    EXPECT_EQ(HexDigitValue(QChar(u'g')), -1);
    EXPECT_EQ(BytesToHexText(QByteArray::fromHex("0103020015")), "0103020015");
    EXPECT_EQ(BytesToHexText(QByteArray::fromHex("ab0f")), "AB0F");
}
