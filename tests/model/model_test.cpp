#include "model/codepage.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/valuetext.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

// The converters must report what they could not convert: a file that is not code page 936 is
// refused on that, and a character cut off at the end of the text is an error too. (A moved
// ICU converter stops reporting: its error count goes elsewhere.)
TEST(CodePage, ConvertersReportWhatTheyCannotConvert)
{
    for (const auto &[bytes, text, error] : {std::tuple{"\xB9\xE2\xB7\xFC", u"光伏", false},
                                             {"QM\xB9", u"QM", true},
                                             {"\x81\r\n", u"\uFFFD\r\n", true}}) {
        QStringDecoder decoder = codePageDecoder();
        EXPECT_EQ(decoder.decode(QByteArray(bytes)), QString::fromUtf16(text));
        EXPECT_EQ(decoder.hasError(), error);
    }
    // Outside code page 936.
    QStringEncoder encoder = codePageEncoder();
    EXPECT_EQ(
        QByteArray(encoder.encode(QStringLiteral("光伏") + QString::fromUtf8("\xF0\x9F\x98\x80"))),
        "\xB9\xE2\xB7\xFC?");
    EXPECT_TRUE(encoder.hasError());
}

TEST(ParameterSet, RegistersRiseAndEachSelectionWalksItsOwnCount)
{
    for (int slot = 1; slot < ParameterSet::kSlotCount; ++slot)
        EXPECT_LT(kSlotTable[slot - 1].reg, kSlotTable[slot].reg) << slot;
    // Files show registers in upper case. Load and LED slots interleave in slot order; files and
    // the programmer tell a selection by its count alone.
    EXPECT_EQ(registerText(14) + registerText(15), "900E901E");
    EXPECT_EQ(groupWalk(GroupSelection::LoadLed).mid(5, 4), (QList<int>{20, 21, 22, 23}));
    EXPECT_EQ(groupWalk(GroupSelection::Battery).mid(14, 3), (QList<int>{14, 39, 42}));
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All})
        EXPECT_EQ(selectionFromSlotCount(groupWalk(s).size()), s);
    EXPECT_EQ(selectionFromSlotCount(groupWalk(GroupSelection::None).size()), GroupSelection::None);
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
    EXPECT_EQ(
        QList<int>({lenientInt("  -25"), lenientInt("+7"), lenientInt("12.5"), lenientInt("- 5")}),
        QList<int>({-25, 7, 12, 0}));
    // Saturates instead of wrapping into a plausible small number; however long the number (a
    // file may hold hundreds of digits), it stays huge and keeps its sign.
    EXPECT_EQ(lenientInt("-99999999999"), INT_MIN);
    for (const QString digits : {"99999999999", "4611686018427387904", "9999999999999999999"}) {
        EXPECT_EQ(lenientInt(digits), INT_MAX);
        EXPECT_GT(lenientInt64(digits), 0xFFFFFFFFLL);
        EXPECT_LT(lenientInt64("-" + digits), -0xFFFFFFFFLL);
        EXPECT_GT(hundredthsFromText(digits), 0xFFFFFFFFLL);
        EXPECT_LT(hundredthsFromText("-" + digits + "e3"), -0xFFFFFFFFLL);
    }
    for (const auto &[text, value] :
         {std::pair{" -2.5V", -2.5}, {".5", 0.5}, {"1e2", 100.0}, {"3e", 3.0}, {".", 0.0}})
        EXPECT_DOUBLE_EQ(lenientDouble(text), value) << text;
    // Hundredths truncate toward zero without binary rounding: 4.35 * 100 is 434.99999...
    for (const auto &[text, value] :
         {std::pair{"14.409", 1440}, {"4.35", 435}, {"0.29", 29}, {"-2.5", -250}, {"1.5e1", 1500}})
        EXPECT_EQ(hundredthsFromText(text), value) << text;
    // Signed division truncates toward zero; "0" is 12 V, "00" no level.
    EXPECT_EQ(hourMinuteFromCode(-300).hours, -1);
    EXPECT_EQ(QList<int>({ratedVoltageMultiplier("0"), ratedVoltageMultiplier("00")}),
              QList<int>({1, 0}));
}
