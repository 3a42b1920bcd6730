#include "programmer/registermap.h"

#include <gtest/gtest.h>

namespace {

// CRC-16/MODBUS written out independently of the product code.
quint16 ReferenceCrc(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

// The frame text with its CRC text (low byte first); fromHex skips the blanks.
QString Framed(const QString &text)
{
    const quint16 crc = ReferenceCrc(QByteArray::fromHex(text.toLatin1()));
    return text + QString::asprintf("%02X%02X", crc & 0xFF, crc >> 8);
}

// A 0x03 reply carrying `data`, as the link hands it over.
QString Reply(const QByteArray &data)
{
    QByteArray frame = QByteArray::fromHex("0103") + char(data.size()) + data;
    const quint16 crc = ReferenceCrc(frame);
    frame += char(crc & 0xFF);
    frame += char(crc >> 8);
    return QString::fromLatin1(frame.toHex().toUpper());
}

} // namespace

TEST(RegisterMap, StoredCountCodes)
{
    const struct
    {
        GroupSelection selection;
        const char *code;
        SelectionRestore restore;
    } cases[] = {
        {GroupSelection::Battery, "0015", {true, false, std::nullopt}},
        {GroupSelection::Load, "0016", {false, true, true}},
        {GroupSelection::LoadLed, "0026", {false, true, false}},
        {GroupSelection::BatteryLoad, "002B", {true, true, true}},
        {GroupSelection::All, "003B", {true, true, false}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(StoredCount(c.selection), c.code);
        EXPECT_EQ(SelectionFromStoredCount(QString::fromLatin1(c.code)), c.selection);
        const SelectionRestore r = RestoreForSelection(c.selection);
        EXPECT_EQ(r.batteryBox, c.restore.batteryBox) << c.code;
        EXPECT_EQ(r.loadBox, c.restore.loadBox) << c.code;
        EXPECT_EQ(r.generalLoad, c.restore.generalLoad) << c.code;
    }
    for (const char *code : {"0000", "002b", "0014", "003B0", ""})
        EXPECT_EQ(SelectionFromStoredCount(QString::fromLatin1(code)), GroupSelection::None)
            << code;
    const SelectionRestore none = RestoreForSelection(GroupSelection::None);
    EXPECT_FALSE(none.batteryBox || none.loadBox || none.generalLoad.has_value());
}

TEST(RegisterMap, FixedRequests)
{
    // Literal CRCs computed outside this code base.
    EXPECT_EQ(ReadProductNameRequest(), "01 03 92 02 00 08C974");
    EXPECT_EQ(ReadCountRequest(), "01 03 92 00 00 01A8B2");
    EXPECT_EQ(ReadChecksumRequest(), "01 03 92 01 00 01F972");
    EXPECT_EQ(ReadClockRequest(), "01 03 90 13 00 03D90E");
    EXPECT_EQ(ClearRequest(), "01 10 92 00 00 01 02 5A A5EF42");
    EXPECT_EQ(WriteCountRequest(GroupSelection::All), "01 10 92 00 00 01 02003B544A");
    EXPECT_EQ(WriteCountRequest(GroupSelection::All), Framed("01 10 92 00 00 01 02003B"));
    EXPECT_TRUE(WriteCountRequest(GroupSelection::None).isEmpty());
    EXPECT_EQ(ReadAddressTableRequest(u"0015"), "01 03 92 0A001588BF");
    EXPECT_EQ(ReadValueTableRequest(u"003B"), "01 03 93 00003B295D");
    // A count the programmer reports is requested as it stands, if it is a register value at all.
    EXPECT_EQ(ReadValueTableRequest(u"0005"), Framed("01 03 93 000005"));
    EXPECT_TRUE(ReadAddressTableRequest(u"15").isEmpty());
}

TEST(RegisterMap, TableRequestsOfAFreshSet)
{
    const ParameterSet set;
    EXPECT_EQ(WriteAddressTableRequest(set, GroupSelection::Battery),
              "01 10 92 0A00152A9000900190029003900490059006900790089009900A900B900C900D900E"
              "9067906B906C906D906E9070E83F");
    EXPECT_EQ(WriteValueTableRequest(set, GroupSelection::Battery),
              "01 10 93 0000152A000100C8012C064005DC05DC05B405A00564052804EC04C404B00456042400"
              "0000780078001E006400001D97");

    // LED slots interleave with load slots in slot order: slot 22 ("9040") is the 8th.
    const QString led = WriteAddressTableRequest(set, GroupSelection::LoadLed);
    EXPECT_TRUE(led.startsWith("01 10 92 0A00264C901E901F9020902190"
                               "3D903E903F90409042"));

    const QString addresses = WriteAddressTableRequest(set, GroupSelection::All);
    const QString values = WriteValueTableRequest(set, GroupSelection::All);
    EXPECT_EQ(addresses, Framed("01 10 92 0A003B76" + set.addresses.join(QString())));
    QString valueDigits;
    for (const QString &v : set.values)
        valueDigits += QString::asprintf("%04X", v.toInt());
    EXPECT_EQ(values, Framed("01 10 93 00003B76" + valueDigits));
    EXPECT_EQ(QByteArray::fromHex(values.toLatin1()).size(), 125 + 2);

    // The programmer answers a later read with the words written; they decode to the same texts.
    const QByteArray addressWords = QByteArray::fromHex(addresses.mid(17, 4 * 59).toLatin1());
    const QByteArray valueWords = QByteArray::fromHex(values.mid(17, 4 * 59).toLatin1());
    EXPECT_EQ(ReplyAddressTexts(Reply(addressWords), 59), set.addresses);
    EXPECT_EQ(ReplyValueTexts(Reply(valueWords), 59), set.values);

    EXPECT_TRUE(WriteAddressTableRequest(set, GroupSelection::None).isEmpty());
}

TEST(RegisterMap, ValueLimits)
{
    EXPECT_EQ(ValueWord("65535"), 0xFFFF);
    EXPECT_EQ(ValueWord(""), 0);
    EXPECT_EQ(ValueWord("12abc"), 12);
    EXPECT_EQ(ValueWord(" +7"), 7);
    EXPECT_FALSE(ValueWord("65536"));
    EXPECT_FALSE(ValueWord("-1"));
    EXPECT_FALSE(ValueWord("99999999999999999999999"));

    ParameterSet set;
    set.values[Slot::BatteryCapacity] = "65535";
    EXPECT_FALSE(CheckBlock(set, GroupSelection::Battery));
    EXPECT_TRUE(
        WriteValueTableRequest(set, GroupSelection::Battery).contains("00152A0001FFFF012C"));

    set.values[Slot::ChargePercent] = "65536";
    set.values[Slot::BatteryType] = "-1";
    set.addresses[Slot::ChargingMode] = "907";
    auto problem = CheckBlock(set, GroupSelection::Battery);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, BlockProblem::Field::Address);
    EXPECT_EQ(problem->slot, Slot::ChargingMode);
    EXPECT_TRUE(WriteAddressTableRequest(set, GroupSelection::Battery).isEmpty());
    // Slots outside the selection do not matter.
    EXPECT_FALSE(CheckBlock(set, GroupSelection::Load));

    set.addresses[Slot::ChargingMode] = "9070";
    problem = CheckBlock(set, GroupSelection::Battery);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->field, BlockProblem::Field::Value);
    EXPECT_EQ(problem->slot, Slot::BatteryType);
    EXPECT_TRUE(WriteValueTableRequest(set, GroupSelection::Battery).isEmpty());
    EXPECT_FALSE(BlockChecksum("QM-X", set, GroupSelection::Battery));
}

