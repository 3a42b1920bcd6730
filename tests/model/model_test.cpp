#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/valuetext.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(ParameterSet, RegistersRiseAndWalksGoInSlotOrder)
{
    for (int slot = 1; slot < ParameterSet::kSlotCount; ++slot)
        EXPECT_LT(kSlotTable[slot - 1].reg, kSlotTable[slot].reg) << slot;
    // Load and LED slots interleave in slot order.
    EXPECT_EQ(groupWalk(GroupSelection::LoadLed).mid(5, 4), (QList<int>{20, 21, 22, 23}));
    EXPECT_EQ(groupWalk(GroupSelection::Battery).mid(14, 3), (QList<int>{14, 39, 42}));
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
    // Hundredths truncate toward zero without binary rounding: 4.35 * 100 is 434.99999...; no
    // digits, no hundredths.
    for (const auto &[text, value] :
         {std::pair{"14.409", 1440}, {"4.35", 435}, {"abc", 0}, {"-2.5", -250}, {"1.5e1", 1500}})
        EXPECT_EQ(hundredthsFromText(text), value) << text;
    // Signed division truncates toward zero; "0" is 12 V, "00" no level.
    EXPECT_EQ(hourMinuteFromCode(-300).hours, -1);
    EXPECT_EQ(QList<int>({ratedVoltageMultiplier("0"), ratedVoltageMultiplier("00")}),
              QList<int>({1, 0}));
}
