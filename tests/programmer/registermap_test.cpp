#include "model/valuetext.h"
#include "programmer/clockframe.h"
#include "programmer/registermap.h"
#include "support/referenceframes.h"

#include <variant>

#include <gtest/gtest.h>

TEST(RegisterMap, RequestTextsAndStoredCountCodes)
{
    EncodedBlock all;
    all.addresses.resize(59);
    all.checksum = 0x590B;
    // Literal CRCs computed outside this code base, confirmed by the reference CRC.
    const QString literals[][2] = {
        {readCountRequest(), "01 03 92 00 00 01A8B2"},
        {clearRequest(), "01 10 92 00 00 01 02 5A A5EF42"},
        {writeCountRequest(all), "01 10 92 00 00 01 02003B544A"},
        {writeChecksumRequest(all), "01 10 92 01 00 01 02 59 0B6FDF"},
        {writeProductNameRequest("QM-X"),
         "01 10 92 02 00 08 104D51582D0000000000000000000000009F78"},
    };
    for (const auto &[request, literal] : literals) {
        EXPECT_EQ(request, literal);
        EXPECT_EQ(request, referenceFramed(literal.chopped(4)));
    }

    // The stored-count codes: the five, exactly.
    QStringList codes;
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        codes << storedCount(s);
        EXPECT_EQ(selectionFromStoredCount(codes.last()), s);
    }
    EXPECT_EQ(codes.join(' '), "0015 0016 0026 002B 003B");
    for (const char *code : {"0000", "002b", "0014", "003B0", ""})
        EXPECT_EQ(selectionFromStoredCount(QString::fromLatin1(code)), GroupSelection::None)
            << code;
}

TEST(RegisterMap, ProductNameBytes)
{
    const auto roundTrip = [](const QString &name) {
        QByteArray wire;
        for (quint16 word : productNameRegisters(name))
            wire += char(word >> 8) + QByteArray(1, char(word & 0xFF));
        return productNameFromReply(referenceReadReply(wire));
    };
    // An odd length gets a padding blank; more than 16 bytes are cut.
    EXPECT_EQ(roundTrip("ABCDE"), "ABCDE ");
    EXPECT_EQ(productNameFromReply(referenceReadReply("BADCFEHGJILKNMPORQ")), "ABCDEFGHIJKLMNOP");

    // GBK: "A" + 9 two-byte characters is 19 bytes; the 8th character would straddle byte 16,
    // so it is dropped whole and the odd 15 bytes get the padding blank.
    const QString chinese = QStringLiteral("A通用负载参数控制器");
    EXPECT_EQ(roundTrip(chinese), QStringLiteral("A通用负载参数控 "));
}

TEST(RegisterMap, EncodedBlockAndItsValueProblems)
{
    ParameterSet set;
    const auto encoded = encodeBlock("QM-X", set, GroupSelection::Battery);
    const EncodedBlock &block = std::get<EncodedBlock>(encoded);
    const QByteArray image = checksumImage(block);
    ASSERT_EQ(image.size(), 102);
    EXPECT_EQ(image.mid(16, 6), QByteArray::fromHex("150000900100"));
    EXPECT_EQ(block.checksum, referenceCrc(image));
    // The table frames carry the checked words, in walk order.
    EXPECT_EQ(writeAddressTableRequest(block).left(21), "01 10 92 0A00152A9000");

    // The first value of the walk that is no word is named; slots outside the selection do not
    // matter.
    set.values[Slot::BoostVoltage] = "65536";
    set.values[Slot::FloatVoltage] = "-1";
    set.values[Slot::BatteryCapacity] = "65535";
    const auto problem = std::get<BlockProblem>(encodeBlock("QM-X", set, GroupSelection::Battery));
    EXPECT_EQ(problem.field, BlockProblem::Field::Value);
    EXPECT_EQ(problem.slot, int(Slot::BoostVoltage));
    EXPECT_TRUE(std::holds_alternative<EncodedBlock>(encodeBlock("x", set, GroupSelection::Load)));
    EXPECT_EQ(std::get<BlockProblem>(encodeBlock("QM-X", set, GroupSelection::None)).field,
              BlockProblem::Field::Selection);
    EXPECT_FALSE(valueWord("-1"));
}

TEST(RegisterMap, RepliesCutShortDecodeAsMissing)
{
    // Cut short after one register and a half.
    const QByteArray shortReply = QByteArray::fromHex("010304001500");
    EXPECT_EQ(replyRegister(shortReply, 0), 0x15);
    EXPECT_EQ(replyValueTexts(shortReply, 2), std::nullopt);
    EXPECT_FALSE(replyNamesRegisters(referenceReadReply(QByteArray::fromHex("9000")), {0, 1}));
    // The clock's reply, one byte short.
    EXPECT_FALSE(clockFromReply(QByteArray::fromHex("0103060709050E10")));
}
