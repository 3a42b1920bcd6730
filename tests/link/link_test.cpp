#include "link/exchangelog.h"
#include "link/hexframe.h"
#include "link/programmerlink.h"
#include "model/texts.h"
#include "support/messagerecorder.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

// Vectors from outside our code: CRC-16/MODBUS of "123456789" is 0x4B37, and the request
// 01 03 00 12 00 08 carries the CRC bytes E4 09.
TEST(HexFrame, CrcVectorsAndParsingThatStopsAtABadDigit)
{
    EXPECT_EQ(crc16Value(QByteArrayView("123456789")), 0x4B37);
    EXPECT_EQ(crcText(u"01 03 00 12 00 08") + crcText(u"010300120008"), "E409E409");

    // A lone trailing digit is dropped; the bytes before a bad digit stay (and the CRC covers
    // them); a blank inside a pair or a tab is a bad digit.
    for (const auto &[text, bytes, bad] : {std::tuple{u"0103920200 08 5a", "0103920200085A", false},
                                           {u"01 0", "01", false},
                                           {u"01 0G", "01", true},
                                           {u"0 1", "", true},
                                           {u"01\t02", "01", true}}) {
        const HexParse p = parseHex(text);
        EXPECT_EQ(p.bytes, QByteArray::fromHex(bytes)) << bytes;
        EXPECT_EQ(p.badDigit, bad) << bytes;
    }
    EXPECT_EQ(crcText(u"01 0G"), crcText(u"01"));
    EXPECT_EQ(bytesToHexText(QByteArray::fromHex("01ab0f")), "01AB0F");
}

TEST(PortList, SortsByNumberAndKeepsTheChosenEntryWhileItIsThere)
{
    // Digits compare by value, however long; extra paths follow as given.
    EXPECT_EQ(sortPortNames({"ttyUSB10", "ttyUSB2", "ttyS1", "COM01", "COM1"}),
              QStringList({"COM01", "COM1", "ttyS1", "ttyUSB2", "ttyUSB10"}));
    EXPECT_TRUE(portNameLess(u"COM99999999999999999999", u"COM100000000000000000000"));
    const QString sep = QDir::listSeparator();
    qputenv("VELMORA_EXTRA_PORTS", QString("/tmp/b" + sep + sep + "./sim port").toLocal8Bit());
    EXPECT_EQ(ProgrammerLink::enumeratePorts().last(2), QStringList({"/tmp/b", "./sim port"}));
    qunsetenv("VELMORA_EXTRA_PORTS");

    // A path listed twice: the same occurrence stays chosen.
    const PortListState shown{{"/tmp/a", "ttyS0", "/tmp/a"}, 2};
    EXPECT_EQ(refreshedPortList(shown, shown.entries), std::nullopt);
    EXPECT_EQ(refreshedPortList(shown, {"/tmp/a", "/tmp/a"}),
              (PortListState{{"/tmp/a", "/tmp/a"}, 1}));
    EXPECT_EQ(refreshedPortList(shown, {"/tmp/a"})->chosen, -1);
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
    EXPECT_TRUE(link.replyText().isEmpty() && !link.longWait());
    EXPECT_EQ(messages.texts(), QStringList{Text::badHexData()});
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_FALSE(link.open(""));
}

// Each way a reply fails has its own verdict; the log keeps the newest MaxRows rows.
TEST(ExchangeLog, EachFailureItsVerdictAndTheNewestRowsKept)
{
    const auto bytes = [](const QString &text) { return parseHex(withCrc(text)).bytes; };
    const QByteArray read = bytes("01 03 92 00 00 01");
    const QByteArray write = bytes("01 10 92 00 00 01 02 00 3B");
    const QByteArray answer = bytes("01 03 02 00 15");
    const std::tuple<QByteArray, QByteArray, const char *> cases[] = {
        {read, answer, "正确"},
        {read, {}, "超时"},
        {read, bytes("02 03 02 00 15"), "从站地址错误"},
        {read, answer.first(4), "长度错误"},
        {read, answer + '\0', "长度错误"},
        {read, answer.chopped(1) + '\0', "CRC错误"},
        {read, bytes("01 04 02 00 15"), "功能码错误"},
        {read, bytes("01 03 03 00 15"), "字节数错误"},
        {read, bytes("01 83 02"), "异常码 02"},
        {write, bytes("01 10 92 01 00 01"), "回显不符"},
    };
    for (const auto &[request, reply, verdict] : cases)
        EXPECT_EQ(replyVerdict(request, reply, checkReply(request, reply)), verdict)
            << reply.toHex().toStdString();

    ExchangeLog log;
    log.addCommand("读取编程器");
    log.addReceived({}, "超时");
    EXPECT_TRUE(QRegularExpression(R"(^\d\d:\d\d:\d\d\.\d{3}\t读取编程器\n\S+\t接收\t\t超时\n$)")
                    .match(log.text())
                    .hasMatch())
        << log.text().toStdString();
    for (int i = 0; i < ExchangeLog::MaxRows; ++i)
        log.addSent(QByteArray(1, char(i)));
    EXPECT_EQ(log.rowCount(), ExchangeLog::MaxRows);
    EXPECT_EQ(log.row(0).bytes + ' ' + log.row(ExchangeLog::MaxRows - 1).bytes, "00 CF");
}
