#include "model/parameterset.h"
#include "rules/batteryconversions.h"
#include "rules/blockdiff.h"
#include "rules/loadconversions.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

// What `convert` makes of each input, as text.
template <typename Convert> QStringList mapped(Convert convert, const QStringList &inputs)
{
    QStringList out;
    for (const QString &input : inputs)
        out << QVariant(convert(input)).toString();
    return out;
}

} // namespace

TEST(Conversions, BatterySlotTextsShownAndCollected)
{
    EXPECT_EQ(mapped(voltageShown, {"1460", "5", "-0", ""}),
              QStringList({"14.60", "0.05", "0.00", "0.00"}));
    // Only the exact text "0" means "no equalize stage".
    EXPECT_EQ(mapped(equalizeVoltageShown, {"0", "00"}), QStringList({"--", "0.00"}));
    EXPECT_EQ(mapped(voltageCollected, {"14.409", " 14.6", "-1.239", "--", "12V"}),
              QStringList({"1440", "1460", "-123", "0", "1200"}));
    // The coefficient shown is minus a hundredth of the slot, truncated toward zero.
    EXPECT_EQ(mapped(tempCompensationShown, {"350", "-500"}), QStringList({"-3", "5"}));
    EXPECT_EQ(mapped(tempCompensationCollected, {"-3.7", "-0"}), QStringList({"370", "0"}));

    // Whatever the form shows, collecting it gives the slot text back, for every voltage a
    // 48 V system can hold.
    for (int hundredths = 0; hundredths <= 7000; ++hundredths) {
        const QString slot = QString::number(hundredths);
        ASSERT_EQ(voltageCollected(voltageShown(slot)), slot);
    }

    // Lists go by position and exact names.
    const QStringList types = batteryTypeItems();
    EXPECT_EQ(listItemShown(types, "2") + listItemShown(types, "4") + listItemShown(types, "-1"),
              "胶体");
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

TEST(Conversions, LoadSlotTextsShownAndCollected)
{
    // Hundredths exact: truncated, never rounded.
    EXPECT_EQ(mapped(Load::twoDecimals, {"3401", "-5", ""}),
              QStringList({"34.01", "-0.05", "0.00"}));
    // Whole percent; outside 0..100 % a level opens at the nearer bound.
    EXPECT_EQ(mapped(Load::shownPercent, {"3399", "15000", "-500"}),
              QStringList({"33", "100", "0"}));

    // Codes no picker can show open at midnight: minute 60, hour 24, negative, no number.
    const auto opened = [](const QString &code) {
        return Load::timeFromHourMinuteCode(code).toString("hh:mm");
    };
    EXPECT_EQ(mapped(opened, {"5947", "60", "6144", "-300", "abc"}),
              QStringList({"23:59", "00:00", "00:00", "00:00", "00:00"}));

    // Times of day in three slots; one no time picker can show opens at midnight.
    QStringList values = ParameterSet().values;
    EXPECT_EQ(Load::timeOfDay(values, Load::kTimerOff2), QTime(18, 0, 0));
    values[Slot::TimerOn2Hour] = "24";
    EXPECT_EQ(Load::timeOfDay(values, Load::kTimerOn2), QTime(0, 0, 0));

    // Mode codes both ways. Under code 0 anything but exactly "1" is manual off; other codes
    // ignore the state.
    constexpr Load::ModeCode modes[] = {
        {10, "0", "1"}, {11, "0", "0"}, {12, "1", "0"}, {13, "4", "0"}};
    const auto button = [&](const QString &m) {
        return Load::modeButton(modes, m.section('/', 0, 0), m.section('/', 1));
    };
    EXPECT_EQ(mapped(button, {"0/1", "0/ 1", "1/1", "4/0", "01/0"}),
              QStringList({"10", "11", "12", "13", "0"}));
    values[Slot::LoadControlMode] = "7";
    Load::storeMode(modes, -1, values); // none checked: both keep their text
    EXPECT_EQ(values.at(Slot::LoadControlMode) + values.at(Slot::ManualDefaultOn), "71");
    Load::storeMode(modes, 13, values);
    EXPECT_EQ(values.at(Slot::LoadControlMode) + values.at(Slot::ManualDefaultOn), "40");
}

// Words, not texts, differ; two words that show alike carry their numbers; a mode is named as
// the block's load form names it; a parameter one block lacks shows "—".
TEST(Conversions, BlockDifferencesCompareWordsAndTellApartWhatShowsAlike)
{
    StoredBlock programmer{"QM-XDJ", GroupSelection::LoadLed, ParameterSet().values};
    StoredBlock current = programmer;
    current.values[Slot::LightOnVoltage] = " 0500"; // the same word
    current.values[Slot::ManualOnPercent] = "3333"; // 33 %, and so is 3300
    programmer.values[Slot::ManualOnPercent] = "3300";
    programmer.values[Slot::LoadControlMode] = "2";
    current.values[Slot::LoadControlMode] = "4";
    current.values[Slot::TimerOff2Hour] = "24"; // shows 00:00:00 as midnight does
    programmer.values[Slot::TimerOff2Hour] = "0";
    EXPECT_EQ(blockDifferences(programmer, current),
              (QList<BlockDifference>{{"负载控制模式", "光控+定时模式2", "光控+定时模式1"},
                                      {"定时关时刻2", "00:00:00 (0:0:0)", "00:00:00 (24:0:0)"},
                                      {"额定电流百分比", "33 % (3300)", "33 % (3333)"}}));
    current.groups = GroupSelection::BatteryLoad;
    const QList<BlockDifference> rows = blockDifferences(programmer, current);
    EXPECT_EQ(rows.value(0),
              (BlockDifference{"参数组", "LED负载参数", "充放电控制参数、通用负载参数"}));
    EXPECT_EQ(rows.value(1), (BlockDifference{"蓄电池类型", "—", "铅酸免维护"}));
    // The general form has no mode 4: its code is shown.
    EXPECT_TRUE(rows.contains(BlockDifference{"负载控制模式", "光控+定时模式2", "4"}));
}
