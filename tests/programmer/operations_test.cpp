#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "programmer/clockoperations.h"
#include "programmer/programmeroperations.h"
#include "support/printers.h"
#include "support/referenceframes.h"
#include "support/scriptedexchange.h"

#include <gtest/gtest.h>

// Read, update, clear and the clock against a scripted programmer, in process: the exact frames
// and the state each operation leaves, on any platform.

namespace {

class OperationsTest : public ::testing::Test
{
protected:
    ProgrammerContext context() { return {parameters, selection, link}; }
    // Frame texts are compared without blanks: where they stand does not matter.
    QString sent(int k) const { return QString(link.requests.value(k)).remove(u' '); }
    static QString framed(const QString &text) { return referenceFramed(text).remove(u' '); }
    // Bytes with a CRC from the reference computation.
    static QByteArray referenceBytes(const QString &hex)
    {
        return QByteArray::fromHex(framed(hex).toLatin1());
    }

    ParameterSet parameters;
    SelectionModel selection;
    ScriptedExchange link;
};

} // namespace

TEST_F(OperationsTest, UpdateSendsTheFiveFramesWithTheChecksumLastAndClearNeedsAnAnswer)
{
    selection.chooseProduct(0); // QM-X, general load
    selection.setBatteryBox(true);
    for (const char *head : {"01 10 92 02 00 08", "01 10 92 00 00 01", "01 10 92 0A 00 15",
                             "01 10 93 00 00 15", "01 10 92 01 00 01"})
        link.append(writeEchoBytes(head));
    EXPECT_EQ(updateProgrammer(context()).message, "写入数据成功！");
    EXPECT_EQ(sent(0), framed("01 10 92 02 00 08 10 4D51582D000000000000000000000000"));
    EXPECT_EQ(sent(1), framed("01 10 92 00 00 01 02 0015"));
    // 21 addresses then 21 values, each as a big-endian word; the checksum last.
    EXPECT_TRUE(sent(2).startsWith("0110920A00152A900090019002"));
    EXPECT_TRUE(sent(3).startsWith("0110930000152A000100C8012C"));
    EXPECT_TRUE(sent(4).startsWith("01109201000102"));
    EXPECT_EQ(link.longWaits, (QList<bool>{false, false, false, false, true}));

    // An exception or an echo of another register acknowledges nothing: nothing more is sent.
    for (const QByteArray &reply :
         {referenceBytes("019004"), writeEchoBytes("01 10 92 03 00 08")}) {
        link.requests.clear();
        link.script({reply});
        EXPECT_EQ(updateProgrammer(context()).message, "写入超时！");
        EXPECT_EQ(link.requests.size(), 1);
    }

    // Clearing resets the boxes only once the programmer confirms it.
    EXPECT_EQ(clearProgrammer(context()).message, "写入超时！"); // unanswered
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::Battery);
    link.script({writeEchoBytes("01 10 92 00 00 01")});
    EXPECT_EQ(clearProgrammer(context()).outcome, OperationResult::Outcome::Completed);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::None);
    link.setPortOpen(false);
    EXPECT_EQ(clearProgrammer(context()).outcome, OperationResult::Outcome::PortUnavailable);
}

