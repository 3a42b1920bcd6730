#include "model/parameterset.h"
#include "rules/batteryrules.h"
#include "rules/loadrules.h"
#include "support/messagerecorder.h"

#include <QObject>

#include <gtest/gtest.h>

using namespace Slot;

namespace {

// The shipped defaults of a type at a rated level, as the form collects them: absolute
// voltages (the 12 V basis times the multiplier) and the type's equalize and boost voltages;
// then `slot` set to `text` ("-" leaves the defaults).
QStringList candidate(const QString &type, int level, int slot = 0, const QString &text = "-")
{
    QStringList c = ParameterSet().values;
    c[BatteryType] = type;
    c[RatedVoltageLevel] = QString::number(level);
    if (type == "2" || type == "3") {
        c[EqualizeVoltage] = type == "2" ? "0" : "1480";
        c[BoostVoltage] = type == "2" ? "1420" : "1460";
    }
    for (int s = OverVoltageDisconnect; s <= DischargeLimitVoltage; ++s)
        c[s] = QString::number(c[s].toInt() * std::max(level, 1));
    if (text != "-")
        c[slot] = text;
    return c;
}

// 0 when every rule holds, else the number of the first rule broken.
int failedRule(const QStringList &candidate)
{
    const std::optional<BatteryRuleFailure> failure = firstFailedBatteryRule(candidate);
    return failure ? failure->rule : 0;
}

} // namespace

TEST(BatteryRules, EachRuleAtItsBoundary)
{
    for (const QString type : {"0", "1", "2", "3"}) {
        for (int level = 0; level <= 4; ++level)
            EXPECT_EQ(failedRule(candidate(type, level)), 0) << type.toStdString() << level;
    }
    // Rows of "type level slot holds breaks rule": with the slot at `holds` every rule holds, at
    // `breaks` the rule fails; "-" leaves the defaults. Type 5 is wider than the four items;
    // capacity saturates, never wraps into range; charging reads as 39, not 10 above
    // discharging. In the voltage order strict relations fail on equality, the others hold on
    // it. The window is 9.00 V to 17.00 V per 12 V of rated level (level 0, automatic, counts as
    // 12 V); a level that is no number leaves none, even for gel. Gel has no equalize stage, and
    // only gel may leave a voltage at 0; gel is the exact text "2".
    const QString rows =
        "1 0 BatteryType 5 6 1, 1 0 BatteryCapacity 9999 10000 2, "
        "1 0 BatteryCapacity - 4294967496 2, 1 0 TempCompensation 900 901 3, "
        "1 0 EqualizeDuration 180 181 4, 1 0 BoostDuration 10 9 5, 1 0 DischargePercent 80 81 6, "
        "1 0 ChargePercent 100 101 7, 1 0 ChargePercent 40 39.9 8, "
        "1 0 OverVoltageDisconnect - 1500 9, 1 0 EqualizeVoltage 1500 1510 10, "
        "1 0 BoostVoltage - 1470 11, 1 0 FloatVoltage 1440 1450 12, "
        "1 0 BoostReconnectVoltage - 1380 13, 1 0 OverVoltageReconnect - 1600 14, "
        "1 0 LowVoltageDisconnect - 1260 15, 1 0 DischargeLimitVoltage 1110 1120 16, "
        "1 0 UnderVoltageWarning - 1220 17, 1 0 UnderVoltageWarning 1060 1050 18, "
        "1 0 BoostReconnectVoltage - 1260 19, 1 0 DischargeLimitVoltage 900 899 20, "
        "1 0 OverVoltageDisconnect 1700 1701 20, 1 2 DischargeLimitVoltage 1800 1799 20, "
        "2 0 RatedVoltageLevel - x 20, 2 0 EqualizeVoltage 1410 - 0, 1 0 EqualizeVoltage - 0 11, "
        "2 0 DischargeLimitVoltage 0 - 0, 1 0 DischargeLimitVoltage - 0 20, "
        "2 0 BatteryType - 02 11";
    for (const QString &row : rows.split(", ")) {
        const QStringList f = row.split(' ');
        const auto slot = std::find_if(kSlotTable.begin(), kSlotTable.end(),
                                       [&](const SlotInfo &s) { return f[2] == s.name; });
        const int n = int(slot - kSlotTable.begin());
        ASSERT_LT(n, kSlotCount) << row.toStdString();
        EXPECT_EQ(failedRule(candidate(f[0], f[1].toInt(), n, f[3])), 0) << row.toStdString();
        EXPECT_EQ(failedRule(candidate(f[0], f[1].toInt(), n, f[4])), f[5].toInt())
            << row.toStdString();
    }
}

TEST(BatteryRules, OneMessageForTheFirstFailure)
{
    MessageRecorder messages;
    QObject form;
    QStringList twoBroken = candidate("1", 0, BatteryCapacity, "10000");
    twoBroken[OverVoltageDisconnect] = "1500";
    EXPECT_FALSE(validateBatteryParameters(twoBroken, &form, messages));
    EXPECT_FALSE(validateBatteryParameters(candidate("1", 0, OverVoltageDisconnect, "1701"), &form,
                                           messages));
    EXPECT_TRUE(validateBatteryParameters(candidate("3", 4), &form, messages));
    EXPECT_EQ(messages.texts(),
              QStringList({"蓄电池容量不在允许范围内！(0~9999)", "电压参数不在允许范围内！"}));
    // The rules warn; the window's message is a box owned by the form.
    EXPECT_TRUE(messages.entries[0].warning && !messages.entries[1].warning &&
                messages.entries[1].owner == &form);
}

// Checked in a fixed order; 64-bit, so a number past the int range is refused, not saturated
// into range.
TEST(LoadRules, FirstFailureInFixedOrder)
{
    QStringList values = ParameterSet().values;
    values[LightOffVoltage] = "-1";
    values[LightOnDelay] = "4294967296";
    EXPECT_EQ(Load::firstRangeFailure(values), "光控关闭电压不在范围内！");
    values[LightOffVoltage] = "0";
    EXPECT_EQ(Load::firstRangeFailure(values), "光控启动延时不在范围内！(0~99)");
}
