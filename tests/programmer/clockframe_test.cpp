#include "programmer/clockframe.h"
#include "support/referenceframes.h"

#include <gtest/gtest.h>

TEST(ClockFrame, RoundTrip)
{
    const ClockFields fields{9, 7, 14, 5, 3, 16}; // 2016-03-05 14:07:09
    EXPECT_EQ(writeClockRequest(fields), referenceFramed("01 10 90 13 00 03 0607 09 05 0E 10 03 "));
    EXPECT_EQ(clockFromReply(referenceReadReply(QByteArray::fromHex("0709050E1003"))), fields);

    const ClockFields limits{59, 59, 23, 31, 12, 99};
    const QByteArray sent = QByteArray::fromHex(writeClockRequest(limits).mid(20, 18).toLatin1());
    EXPECT_EQ(clockFromReply(referenceReadReply(sent)), limits);

    ClockFields bad = fields;
    bad.month = 13;
    EXPECT_TRUE(writeClockRequest(bad).isEmpty());
    EXPECT_FALSE(clockFromReply(QByteArray::fromHex("0103060709050E10")));
}
