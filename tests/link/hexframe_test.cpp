#include "link/hexframe.h"

#include <gtest/gtest.h>

// Vectors from outside our code: CRC-16/MODBUS of "123456789" is 0x4B37, and the request
// 01 03 00 12 00 08 carries the CRC bytes E4 09.
TEST(Crc, MatchesPublishedVectors)
{
    EXPECT_EQ(crc16Value(QByteArrayView("123456789")), 0x4B37);
    const auto crc = crc16(reinterpret_cast<const quint8 *>("123456789"), 9);
    EXPECT_EQ(crc[0], 0x4B);
    EXPECT_EQ(crc[1], 0x37);
    EXPECT_EQ(crcText(u"01 03 00 12 00 08"), "E409");
    EXPECT_EQ(crcText(u"010300120008"), "E409");
    // A frame with its CRC appended leaves no residue.
    EXPECT_EQ(crc16Value(parseHex(withCrc("01 10 92 00 00 01 02 5A A5")).bytes), 0x0000);
}

TEST(HexFrame, ParsingStopsAtABadDigitAndDropsALoneOne)
{
    EXPECT_EQ(parseHex(u"0103920200 08 5a").bytes, QByteArray::fromHex("0103920200085A"));
    const auto parsed = [](const char16_t *text, const char *bytes, bool bad) {
        const HexParse p = parseHex(text);
        EXPECT_EQ(p.bytes, QByteArray::fromHex(bytes)) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(p.badDigit, bad) << QString::fromUtf16(text).toStdString();
    };
    parsed(u"01 0", "01", false);  // a lone trailing digit is dropped
    parsed(u"01 0G", "01", true);  // the bytes before a bad digit stay
    parsed(u"0 1", "", true);      // a blank inside a pair
    parsed(u"01\t02", "01", true); // only 0x20 separates
    parsed(u"", "", false);
    // The CRC of a bad text covers the bytes before the bad digit.
    EXPECT_EQ(crcText(u"01 0G"), crcText(u"01"));
}

TEST(HexFrame, ReplyText)
{
    EXPECT_EQ(bytesToHexText(QByteArray::fromHex("01ab0f")), "01AB0F");
}
