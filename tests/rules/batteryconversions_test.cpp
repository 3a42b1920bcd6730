#include "rules/batteryconversions.h"

#include <gtest/gtest.h>

TEST(BatteryConversions, VoltagesShowTwoDecimalsAndScaleTheBasis)
{
    EXPECT_EQ(VoltageShown("1460"), "14.60");
    EXPECT_EQ(VoltageShown("5"), "0.05");
    EXPECT_EQ(VoltageShown("0"), "0.00");
    EXPECT_EQ(VoltageShown("-0"), "0.00");
    EXPECT_EQ(VoltageShown(""), "0.00");
    EXPECT_EQ(DefaultVoltageShown("1600", 2), "32.00");
    EXPECT_EQ(DefaultVoltageShown("1460", 4), "58.40");
    EXPECT_EQ(DefaultVoltageShown("1480", 2), "29.60");

    // Only the exact text "0" means "no equalize stage".
    EXPECT_EQ(EqualizeVoltageShown("0"), "--");
    EXPECT_EQ(EqualizeVoltageShown("00"), "0.00");
    EXPECT_EQ(EqualizeVoltageShown("1480"), "14.80");
}

TEST(BatteryConversions, TypedVoltsBecomeExactHundredths)
{
    EXPECT_EQ(VoltageCollected("14.60"), "1460");
    EXPECT_EQ(VoltageCollected("4.35"), "435");
    EXPECT_EQ(VoltageCollected("14.409"), "1440");
    EXPECT_EQ(VoltageCollected(" 14.6"), "1460");
    EXPECT_EQ(VoltageCollected("-1.239"), "-123");
    EXPECT_EQ(VoltageCollected("--"), "0");
    EXPECT_EQ(VoltageCollected("abc"), "0");
    EXPECT_EQ(VoltageCollected("12V"), "1200");

    // Whatever the form shows, collecting it gives the slot text back, for every voltage a
    // 48 V system can hold.
    for (int hundredths = 0; hundredths <= 7000; ++hundredths) {
        const QString slot = QString::number(hundredths);
        ASSERT_EQ(VoltageCollected(VoltageShown(slot)), slot);
    }
}

TEST(BatteryConversions, TemperatureCompensationIsMinusHundredTimesTheCoefficient)
{
    EXPECT_EQ(TempCompensationShown("300"), "-3");
    EXPECT_EQ(TempCompensationShown("350"), "-3");
    EXPECT_EQ(TempCompensationShown("0"), "0");
    EXPECT_EQ(TempCompensationShown("-500"), "5");

    EXPECT_EQ(TempCompensationCollected("-3"), "300");
    EXPECT_EQ(TempCompensationCollected("-3.7"), "370");
    EXPECT_EQ(TempCompensationCollected("-2.5"), "250");
    EXPECT_EQ(TempCompensationCollected("5"), "-500");
    EXPECT_EQ(TempCompensationCollected("-0"), "0");
    EXPECT_EQ(TempCompensationCollected(""), "0");
    for (int shown = -9; shown <= 0; ++shown)
        EXPECT_EQ(TempCompensationShown(TempCompensationCollected(QString::number(shown))),
                  QString::number(shown));
}

TEST(BatteryConversions, ListsGoByPositionAndExactNames)
{
    const QStringList types = BatteryTypeItems();
    ASSERT_EQ(types, QStringList({"自定义", "铅酸免维护", "胶体", "铅酸液体"}));
    EXPECT_EQ(ChargingModeItems(), QStringList({"电压补偿", "SOC"}));
    EXPECT_EQ(RatedVoltageItems(), QStringList({"自识别", "12V", "24V", "36V", "48V"}));

    EXPECT_EQ(ListItemShown(types, "2"), "胶体");
    EXPECT_EQ(ListItemShown(types, "7"), "");
    EXPECT_EQ(ListItemShown(types, "-1"), "");

    EXPECT_EQ(ListPositionCollected(types, "胶体"), "2");
    EXPECT_EQ(ListPositionCollected(types, "自定义"), "0");
    EXPECT_EQ(ListPositionCollected(types, " 胶体"), std::nullopt);
    EXPECT_EQ(ListPositionCollected(types, ""), std::nullopt);
    EXPECT_EQ(ListPositionCollected(RatedVoltageItems(), "24v"), std::nullopt);

    EXPECT_EQ(EqualizeDurationCollected("--"), "0");
    EXPECT_EQ(EqualizeDurationCollected("120"), "120");
    EXPECT_EQ(EqualizeDurationCollected(""), "");
}

TEST(BatteryConversions, TypeTableGivesEqualizeAndBoost)
{
    const auto voltages = [](int type) {
        const std::optional<TypeVoltages> v = BatteryTypeVoltages(type);
        return v ? v->equalize + u'/' + v->boost : QString();
    };
    EXPECT_EQ(voltages(0), "1460/1440");
    EXPECT_EQ(voltages(1), "1460/1440");
    EXPECT_EQ(voltages(2), "0/1420");
    EXPECT_EQ(voltages(3), "1480/1460");
    EXPECT_EQ(voltages(4), "");
    EXPECT_EQ(voltages(-1), "");
}