TEST_F(OperationsTest, ReadRestoresSelectionAndSlotsFromTheStoredBlock)
{
    // A stored LED block of 38 slots: each lands in its slot, the others stay.
    const QList<int> walk = groupWalk(GroupSelection::LoadLed);
    QList<quint16> addresses;
    QList<quint16> values;
    QStringList expected = parameters.values;
    for (int k = 0; k < walk.size(); ++k) {
        addresses.append(kSlotTable[walk[k]].reg);
        values.append(quint16(60000 + k));
        expected[walk[k]] = QString::number(60000 + k);
    }
    // "QM-XDJ" as it comes over the wire, each pair of bytes exchanged.
    const QByteArray name = readReplyBytes({0x4D51, 0x582D, 0x4A44, 0, 0, 0, 0, 0});
    link.script({name, readReplyBytes({0x0026}), readReplyBytes(addresses), readReplyBytes(values),
                 readReplyBytes({0xBEEF})});
    selection.setBatteryBox(true);
    EXPECT_EQ(readProgrammer(context()).message, "读取完成！");
    EXPECT_EQ(link.requests.join(u'|').remove(u' '),
              QStringList({framed("01 03 92 02 00 08"), framed("01 03 92 00 00 01"),
                           framed("01 03 92 0A 00 26"), framed("01 03 93 00 00 26"),
                           framed("01 03 92 01 00 01")})
                  .join(u'|'));
    EXPECT_EQ(parameters.values, expected);
    EXPECT_EQ(selection.productName(), "QM-XDJ");
    EXPECT_EQ(selection.productType(), -1);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::LoadLed);

    // A battery block whose fourth slot names another register (slots would hold what an
    // update never writes): nothing is taken.
    addresses = {};
    for (int slot : groupWalk(GroupSelection::Battery))
        addresses.append(kSlotTable[slot].reg);
    addresses[3] = 0x9100;
    link.script({name, readReplyBytes({0x0015}), readReplyBytes(addresses)});
    EXPECT_EQ(readProgrammer(context()).message, "参数地址出错！");
    EXPECT_EQ(parameters.values, expected);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::LoadLed);
}

TEST_F(OperationsTest, ClockWriteThenReadTakingOnlyValidAnswers)
{
    const ClockFields clock = clockFieldsOf(QDate(2016, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(clock, (ClockFields{9, 7, 14, 5, 3, 16}));
    const QByteArray data = QByteArray::fromHex("0709050E1003"); // minute, second, day, ...
    link.script({referenceBytes("011090130003"), referenceReadReply(data)});
    EXPECT_EQ(writeProgrammerClock(link, clock).message, "写入成功！");
    const ClockReading reading = readProgrammerClock(link);
    EXPECT_EQ(reading.result.message, "读取成功！");
    EXPECT_EQ(reading.time, "2016/3/5   14:7:9");
    EXPECT_EQ(sent(0), framed("01109013000306 0709050E1003"));
    EXPECT_EQ(sent(1), framed("01 03 90 13 00 03"));
    // 2009 is 2009, not "209"; two-digit fields show both digits.
    EXPECT_EQ(clockText(clockFieldsOf(QDate(2009, 12, 31), QTime(23, 59, 10))),
              "2009/12/31   23:59:10");

    // Replies the simulator cannot give: another slave, a byte count of 4; another address,
    // another quantity, an answer to a read.
    for (const QByteArray &reply :
         {referenceBytes("02030607 09050E1003"), referenceReadReply(data.left(4))}) {
        link.script({reply});
        EXPECT_EQ(readProgrammerClock(link).result.outcome, OperationResult::Outcome::NoReply);
    }
    for (const QByteArray &reply : {referenceBytes("011090140003"), referenceBytes("011090130002"),
                                    referenceReadReply(data)}) {
        link.script({reply});
        EXPECT_EQ(writeProgrammerClock(link, clock).message, "写入超时！");
    }

    // Outside the programmer's century the year would wrap: 2100 must not become 2000.
    link.requests.clear();
    for (const QDate date : {QDate(2100, 1, 1), QDate(1999, 12, 31)})
        EXPECT_EQ(writeProgrammerClock(link, clockFieldsOf(date, QTime(0, 0))).message,
                  "参数值超出范围！");
    link.setPortOpen(false);
    EXPECT_EQ(writeProgrammerClock(link, clock).outcome, OperationResult::Outcome::PortUnavailable);
    EXPECT_EQ(readProgrammerClock(link).result.message, "串口不可用或未打开！");
    EXPECT_TRUE(link.requests.isEmpty());
}
