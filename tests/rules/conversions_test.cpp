#include "model/parameterset.h"
#include "rules/batteryconversions.h"
#include "rules/loadconversions.h"

#include <gtest/gtest.h>

TEST(Conversions, SlotTextsShownAndCollected)
{
    using Conversion = QString (*)(const QString &);
    const std::tuple<Conversion, const char *, const char *> cases[] = {
        {voltageShown, "1460", "14.60"},
        {voltageShown, "5", "0.05"},
        {voltageShown, "-0", "0.00"},
        {voltageShown, "", "0.00"},
        // Only the exact text "0" means "no equalize stage".
        {equalizeVoltageShown, "0", "--"},
        {equalizeVoltageShown, "00", "0.00"},
        {voltageCollected, "14.409", "1440"},
        {voltageCollected, " 14.6", "1460"},
        {voltageCollected, "-1.239", "-123"},
        {voltageCollected, "--", "0"},
        {voltageCollected, "12V", "1200"},
        // The coefficient shown is minus a hundredth of the slot, truncated toward zero.
        {tempCompensationShown, "350", "-3"},
        {tempCompensationShown, "-500", "5"},
        {tempCompensationCollected, "-3.7", "370"},
        {tempCompensationCollected, "-0", "0"},
        {equalizeDurationCollected, "--", "0"},
        {equalizeDurationCollected, "120", "120"},
        // The load forms' hundredths: exact, truncated, never rounded.
        {Load::twoDecimals, "3401", "34.01"},
        {Load::twoDecimals, "-5", "-0.05"},
        {Load::twoDecimals, "", "0.00"},
        {Load::hundredths, "4.35", "435"},
        {Load::hundredths, "5.009", "500"},
        {Load::hundredths, "-2.5", "-250"},
        {Load::hundredths, "abc", "0"},
    };
    for (const auto &[convert, from, to] : cases)
        EXPECT_EQ(convert(from), to) << from;
    EXPECT_EQ(defaultVoltageShown("1460", 4), "58.40");

    // Whatever the form shows, collecting it gives the slot text back, for every voltage a
    // 48 V system can hold.
    for (int hundredths = 0; hundredths <= 7000; ++hundredths) {
        const QString slot = QString::number(hundredths);
        ASSERT_EQ(voltageCollected(voltageShown(slot)), slot);
    }
}

TEST(Conversions, ListsGoByPositionAndExactNames)
{
    const QStringList types = batteryTypeItems();
    EXPECT_EQ(listItemShown(types, "2"), "胶体");
    EXPECT_EQ(listItemShown(types, "4") + listItemShown(types, "-1"), "");
    EXPECT_EQ(listItemShown(chargingModeItems(), "1"), "SOC");
    EXPECT_EQ(listPositionCollected(types, "自定义"), "0");
    EXPECT_EQ(listPositionCollected(types, " 胶体"), std::nullopt);
    EXPECT_EQ(listPositionCollected(ratedVoltageItems(), "24v"), std::nullopt);

    QStringList voltages; // equalize/boost of each type
    for (int type = -1; type <= 4; ++type) {
        const std::optional<TypeVoltages> v = batteryTypeVoltages(type);
        voltages << (v ? v->equalize + u'/' + v->boost : "-");
    }
    EXPECT_EQ(voltages.join(' '), "- 1460/1440 1460/1440 0/1420 1480/1460 -");
}

TEST(Conversions, PercentagesHourMinuteCodesAndTimesOfDay)
{
    // Whole percent; outside 0..100 % a level opens at the nearer bound.
    EXPECT_EQ(Load::storedPercent(33), "3300");
    for (const auto &[stored, shown] : {std::pair{"3399", 33}, {"15000", 100}, {"-500", 0}})
        EXPECT_EQ(Load::shownPercent(stored), shown) << stored;

    EXPECT_EQ(Load::hourMinuteCodeText(QTime(1, 30)), "286");
    EXPECT_EQ(Load::timeFromHourMinuteCode("5947"), QTime(23, 59));
    // Codes no picker can show open at midnight: minute 60, hour 24, negative, no number.
    for (const char *code : {"60", "6144", "-300", "abc"})
        EXPECT_EQ(Load::timeFromHourMinuteCode(code), QTime(0, 0)) << code;

    // Times of day in three slots; one no time picker can show opens at midnight.
    QStringList values = ParameterSet().values;
    EXPECT_EQ(Load::timeOfDay(values, Load::kTimerOff2), QTime(18, 0, 0));
    Load::storeTimeOfDay(values, Load::kTimerOn1, QTime(18, 30, 15));
    EXPECT_EQ(values.mid(Slot::TimerOn1Second, 3), QStringList({"15", "30", "18"}));
    for (const auto &[hour, minute, second] :
         {std::tuple{"24", "0", "0"}, {"10", "60", "0"}, {"10", "0", "60"}, {"-1", "0", "0"}}) {
        values[Slot::TimerOn2Hour] = hour;
        values[Slot::TimerOn2Minute] = minute;
        values[Slot::TimerOn2Second] = second;
        EXPECT_EQ(Load::timeOfDay(values, Load::kTimerOn2), QTime(0, 0, 0)) << hour;
    }
}

TEST(Conversions, ModeCodesBothWays)
{
    constexpr Load::ModeCode modes[] = {
        {10, "0", "1"}, {11, "0", "0"}, {12, "1", "0"}, {13, "4", "0"}};
    // Under code 0 anything but exactly "1" is manual off; other codes ignore the state.
    const std::tuple<const char *, const char *, int> cases[] = {
        {"0", "1", 10}, {"0", " 1", 11}, {"1", "1", 12}, {"4", "0", 13}, {"01", "0", 0}};
    for (const auto &[mode, manual, button] : cases)
        EXPECT_EQ(Load::modeButton(modes, mode, manual), button) << mode << manual;

    QStringList values = ParameterSet().values;
    values[Slot::LoadControlMode] = "7";
    Load::storeMode(modes, -1, values); // none checked: both keep their text
    EXPECT_EQ(values.at(Slot::LoadControlMode) + values.at(Slot::ManualDefaultOn), "71");
    Load::storeMode(modes, 13, values);
    EXPECT_EQ(values.at(Slot::LoadControlMode) + values.at(Slot::ManualDefaultOn), "40");
}
