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

// Reply bytes with a CRC from the reference computation.
QByteArray withReferenceCrc(const char *hex)
{
    return QByteArray::fromHex(referenceFramed(QString::fromLatin1(hex)).toLatin1());
}

// Frames compared as bytes: where the blanks stand does not matter.
QByteArray bytes(const QString &frameText)
{
    return QByteArray::fromHex(frameText.toLatin1());
}

// Name registers of "QM-XDJ" as they come over the wire (each pair exchanged).
const QList<quint16> kNameWords = {0x4D51, 0x582D, 0x4A44, 0, 0, 0, 0, 0};

const ClockFields kClock = clockFieldsOf(QDate(2016, 3, 5), QTime(14, 7, 9));

class OperationsTest : public ::testing::Test
{
protected:
    ProgrammerContext context() { return {parameters, selection, link}; }

    ParameterSet parameters;
    SelectionModel selection;
    ScriptedExchange link;
};

} // namespace

TEST_F(OperationsTest, UpdateSendsTheFiveFramesWithTheChecksumLastAndLong)
{
    selection.chooseProduct(0); // QM-X, general load
    selection.setBatteryBox(true);
    const QStringList heads = {"01 10 92 02 00 08 10 4D51582D000000000000000000000000",
                               "01 10 92 00 00 01 02 0015",
                               // 21 addresses then 21 values, each as a big-endian word.
                               "01 10 92 0A 00 15 2A 9000 9001 9002",
                               "01 10 93 00 00 15 2A 0001 00C8 012C", "01 10 92 01 00 01 02"};
    for (const QString &head : heads)
        link.append(writeEchoBytes(head));
    EXPECT_EQ(updateProgrammer(context()).message, "写入数据成功！");
    ASSERT_EQ(link.requests.size(), 5);
    EXPECT_EQ(bytes(link.requests[0]), bytes(referenceFramed(heads[0])));
    EXPECT_EQ(bytes(link.requests[1]), bytes(referenceFramed(heads[1])));
    for (int k = 2; k < 5; ++k)
        EXPECT_TRUE(bytes(link.requests[k]).startsWith(bytes(heads[k]))) << k;
    EXPECT_EQ(link.longWaits, (QList<bool>{false, false, false, false, true}));

    // An exception or an echo of another register acknowledges nothing: nothing more is sent.
    for (const QByteArray &reply :
         {withReferenceCrc("019004"), writeEchoBytes(referenceFramed("01 10 92 03 00 08"))}) {
        link.requests.clear();
        link.script({reply});
        EXPECT_EQ(updateProgrammer(context()).message, "写入超时！");
        EXPECT_EQ(link.requests.size(), 1);
    }
}

TEST_F(OperationsTest, ReadRestoresSelectionAndSlotsFromTheStoredBlock)
{
    // A stored LED block of 38 slots.
    const QList<int> walk = groupWalk(GroupSelection::LoadLed);
    QList<quint16> addresses;
    QList<quint16> values;
    for (int k = 0; k < walk.size(); ++k) {
        addresses.append(kSlotTable[walk[k]].reg);
        values.append(quint16(60000 + k));
    }
    link.script({readReplyBytes(kNameWords), readReplyBytes({0x0026}), readReplyBytes(addresses),
                 readReplyBytes(values), readReplyBytes({0xBEEF})});
    selection.setBatteryBox(true);
    const ParameterSet before = parameters;
    EXPECT_EQ(readProgrammer(context()).message, "读取完成！");
    QList<QByteArray> sent;
    for (const QString &request : link.requests)
        sent.append(bytes(request));
    EXPECT_EQ(sent, (QList<QByteArray>{bytes(referenceFramed("01 03 92 02 00 08")),
                                       bytes(referenceFramed("01 03 92 00 00 01")),
                                       bytes(referenceFramed("01 03 92 0A 00 26")),
                                       bytes(referenceFramed("01 03 93 00 00 26")),
                                       bytes(referenceFramed("01 03 92 01 00 01"))}));
    EXPECT_EQ(selection.productName(), "QM-XDJ");
    EXPECT_EQ(selection.productType(), -1);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::LoadLed);
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
        const qsizetype k = walk.indexOf(slot);
        EXPECT_EQ(parameters.values[slot],
                  k < 0 ? before.values[slot] : QString::number(60000 + k));
    }
}

