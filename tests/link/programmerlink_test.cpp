#include "link/programmerlink.h"

#include "app/texts.h"
#include "link/hexframe.h"
#include "support/messagerecorder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QByteArray Frame(const char *hexWithoutCrc)
{
    return ParseHex(WithCrc(QString::fromLatin1(hexWithoutCrc))).bytes;
}

} // namespace

TEST(PortList, SortsByNumberAndKeepsExtraPathsAsGiven)
{
    EXPECT_EQ(SortPortNames({"COM10", "COM3", "COM1"}), QStringList({"COM1", "COM3", "COM10"}));
    EXPECT_EQ(SortPortNames({"ttyUSB10", "ttyUSB2", "ttyS1", "ttyACM0", "ttyS0", "ttyUSB0"}),
              QStringList({"ttyACM0", "ttyS0", "ttyS1", "ttyUSB0", "ttyUSB2", "ttyUSB10"}));
    EXPECT_EQ(SortPortNames({"COM2", "COM02", "COM1", "com2"}),
              QStringList({"COM1", "COM02", "COM2", "com2"}));
    EXPECT_EQ(SortPortNames({"cu.usbserial-1410", "cu.usbserial-120", "cu.Bluetooth"}),
              QStringList({"cu.Bluetooth", "cu.usbserial-120", "cu.usbserial-1410"}));
    // Digits longer than any integer still compare by value.
    EXPECT_TRUE(PortNameLess(u"COM99999999999999999999", u"COM100000000000000000000"));
    EXPECT_FALSE(PortNameLess(u"COM1", u"COM1"));
    EXPECT_TRUE(SortPortNames({}).isEmpty());

    const QString sep = QDir::listSeparator();
    EXPECT_EQ(PortListEntries({"COM10", "COM2"}, "/tmp/b" + sep + sep + "/tmp/a" + sep),
              QStringList({"COM2", "COM10", "/tmp/b", "/tmp/a"}));

    qputenv("VELMORA_EXTRA_PORTS", QString("/dev/pts/9" + sep + "./sim port").toLocal8Bit());
    const QStringList entries = ProgrammerLink::EnumeratePorts();
    qunsetenv("VELMORA_EXTRA_PORTS");
    ASSERT_GE(entries.size(), 2);
    EXPECT_EQ(entries.mid(entries.size() - 2), QStringList({"/dev/pts/9", "./sim port"}));
    const QStringList platform = entries.mid(0, entries.size() - 2);
    EXPECT_EQ(SortPortNames(platform), platform);
}

TEST(ProgrammerLink, HexToBytesWarnsOnceAndKeepsTheBytesBeforeABadDigit)
{
    MessageRecorder messages;
    ProgrammerLink link(messages);
    EXPECT_EQ(link.HexToBytes("01 03 92 02 00 08"), 6);
    EXPECT_EQ(link.buffer(), QByteArray::fromHex("010392020008"));
    EXPECT_TRUE(messages.entries.isEmpty());

    EXPECT_EQ(link.HexToBytes("01 10 9Z 00 X"), 2);
    EXPECT_EQ(link.buffer(), QByteArray::fromHex("0110"));
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_EQ(messages.entries[0].text, Text::BadHexData());

    // A closed link sends nothing and leaves no reply, but still converts.
    link.setLongWait();
    link.Exchange(WithCrc("01 03 92 00 00 01"));
    EXPECT_EQ(link.buffer().size(), 8);
    EXPECT_TRUE(link.replyText().isEmpty());
    EXPECT_FALSE(link.longWait());
    EXPECT_FALSE(link.Open(""));
    EXPECT_FALSE(link.portOpen());
}

TEST(ReplyCheck, JudgesNormalExceptionAndBrokenReplies)
{
    const QByteArray readTwo = Frame("01 03 92 00 00 02");
    const QByteArray writeCount = Frame("01 10 92 00 00 01 02 00 15");
    EXPECT_EQ(ExpectedReplyLength(readTwo), 9);
    EXPECT_EQ(ExpectedReplyLength(writeCount), 8);
    EXPECT_EQ(ExpectedReplyLength(Frame("01 03 92 00 00 00")), 0);
    EXPECT_EQ(ExpectedReplyLength(Frame("01 06 92 00 00 01")), 0);
    EXPECT_EQ(ExpectedReplyLength(QByteArray::fromHex("0103")), 0);

    const QByteArray readReply = Frame("01 03 04 00 15 AB CD");
    EXPECT_EQ(CheckReply(readTwo, readReply).kind, ReplyCheck::Valid);
    const QByteArray writeReply = Frame("01 10 92 00 00 01");
    EXPECT_EQ(CheckReply(writeCount, writeReply).kind, ReplyCheck::Valid);
    EXPECT_EQ(CheckReplyText(WithCrc("01 03 92 00 00 02"), BytesToHexText(readReply)).kind,
              ReplyCheck::Valid);

    const ReplyCheck exception = CheckReply(readTwo, Frame("01 83 02"));
    EXPECT_EQ(exception.kind, ReplyCheck::Exception);
    EXPECT_EQ(exception.exceptionCode, 2);
    EXPECT_EQ(CheckReply(writeCount, Frame("01 90 04")).exceptionCode, 4);

    QByteArray badCrc = readReply;
    badCrc[badCrc.size() - 1] = char(badCrc.back() ^ 0x01);
    const QList<std::pair<QByteArray, QByteArray>> invalid = {
        {readTwo, {}},
        {readTwo, badCrc},
        {readTwo, Frame("02 03 04 00 15 AB CD")},         // another slave
        {readTwo, Frame("01 04 04 00 15 AB CD")},         // another function
        {readTwo, Frame("01 03 02 00 15")},               // one register of two
        {readTwo, Frame("01 03 04 00 15 AB CD EF")},      // longer than implied
        {readTwo, Frame("01 03 06 00 15 AB CD EF 01")},   // more registers than asked
        {readTwo, readReply.first(readReply.size() - 1)}, // cut short
        {readTwo, readReply + char(0)},                   // a trailing byte
        {readTwo, Frame("01 83 02 00")},                  // exception of the wrong length
        {readTwo, Frame("01 90 02")},                     // exception for another function
        {writeCount, Frame("01 10 92 01 00 01")},         // echo of another register
        {writeCount, Frame("01 03 02 00 15")},            // a late reply to a read
    };
    // Frames are told apart by their own length, so a late reply can be skipped.
    EXPECT_EQ(LeadingFrameLength(readReply + writeReply), readReply.size());
    EXPECT_EQ(LeadingFrameLength(writeReply + readReply), 8);
    EXPECT_EQ(LeadingFrameLength(Frame("01 83 02") + readReply), 5);
    EXPECT_EQ(LeadingFrameLength(readReply.first(readReply.size() - 1)), 0);
    EXPECT_EQ(LeadingFrameLength(badCrc), 0);
    EXPECT_EQ(LeadingFrameLength(Frame("02 03 04 00 15 AB CD")), 0);

    for (const auto &[request, reply] : invalid)
        EXPECT_EQ(CheckReply(request, reply).kind, ReplyCheck::Invalid)
            << reply.toHex(' ').toStdString();
}
