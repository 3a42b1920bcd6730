#include "model/codepage.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/valuetext.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

// The converters must report what they could not convert: a file that is not code page 936 is
// refused on that. (A moved ICU converter stops reporting: its error count goes elsewhere.)
TEST(CodePage, ConvertersReportWhatTheyCannotConvert)
{
    QStringDecoder decoder = codePageDecoder();
    EXPECT_EQ(decoder.decode(QByteArray("\xB9\xE2\xB7\xFC")), QStringLiteral("光伏"));
    EXPECT_FALSE(decoder.hasError());
    EXPECT_EQ(decoder.decode(QByteArray("\x81\r\n")), QStringLiteral("\uFFFD\r\n"));
    EXPECT_TRUE(decoder.hasError());
    // A character cut off at the end of the text is an error too.
    QStringDecoder another = codePageDecoder();
    EXPECT_EQ(another.decode(QByteArray("QM\xB9")), QStringLiteral("QM"));
    EXPECT_TRUE(another.hasError());

    QStringEncoder encoder = codePageEncoder();
    EXPECT_EQ(encoder.encode(QStringLiteral("光伏")), QByteArray("\xB9\xE2\xB7\xFC"));
    EXPECT_FALSE(encoder.hasError());
    EXPECT_EQ(QByteArray(encoder.encode(QString::fromUtf8("\xF0\x9F\x98\x80"))), "?");
    EXPECT_TRUE(encoder.hasError());
}

TEST(ParameterSet, SlotsRegistersAndTheWalkOfEachSelection)
{
    QString generalLoad; // the products whose load is edited in the general form
    for (const ProductType &type : kProductTypes)
        generalLoad += type.generalLoad ? u'G' : u'-';
    EXPECT_EQ(generalLoad, "GG---GGG---");
    // Registers strictly rising, with the two gaps; files show them in upper case.
    for (int slot = 1; slot < ParameterSet::kSlotCount; ++slot)
        EXPECT_LT(kSlotTable[slot - 1].reg, kSlotTable[slot].reg) << slot;
    EXPECT_EQ(registerText(14) + registerText(15) + registerText(38) + registerText(39),
              "900E901E90659067");

    // Load and LED slots interleave in slot order; the programmer and files tell a selection
    // by its count alone.
    EXPECT_EQ(groupWalk(GroupSelection::LoadLed).mid(5, 4), (QList<int>{20, 21, 22, 23}));
    EXPECT_EQ(groupWalk(GroupSelection::Battery).mid(14, 3), (QList<int>{14, 39, 42}));
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        const QList<int> walk = groupWalk(s);
        EXPECT_TRUE(std::is_sorted(walk.begin(), walk.end()));
        EXPECT_EQ(selectionFromSlotCount(walk.size()), s);
    }
    EXPECT_EQ(groupWalk(GroupSelection::All).size(), ParameterSet::kSlotCount);
    EXPECT_TRUE(groupWalk(GroupSelection::None).isEmpty());
    EXPECT_EQ(selectionFromSlotCount(20), GroupSelection::None);
}

TEST(SelectionModel, OneSignalPerChange)
{
    SelectionModel model;
    QSignalSpy changed(&model, &SelectionModel::changed);
    model.chooseProduct(2);  // an LED product: name and form follow in one change
    model.chooseProduct(11); // no such product
    model.chooseProduct(2);  // nothing new
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.productName(), "QM-XDJ");

    // A battery-only block keeps the load form; any block with the load group sets it.
    model.restoreGroupSelection(GroupSelection::Battery);
    EXPECT_FALSE(model.generalLoad());
    model.restoreGroupSelection(GroupSelection::BatteryLoad);
    model.restoreGroupSelection(GroupSelection::None);
    EXPECT_EQ(model.currentGroupSelection(), GroupSelection::BatteryLoad);
    model.clearGroupBoxes();
    EXPECT_EQ(model.currentGroupSelection(), GroupSelection::None);
    EXPECT_EQ(changed.count(), 4);
}

TEST(ValueText, NumbersAreReadLeniently)
{
    const std::pair<const char *, int> ints[] = {
        {"  -25", -25},
        {"+7", 7},
        {"12.5", 12},
        {"", 0},
        {"- 5", 0},
        // Saturates instead of wrapping into a plausible small number.
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1}};
    for (const auto &[text, value] : ints)
        EXPECT_EQ(lenientInt(text), value) << text;
    // However long the number (a file may hold hundreds of digits), it stays huge and keeps its
    // sign.
    for (const QString digits : {"99999999999", "4611686018427387904", "9999999999999999999"}) {
        EXPECT_GT(lenientInt64(digits), 0xFFFFFFFFLL);
        EXPECT_LT(lenientInt64("-" + digits), -0xFFFFFFFFLL);
        EXPECT_GT(hundredthsFromText(digits), 0xFFFFFFFFLL);
        EXPECT_LT(hundredthsFromText("-" + digits + "e3"), -0xFFFFFFFFLL);
    }
    const std::pair<const char *, double> doubles[] = {
        {" -2.5V", -2.5}, {".5", 0.5}, {"1e2", 100}, {"3e", 3}, {".", 0}};
    for (const auto &[text, value] : doubles)
        EXPECT_DOUBLE_EQ(lenientDouble(text), value) << text;

    // Hundredths truncate toward zero without binary rounding: 4.35 * 100 is 434.99999...
    const std::pair<const char *, int> hundredths[] = {
        {"14.409", 1440}, {"-2.5", -250}, {"7", 700}, {"4.35", 435}, {"0.29", 29}, {"1.5e1", 1500}};
    for (const auto &[text, value] : hundredths)
        EXPECT_EQ(hundredthsFromText(text), value) << text;

    // Signed division truncates toward zero.
    EXPECT_EQ(hourMinuteFromCode(hourMinuteCode(23, 59)).minutes, 59);
    EXPECT_EQ(hourMinuteFromCode(-300).hours, -1);
    EXPECT_EQ(QString("%1%2%3")
                  .arg(ratedVoltageMultiplier("0"))
                  .arg(ratedVoltageMultiplier("00"))
                  .arg(ratedVoltageMultiplier("2")),
              "102");
}
