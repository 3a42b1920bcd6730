#include "rules/batteryconversions.h"

#include <gtest/gtest.h>

TEST(BatteryConversions, VoltagesShowTwoDecimalsAndScaleTheBasis)
{
    EXPECT_EQ(voltageShown("1460"), "14.60");
    EXPECT_EQ(voltageShown("5"), "0.05");
    EXPECT_EQ(voltageShown("0"), "0.00");
    EXPECT_EQ(voltageShown("-0"), "0.00");
    EXPECT_EQ(voltageShown(""), "0.00");
    EXPECT_EQ(defaultVoltageShown("1600", 2), "32.00");
    EXPECT_EQ(defaultVoltageShown("1460", 4), "58.40");
    EXPECT_EQ(defaultVoltageShown("1480", 2), "29.60");

    // Only the exact text "0" means "no equalize stage".
    EXPECT_EQ(equalizeVoltageShown("0"), "--");
    EXPECT_EQ(equalizeVoltageShown("00"), "0.00");
    EXPECT_EQ(equalizeVoltageShown("1480"), "14.80");
}

TEST(BatteryConversions, TypedVoltsBecomeExactHundredths)
{
    EXPECT_EQ(voltageCollected("14.60"), "1460");
    EXPECT_EQ(voltageCollected("4.35"), "435");
    EXPECT_EQ(voltageCollected("14.409"), "1440");
    EXPECT_EQ(voltageCollected(" 14.6"), "1460");
    EXPECT_EQ(voltageCollected("-1.239"), "-123");
    EXPECT_EQ(voltageCollected("--"), "0");
    EXPECT_EQ(voltageCollected("abc"), "0");
    EXPECT_EQ(voltageCollected("12V"), "1200");

    // Whatever the form shows, collecting it gives the slot text back, for every voltage a
    // 48 V system can hold.
    for (int hundredths = 0; hundredths <= 7000; ++hundredths) {
        const QString slot = QString::number(hundredths);
        ASSERT_EQ(voltageCollected(voltageShown(slot)), slot);
    }
}

TEST(BatteryConversions, TemperatureCompensationIsMinusHundredTimesTheCoefficient)
{
    EXPECT_EQ(tempCompensationShown("300"), "-3");
    EXPECT_EQ(tempCompensationShown("350"), "-3");
    EXPECT_EQ(tempCompensationShown("0"), "0");
    EXPECT_EQ(tempCompensationShown("-500"), "5");

    EXPECT_EQ(tempCompensationCollected("-3"), "300");
    EXPECT_EQ(tempCompensationCollected("-3.7"), "370");
    EXPECT_EQ(tempCompensationCollected("-2.5"), "250");
    EXPECT_EQ(tempCompensationCollected("5"), "-500");
    EXPECT_EQ(tempCompensationCollected("-0"), "0");
    EXPECT_EQ(tempCompensationCollected(""), "0");
    for (int shown = -9; shown <= 0; ++shown)
        EXPECT_EQ(tempCompensationShown(tempCompensationCollected(QString::number(shown))),
                  QString::number(shown));
}

TEST(BatteryConversions, ListsGoByPositionAndExactNames)
{
    const QStringList types = batteryTypeItems();
    ASSERT_EQ(types, QStringList({"自定义", "铅酸免维护", "胶体", "铅酸液体"}));
    EXPECT_EQ(chargingModeItems(), QStringList({"电压补偿", "SOC"}));
    EXPECT_EQ(ratedVoltageItems(), QStringList({"自识别", "12V", "24V", "36V", "48V"}));

    EXPECT_EQ(listItemShown(types, "2"), "胶体");
    EXPECT_EQ(listItemShown(types, "7"), "");
    EXPECT_EQ(listItemShown(types, "-1"), "");

    EXPECT_EQ(listPositionCollected(types, "胶体"), "2");
    EXPECT_EQ(listPositionCollected(types, "自定义"), "0");
    EXPECT_EQ(listPositionCollected(types, " 胶体"), std::nullopt);
    EXPECT_EQ(listPositionCollected(types, ""), std::nullopt);
    EXPECT_EQ(listPositionCollected(ratedVoltageItems(), "24v"), std::nullopt);

    EXPECT_EQ(equalizeDurationCollected("--"), "0");
    EXPECT_EQ(equalizeDurationCollected("120"), "120");
    EXPECT_EQ(equalizeDurationCollected(""), "");
}

TEST(BatteryConversions, TypeTableGivesEqualizeAndBoost)
{
    const auto voltages = [](int type) {
        const std::optional<TypeVoltages> v = batteryTypeVoltages(type);
        return v ? v->equalize + u'/' + v->boost : QString();
    };
    EXPECT_EQ(voltages(0), "1460/1440");
    EXPECT_EQ(voltages(1), "1460/1440");
    EXPECT_EQ(voltages(2), "0/1420");
    EXPECT_EQ(voltages(3), "1480/1460");
    EXPECT_EQ(voltages(4), "");
    EXPECT_EQ(voltages(-1), "");
}
