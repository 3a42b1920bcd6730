#include "link/programmerlink.h"

#include "link/hexframe.h"
#include "model/texts.h"
#include "support/messagerecorder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QByteArray frame(const char *hexWithoutCrc)
{
    return parseHex(withCrc(QString::fromLatin1(hexWithoutCrc))).bytes;
}

} // namespace

TEST(PortList, SortsByNumberAndAppendsExtraPathsAsGiven)
{
    EXPECT_EQ(sortPortNames({"COM10", "COM2", "COM1"}), QStringList({"COM1", "COM2", "COM10"}));
    EXPECT_EQ(sortPortNames({"ttyUSB10", "ttyUSB2", "ttyS1", "ttyACM0", "ttyUSB0"}),
              QStringList({"ttyACM0", "ttyS1", "ttyUSB0", "ttyUSB2", "ttyUSB10"}));
    // Digits longer than any integer still compare by value.
    EXPECT_TRUE(portNameLess(u"COM99999999999999999999", u"COM100000000000000000000"));

    const QString sep = QDir::listSeparator();
    EXPECT_EQ(portListEntries({"COM10", "COM2"}, "/tmp/b" + sep + sep + "/tmp/a" + sep),
              QStringList({"COM2", "COM10", "/tmp/b", "/tmp/a"}));
    qputenv("VELMORA_EXTRA_PORTS", QString("/dev/pts/9" + sep + "./sim port").toLocal8Bit());
    const QStringList entries = ProgrammerLink::enumeratePorts();
    qunsetenv("VELMORA_EXTRA_PORTS");
    ASSERT_GE(entries.size(), 2);
    EXPECT_EQ(entries.mid(entries.size() - 2), QStringList({"/dev/pts/9", "./sim port"}));
}

TEST(PortListRefresh, KeepsTheChosenEntryWhileItIsThere)
{
    const PortListState shown{{"ttyS0", "ttyUSB2", "/tmp/sim"}, 1};
    EXPECT_EQ(refreshedPortList(shown, shown.entries), std::nullopt);
    EXPECT_EQ(refreshedPortList(shown, {"ttyS0", "ttyUSB0", "ttyUSB2", "/tmp/sim"}),
              (PortListState{{"ttyS0", "ttyUSB0", "ttyUSB2", "/tmp/sim"}, 2}));
    EXPECT_EQ(refreshedPortList(shown, {"ttyS0", "/tmp/sim"}),
              (PortListState{{"ttyS0", "/tmp/sim"}, -1}));
    EXPECT_EQ(refreshedPortList({{"ttyS0"}, -1}, {"ttyS0", "ttyS1"}),
              (PortListState{{"ttyS0", "ttyS1"}, -1}));
    // A path listed twice: the same occurrence stays chosen.
    EXPECT_EQ(refreshedPortList({{"/tmp/a", "/tmp/a"}, 1}, {"ttyS0", "/tmp/a", "/tmp/a"}),
              (PortListState{{"ttyS0", "/tmp/a", "/tmp/a"}, 2}));
}

TEST(ProgrammerLink, HexToBytesWarnsOnceAndAClosedLinkSendsNothing)
{
    MessageRecorder messages;
    ProgrammerLink link(messages);
    EXPECT_EQ(link.hexToBytes("01 03 92 02 00 08"), 6);
    EXPECT_TRUE(messages.entries.isEmpty());
    // Two bad digits, one warning; the bytes before the first stay.
    EXPECT_EQ(link.hexToBytes("01 10 9Z 00 X"), 2);
    EXPECT_EQ(link.buffer(), QByteArray::fromHex("0110"));
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_EQ(messages.entries[0].text, Text::badHexData());

    link.setLongWait();
    link.exchange(withCrc("01 03 92 00 00 01"));
    EXPECT_TRUE(link.replyText().isEmpty());
    EXPECT_FALSE(link.longWait());
    EXPECT_FALSE(link.open(""));
}

TEST(ReplyCheck, JudgesNormalExceptionAndBrokenReplies)
{
    const QByteArray readTwo = frame("01 03 92 00 00 02");
    const QByteArray writeCount = frame("01 10 92 00 00 01 02 00 15");
    const QByteArray readReply = frame("01 03 04 00 15 AB CD");
    EXPECT_EQ(checkReply(readTwo, readReply).kind, ReplyCheck::Valid);
    EXPECT_EQ(checkReply(writeCount, frame("01 10 92 00 00 01")).kind, ReplyCheck::Valid);
    const ReplyCheck exception = checkReply(readTwo, frame("01 83 02"));
    EXPECT_EQ(exception.kind, ReplyCheck::Exception);
    EXPECT_EQ(exception.exceptionCode, 2);

    QByteArray badCrc = readReply;
    badCrc.back() = char(badCrc.back() ^ 0x01);
    const QList<std::pair<QByteArray, QByteArray>> invalid = {
        {readTwo, {}},
        {readTwo, badCrc},
        {readTwo, frame("02 03 04 00 15 AB CD")},         // another slave
        {readTwo, frame("01 04 04 00 15 AB CD")},         // another function
        {readTwo, frame("01 03 02 00 15")},               // one register of two
        {readTwo, readReply.first(readReply.size() - 1)}, // cut short
        {readTwo, readReply + char(0)},                   // a trailing byte
        {readTwo, frame("01 90 02")},                     // exception for another function
        {writeCount, frame("01 10 92 01 00 01")},         // echo of another register
    };
    for (const auto &[request, reply] : invalid)
        EXPECT_EQ(checkReply(request, reply).kind, ReplyCheck::Invalid)
            << reply.toHex(' ').toStdString();
}
