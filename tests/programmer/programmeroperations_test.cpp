#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "programmer/programmeroperations.h"
#include "support/printers.h"
#include "support/referenceframes.h"
#include "support/scriptedexchange.h"

#include <gtest/gtest.h>

// Read, update and clear against a scripted programmer, in process: the exact frames and the
// state each operation leaves, on any platform.

namespace {

class OperationsTest : public ::testing::Test
{
protected:
    ProgrammerContext context() { return {parameters, selection, link}; }

    ParameterSet parameters;
    SelectionModel selection;
    ScriptedExchange link;
};

using Outcome = OperationResult::Outcome;

// Name registers of "QM-XDJ" as they come over the wire (each pair exchanged).
const QList<quint16> kNameWords = {0x4D51, 0x582D, 0x4A44, 0, 0, 0, 0, 0};

// Frames compared as bytes: where the blanks stand does not matter.
QByteArray bytes(const QString &frameText)
{
    return QByteArray::fromHex(frameText.toLatin1());
}

QList<QByteArray> bytes(const QStringList &frameTexts)
{
    QList<QByteArray> all;
    for (const QString &text : frameTexts)
        all.append(bytes(text));
    return all;
}

} // namespace

TEST_F(OperationsTest, UpdateSendsTheFiveFramesWithTheChecksumLastAndLong)
{
    selection.chooseProduct(0); // QM-X, general load
    selection.setBatteryBox(true);
    const QStringList expected = {
        referenceFramed("01 10 92 02 00 08 10 4D51582D000000000000000000000000"),
        referenceFramed("01 10 92 00 00 01 02 0015"),
    };
    link.script({writeEchoBytes(expected[0]), writeEchoBytes(expected[1]),
                 writeEchoBytes(referenceFramed("01 10 92 0A 00 15")),
                 writeEchoBytes(referenceFramed("01 10 93 00 00 15")),
                 writeEchoBytes(referenceFramed("01 10 92 01 00 01"))});
    const OperationResult result = updateProgrammer(context());
    EXPECT_EQ(result.outcome, Outcome::Completed);
    EXPECT_EQ(result.message, "写入数据成功！");
    ASSERT_EQ(link.requests.size(), 5);
    EXPECT_EQ(bytes(link.requests[0]), bytes(expected[0]));
    EXPECT_EQ(bytes(link.requests[1]), bytes(expected[1]));
    // 21 addresses then 21 values, each as a big-endian word.
    EXPECT_TRUE(bytes(link.requests[2]).startsWith(bytes("01 10 92 0A 00 15 2A 9000 9001 9002")));
    EXPECT_TRUE(bytes(link.requests[3]).startsWith(bytes("01 10 93 00 00 15 2A 0001 00C8 012C")));
    EXPECT_EQ(link.longWaits, (QList<bool>{false, false, false, false, true}));
    EXPECT_TRUE(bytes(link.requests[4]).startsWith(bytes("01 10 92 01 00 01 02")));
}

TEST_F(OperationsTest, UpdateStopsAtAnExceptionOrAWrongEcho)
{
    selection.setBatteryBox(true);
    selection.setProductName("QM-X");
    const QByteArray exception = QByteArray::fromHex("019004");
    const quint16 crc = referenceCrc(exception);
    link.script({exception + char(crc & 0xFF) + char(crc >> 8)});
    EXPECT_EQ(updateProgrammer(context()).message, "写入超时！");
    EXPECT_EQ(link.requests.size(), 1);

    // An echo of another register is no acknowledgement.
    link.requests.clear();
    link.script({writeEchoBytes(referenceFramed("01 10 92 03 00 08"))});
    EXPECT_EQ(updateProgrammer(context()).message, "写入超时！");
    EXPECT_EQ(link.requests.size(), 1);
}

TEST_F(OperationsTest, ReadRestoresSelectionAndSlotsFromTheStoredBlock)
{
    // A stored LED block of 38 slots (tags 2 and 3).
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
    EXPECT_EQ(bytes(link.requests), bytes(QStringList{referenceFramed("01 03 92 02 00 08"),
                                                      referenceFramed("01 03 92 00 00 01"),
                                                      referenceFramed("01 03 92 0A 00 26"),
                                                      referenceFramed("01 03 93 00 00 26"),
                                                      referenceFramed("01 03 92 01 00 01")}));
    EXPECT_EQ(selection.productName(), "QM-XDJ");
    EXPECT_EQ(selection.productType(), -1);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::LoadLed);
    EXPECT_FALSE(selection.generalLoad());
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
        const qsizetype k = walk.indexOf(slot);
        EXPECT_EQ(parameters.values[slot],
                  k < 0 ? before.values[slot] : QString::number(60000 + k));
    }
}

TEST_F(OperationsTest, ReadRefusesAnAddressTableThatIsNotTheSlots)
{
    // A battery block whose fourth slot names another register: slots would hold what an update
    // never writes. Nothing of the table is taken.
    QList<quint16> addresses;
    for (int slot : groupWalk(GroupSelection::Battery))
        addresses.append(kSlotTable[slot].reg);
    addresses[3] = 0x9100;
    link.script({readReplyBytes(kNameWords), readReplyBytes({0x0015}), readReplyBytes(addresses)});
    selection.setLoadBox(true);
    const ParameterSet before = parameters;
    EXPECT_EQ(readProgrammer(context()).message, "参数地址出错！");
    EXPECT_EQ(link.requests.size(), 3);
    EXPECT_EQ(parameters.values, before.values);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::Load);
}

TEST_F(OperationsTest, ReadTakesNothingFromAReplyOfTheWrongShape)
{
    // The address table answers with one register fewer than asked: nothing is decoded from it.
    QList<quint16> shortTable(20, 0x9000);
    link.script({readReplyBytes(kNameWords), readReplyBytes({0x0015}), readReplyBytes(shortTable)});
    const ParameterSet before = parameters;
    EXPECT_EQ(readProgrammer(context()).message, "读取超时！");
    EXPECT_EQ(parameters.values, before.values);
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::None);
    EXPECT_EQ(selection.productName(), "QM-XDJ"); // the name step had succeeded
}

TEST_F(OperationsTest, ClearResetsTheBoxesOnlyWhenConfirmed)
{
    selection.setBatteryBox(true);
    selection.setLoadBox(true);
    EXPECT_EQ(clearProgrammer(context()).message, "写入超时！"); // unanswered
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::BatteryLoad);

    link.script({writeEchoBytes(referenceFramed("01 10 92 00 00 01"))});
    EXPECT_EQ(clearProgrammer(context()).outcome, Outcome::Completed);
    EXPECT_EQ(bytes(link.requests.last()), bytes(referenceFramed("01 10 92 00 00 01 02 5A A5")));
    EXPECT_EQ(selection.currentGroupSelection(), GroupSelection::None);

    link.setPortOpen(false);
    EXPECT_EQ(clearProgrammer(context()).outcome, Outcome::PortUnavailable);
}
