#include "model/codepage.h"

#include <gtest/gtest.h>

// The converters must report what they could not convert: a file that is not code page 936 is
// refused on that. (A moved ICU converter stops reporting: its error count goes elsewhere.)
TEST(CodePage, ConvertersReportWhatTheyCannotConvert)
{
    QStringDecoder decoder = codePageDecoder();
    EXPECT_EQ(decoder.decode(QByteArray("\xB9\xE2\xB7\xFC")), QStringLiteral("光伏"));
    EXPECT_FALSE(decoder.hasError());
    EXPECT_EQ(decoder.decode(QByteArray("\x81\r\n")), QStringLiteral("\uFFFD\r\n"));
    EXPECT_TRUE(decoder.hasError());
    // A character cut off at the end of the text is an error too.
    QStringDecoder another = codePageDecoder();
    EXPECT_EQ(another.decode(QByteArray("QM\xB9")), QStringLiteral("QM"));
    EXPECT_TRUE(another.hasError());

    QStringEncoder encoder = codePageEncoder();
    EXPECT_EQ(encoder.encode(QStringLiteral("光伏")), QByteArray("\xB9\xE2\xB7\xFC"));
    EXPECT_FALSE(encoder.hasError());
    // Outside code page 936.
    EXPECT_EQ(QByteArray(encoder.encode(QString::fromUtf8("\xF0\x9F\x98\x80"))), "?");
    EXPECT_TRUE(encoder.hasError());
}
