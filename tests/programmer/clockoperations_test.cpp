#include "programmer/clockoperations.h"
#include "support/printers.h"
#include "support/referenceframes.h"
#include "support/scriptedexchange.h"

#include <gtest/gtest.h>

namespace {

// Reply bytes with a CRC from the reference computation.
QByteArray withReferenceCrc(const char *hex)
{
    QByteArray frame = QByteArray::fromHex(hex);
    const quint16 crc = referenceCrc(frame);
    return frame + char(crc & 0xFF) + char(crc >> 8);
}

const QByteArray kClockData = QByteArray::fromHex("0709050E1003"); // 2016-03-05 14:07:09
const ClockFields kClock = clockFieldsOf(QDate(2016, 3, 5), QTime(14, 7, 9));

} // namespace

TEST(ClockOperations, WriteSendsTheFieldsAndReadShowsThemBack)
{
    EXPECT_EQ(kClock, (ClockFields{9, 7, 14, 5, 3, 16}));
    EXPECT_EQ(clockText(kClock), "2016/3/5   14:7:9");
    // 2009 is 2009, not "209"; two-digit fields show both digits.
    EXPECT_EQ(clockText(clockFieldsOf(QDate(2009, 12, 31), QTime(23, 59, 10))),
              "2009/12/31   23:59:10");

    ScriptedExchange link;
    link.script({withReferenceCrc("011090130003"), referenceReadReply(kClockData)});
    EXPECT_EQ(writeProgrammerClock(link, kClock).message, "写入成功！");
    const ClockReading reading = readProgrammerClock(link);
    EXPECT_EQ(reading.result.message, "读取成功！");
    EXPECT_EQ(reading.time, "2016/3/5   14:7:9");
    ASSERT_EQ(link.requests.size(), 2);
    EXPECT_EQ(QByteArray::fromHex(link.requests.at(0).toLatin1()),
              withReferenceCrc("01109013000306"
                               "0709050E1003"));
    EXPECT_EQ(link.requests.at(1), referenceFramed("01 03 90 13 00 03"));

    link.script({referenceReadReply(QByteArray::fromHex("0000010009"
                                                        "01"))});
    EXPECT_EQ(readProgrammerClock(link).time, "2009/1/1   0:0:0");
}

// Silence, short replies, bad CRCs and exceptions come from the simulator in the end-to-end
// tests; these replies it cannot give.
TEST(ClockOperations, ReadAndWriteTakeOnlyAValidAnswerToTheirRequest)
{
    const QByteArray readReplies[] = {
        withReferenceCrc("02030607 09050E1003"),          // another slave
        withReferenceCrc("01040607 09050E1003"),          // another function
        referenceReadReply(kClockData.left(4)),           // byte count 4
        referenceReadReply(kClockData + QByteArray(2, 0)) // byte count 8
    };
    for (const QByteArray &reply : readReplies) {
        SCOPED_TRACE(reply.toHex().toStdString());
        ScriptedExchange link;
        link.script({reply});
        const ClockReading reading = readProgrammerClock(link);
        EXPECT_EQ(reading.result.message, "读取超时！");
        EXPECT_EQ(reading.result.outcome, OperationResult::Outcome::NoReply);
        EXPECT_EQ(reading.time, "");
    }
    const QByteArray writeReplies[] = {
        withReferenceCrc("011090140003"), // another address
        withReferenceCrc("011090130002"), // another quantity
        referenceReadReply(kClockData),   // an answer to a read
    };
    for (const QByteArray &reply : writeReplies) {
        SCOPED_TRACE(reply.toHex().toStdString());
        ScriptedExchange link;
        link.script({reply});
        EXPECT_EQ(writeProgrammerClock(link, kClock).message, "写入超时！");
    }
}

TEST(ClockOperations, RefusesBeforeSending)
{
    ScriptedExchange link;
    // Outside the programmer's century the year would wrap: 2100 must not become 2000.
    for (const QDate date : {QDate(2100, 1, 1), QDate(1999, 12, 31)})
        EXPECT_EQ(writeProgrammerClock(link, clockFieldsOf(date, QTime(0, 0))).message,
                  "参数值超出范围！");

    link.setPortOpen(false);
    EXPECT_EQ(writeProgrammerClock(link, kClock).outcome,
              OperationResult::Outcome::PortUnavailable);
    EXPECT_EQ(readProgrammerClock(link).result.message, "串口不可用或未打开！");
    EXPECT_TRUE(link.requests.isEmpty());
}