TEST(RegisterMap, ProductNamePacking)
{
    const std::array<quint16, 8> abcde = {0x4241, 0x4443, 0x2045, 0, 0, 0, 0, 0};
    EXPECT_EQ(ProductNameRegisters("ABCDE"), abcde);
    EXPECT_EQ(WriteProductNameRequest("QM-X"),
              "01 10 92 02 00 08 104D51582D0000000000000000000000009F78");

    const auto roundTrip = [](const QString &name) {
        QByteArray wire;
        for (quint16 word : ProductNameRegisters(name)) {
            wire += char(word >> 8);
            wire += char(word & 0xFF);
        }
        return ProductNameFromReply(Reply(wire));
    };
    EXPECT_EQ(roundTrip("ABCDE"), "ABCDE ");
    EXPECT_EQ(roundTrip("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(roundTrip("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNOP");

    // GBK: 通 CD A8, 用 D3 C3. "A" + 9 characters is 19 bytes; the 8th character would straddle
    // byte 16, so it is dropped whole and the odd 15 bytes get the padding blank.
    EXPECT_EQ(ProductNameBytes(QStringLiteral("通用")),
              QByteArray::fromHex("CDA8D3C3") + QByteArray(12, 0));
    const QString chinese = QStringLiteral("A通用负载参数控制器");
    const QByteArray packed = ProductNameBytes(chinese);
    EXPECT_EQ(packed.size(), 16);
    EXPECT_EQ(packed.left(3), QByteArray::fromHex("41CDA8"));
    EXPECT_EQ(packed.at(15), ' ');
    EXPECT_EQ(roundTrip(chinese), QStringLiteral("A通用负载参数控 "));

    // Short replies: only whole pairs are exchanged; nothing past the data is read.
    EXPECT_EQ(ProductNameFromReply(Reply("BA")), "AB");
    EXPECT_EQ(ProductNameFromReply(Reply("BAD")), "ABD");
    EXPECT_EQ(ProductNameFromReply(Reply("")), "");
    EXPECT_EQ(ProductNameFromReply(u"018302C0F1"), "");
}

TEST(RegisterMap, ChecksumImage)
{
    ParameterSet set;
    set.values[Slot::BatteryType] = "1";
    const QByteArray image = ChecksumImage("QM-X", set, GroupSelection::Battery);
    ASSERT_EQ(image.size(), 102);
    EXPECT_EQ(image.left(2), "QM");
    EXPECT_EQ(image.mid(16, 2), QByteArray::fromHex("1500"));
    EXPECT_EQ(image.mid(18, 4), QByteArray::fromHex("00900100"));
    EXPECT_EQ(ChecksumImage("QM-X", set, GroupSelection::All).size(), 254);
    EXPECT_TRUE(ChecksumImage("QM-X", set, GroupSelection::None).isEmpty());

    // Literal checksum computed outside this code base; sent high byte first.
    EXPECT_EQ(BlockChecksum("QM-X", set, GroupSelection::Battery), 0x590B);
    EXPECT_EQ(ReferenceCrc(image), 0x590B);
    EXPECT_EQ(WriteChecksumRequest(0x590B), "01 10 92 01 00 01 02 59 0B6FDF");
}

TEST(RegisterMap, Clock)
{
    const ClockFields fields{9, 7, 14, 5, 3, 16}; // 2016-03-05 14:07:09
    const QString request = WriteClockRequest(fields);
    EXPECT_EQ(request, "01 10 90 13 00 03 0607 09 05 0E 10 03 1B60");
    EXPECT_EQ(ClockFromReply(Reply(QByteArray::fromHex("0709050E1003"))), fields);

    const ClockFields limits{59, 59, 23, 31, 12, 99};
    const QByteArray sent = QByteArray::fromHex(WriteClockRequest(limits).mid(20, 18).toLatin1());
    EXPECT_EQ(ClockFromReply(Reply(sent)), limits);

    ClockFields bad = fields;
    bad.month = 13;
    EXPECT_TRUE(WriteClockRequest(bad).isEmpty());
    EXPECT_FALSE(ClockFromReply(u"0103060709050E10"));
}

TEST(RegisterMap, ReplyDecoding)
{
    const QString reply = Reply(QByteArray::fromHex("0015FFFF900A"));
    EXPECT_EQ(ReplyRegister(reply, 0), 0x15);
    EXPECT_EQ(ReplyRegister(reply, 1), 0xFFFF);
    EXPECT_EQ(ReplyStoredCount(reply), "0015");
    EXPECT_EQ(ReplyValueTexts(reply, 3), QStringList({"21", "65535", "36874"}));
    EXPECT_EQ(ReplyAddressTexts(u"010304900a00", 1), QStringList({"900A"}));

    // A reply cut short after one register and a half.
    const QString shortReply = QStringLiteral("01030400150");
    EXPECT_EQ(ReplyRegister(shortReply, 0), 0x15);
    EXPECT_EQ(ReplyRegister(shortReply, 1), -1);
    EXPECT_FALSE(ReplyRegisters(shortReply, 2));
    EXPECT_EQ(ReplyRegisters(shortReply, 1), QList<quint16>{0x15});
    EXPECT_EQ(ReplyStoredCount(u"01030"), "");
}
