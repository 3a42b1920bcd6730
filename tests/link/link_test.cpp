#include "link/hexframe.h"
#include "link/programmerlink.h"
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

// Vectors from outside our code: CRC-16/MODBUS of "123456789" is 0x4B37, and the request
// 01 03 00 12 00 08 carries the CRC bytes E4 09.
TEST(HexFrame, CrcVectorsAndParsingThatStopsAtABadDigit)
{
    EXPECT_EQ(crc16Value(QByteArrayView("123456789")), 0x4B37);
    EXPECT_EQ(crcText(u"01 03 00 12 00 08"), "E409");
    EXPECT_EQ(crcText(u"010300120008"), "E409");
    // A frame with its CRC appended leaves no residue.
    EXPECT_EQ(crc16Value(parseHex(withCrc("01 10 92 00 00 01 02 5A A5")).bytes), 0x0000);

    const std::tuple<const char16_t *, const char *, bool> cases[] = {
        {u"0103920200 08 5a", "0103920200085A", false},
        {u"01 0", "01", false},  // a lone trailing digit is dropped
        {u"01 0G", "01", true},  // the bytes before a bad digit stay
        {u"0 1", "", true},      // a blank inside a pair
        {u"01\t02", "01", true}, // only 0x20 separates
    };
    for (const auto &[text, bytes, bad] : cases) {
        const HexParse p = parseHex(text);
        EXPECT_EQ(p.bytes, QByteArray::fromHex(bytes)) << bytes;
        EXPECT_EQ(p.badDigit, bad) << bytes;
    }
    EXPECT_EQ(crcText(u"01 0G"), crcText(u"01"));
    EXPECT_EQ(bytesToHexText(QByteArray::fromHex("01ab0f")), "01AB0F");
}

TEST(PortList, SortsByNumberAndKeepsTheChosenEntryWhileItIsThere)
{
    EXPECT_EQ(sortPortNames({"ttyUSB10", "ttyUSB2", "ttyS1", "ttyACM0", "COM01", "COM1"}),
              QStringList({"COM01", "COM1", "ttyACM0", "ttyS1", "ttyUSB2", "ttyUSB10"}));
    // Digits longer than any integer still compare by value.
    EXPECT_TRUE(portNameLess(u"COM99999999999999999999", u"COM100000000000000000000"));
    // Extra paths follow, as given.
    const QString sep = QDir::listSeparator();
    qputenv("VELMORA_EXTRA_PORTS", QString("/tmp/b" + sep + sep + "./sim port").toLocal8Bit());
    const QStringList entries = ProgrammerLink::enumeratePorts();
    qunsetenv("VELMORA_EXTRA_PORTS");
    EXPECT_EQ(entries.mid(entries.size() - 2), QStringList({"/tmp/b", "./sim port"}));

    const PortListState shown{{"ttyS0", "ttyUSB2", "/tmp/sim"}, 1};
    EXPECT_EQ(refreshedPortList(shown, shown.entries), std::nullopt);
    EXPECT_EQ(refreshedPortList(shown, {"ttyS0", "ttyUSB0", "ttyUSB2"}),
              (PortListState{{"ttyS0", "ttyUSB0", "ttyUSB2"}, 2}));
    EXPECT_EQ(refreshedPortList(shown, {"ttyS0"}), (PortListState{{"ttyS0"}, -1}));
    // A path listed twice: the same occurrence stays chosen.
    EXPECT_EQ(refreshedPortList({{"/tmp/a", "/tmp/a"}, 1}, {"ttyS0", "/tmp/a", "/tmp/a"}),
              (PortListState{{"ttyS0", "/tmp/a", "/tmp/a"}, 2}));
}

TEST(ProgrammerLink, HexToBytesWarnsOnceAndAClosedLinkSendsNothing)
{
    MessageRecorder messages;
    ProgrammerLink link(messages);
    // Two bad digits, one warning; the bytes before the first stay.
    EXPECT_EQ(link.hexToBytes("01 10 9Z 00 X"), 2);
    EXPECT_EQ(link.buffer(), QByteArray::fromHex("0110"));

    link.setLongWait();
    link.exchange(withCrc("01 03 92 00 00 01"));
    EXPECT_TRUE(link.replyText().isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{Text::badHexData()});
    EXPECT_TRUE(messages.entries[0].warning);
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
    const QByteArray invalid[] = {
        {},
        badCrc,
        frame("02 03 04 00 15 AB CD"),         // another slave
        frame("01 04 04 00 15 AB CD"),         // another function
        frame("01 03 02 00 15"),               // one register of two
        readReply.first(readReply.size() - 1), // cut short
        readReply + char(0),                   // a trailing byte
        frame("01 90 02"),                     // exception for another function
    };
    for (const QByteArray &reply : invalid)
        EXPECT_EQ(checkReply(readTwo, reply).kind, ReplyCheck::Invalid) << reply.toHex(' ').data();
    // An echo of another register.
    EXPECT_EQ(checkReply(writeCount, frame("01 10 92 01 00 01")).kind, ReplyCheck::Invalid);
}