TEST_F(OperationsTest, ReadTakesNothingFromATableThatIsNotTheSlots)
{
    // A battery block whose fourth slot names another register: slots would hold what an update
    // never writes. Then an address table one register short.
    QList<quint16> addresses;
    for (int slot : groupWalk(GroupSelection::Battery))
        addresses.append(kSlotTable[slot].reg);
    addresses[3] = 0x9100;
    const QList<quint16> shortTable(20, 0x9000);
    selection.setLoadBox(true);
    const ParameterSet before = parameters;
    for (const auto &[table, message] :
         {std::pair{addresses, "参数地址出错！"}, {shortTable, "读取超时！"}}) {
        link.script({readReplyBytes(kNameWords), readReplyBytes({0x0015}), readReplyBytes(table)});
        EXPECT_EQ(readProgrammer(context()).message, message);
        EXPECT_EQ(parameters.values, before.values);
        EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::Load);
    }
    EXPECT_EQ(link.requests.size(), 6);
    EXPECT_EQ(selection.productName(), "QM-XDJ"); // the name step had succeeded
}

TEST_F(OperationsTest, ClearResetsTheBoxesOnlyWhenConfirmed)
{
    selection.setBatteryBox(true);
    EXPECT_EQ(clearProgrammer(context()).message, "写入超时！"); // unanswered
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::Battery);

    link.script({writeEchoBytes(referenceFramed("01 10 92 00 00 01"))});
    EXPECT_EQ(clearProgrammer(context()).outcome, OperationResult::Outcome::Completed);
    EXPECT_EQ(bytes(link.requests.last()), bytes(referenceFramed("01 10 92 00 00 01 02 5A A5")));
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::None);

    link.setPortOpen(false);
    EXPECT_EQ(clearProgrammer(context()).outcome, OperationResult::Outcome::PortUnavailable);
}

TEST(ClockOperations, WriteSendsTheFieldsAndReadShowsThemBack)
{
    EXPECT_EQ(kClock, (ClockFields{9, 7, 14, 5, 3, 16}));
    // 2009 is 2009, not "209"; two-digit fields show both digits.
    EXPECT_EQ(clockText(clockFieldsOf(QDate(2009, 12, 31), QTime(23, 59, 10))),
              "2009/12/31   23:59:10");

    ScriptedExchange link;
    link.script({withReferenceCrc("011090130003"),
                 referenceReadReply(QByteArray::fromHex("0709050E1003"))});
    EXPECT_EQ(writeProgrammerClock(link, kClock).message, "写入成功！");
    const ClockReading reading = readProgrammerClock(link);
    EXPECT_EQ(reading.result.message, "读取成功！");
    EXPECT_EQ(reading.time, "2016/3/5   14:7:9");
    EXPECT_EQ(bytes(link.requests.at(0)), withReferenceCrc("01109013000306 0709050E1003"));
    EXPECT_EQ(link.requests.at(1), referenceFramed("01 03 90 13 00 03"));
}

// Silence, short replies, bad CRCs and exceptions come from the simulator in the end-to-end
// tests; these replies it cannot give.
TEST(ClockOperations, TakeOnlyAValidAnswerToTheirRequest)
{
    const QByteArray data = QByteArray::fromHex("0709050E1003");
    for (const QByteArray &reply : {withReferenceCrc("02030607 09050E1003"), // another slave
                                    referenceReadReply(data.left(4))}) {
        ScriptedExchange link;
        link.script({reply});
        const ClockReading reading = readProgrammerClock(link);
        EXPECT_EQ(reading.result.outcome, OperationResult::Outcome::NoReply);
        EXPECT_EQ(reading.result.message + reading.time, "读取超时！");
    }
    for (const QByteArray &reply : {withReferenceCrc("011090140003"), // another address
                                    withReferenceCrc("011090130002"), // another quantity
                                    referenceReadReply(data)}) {
        ScriptedExchange link;
        link.script({reply});
        EXPECT_EQ(writeProgrammerClock(link, kClock).message, "写入超时！");
    }

    // Outside the programmer's century the year would wrap: 2100 must not become 2000.
    ScriptedExchange link;
    for (const QDate date : {QDate(2100, 1, 1), QDate(1999, 12, 31)})
        EXPECT_EQ(writeProgrammerClock(link, clockFieldsOf(date, QTime(0, 0))).message,
                  "参数值超出范围！");
    link.setPortOpen(false);
    EXPECT_EQ(writeProgrammerClock(link, kClock).outcome,
              OperationResult::Outcome::PortUnavailable);
    EXPECT_EQ(readProgrammerClock(link).result.message, "串口不可用或未打开！");
    EXPECT_TRUE(link.requests.isEmpty());
}
