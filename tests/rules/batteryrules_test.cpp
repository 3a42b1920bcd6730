#include "model/parameterset.h"
#include "rules/batteryrules.h"
#include "support/messagerecorder.h"

#include <QObject>

#include <gtest/gtest.h>

namespace {

// The shipped defaults of a type at a rated level, as the form collects them: absolute
// voltages (the 12 V basis times the multiplier) and the type's equalize and boost voltages.
QStringList candidate(const QString &type = "1", int level = 0)
{
    QStringList c = ParameterSet().values;
    const int m = level == 0 ? 1 : level;
    c[Slot::BatteryType] = type;
    c[Slot::RatedVoltageLevel] = QString::number(level);
    if (type == "2") {
        c[Slot::EqualizeVoltage] = "0";
        c[Slot::BoostVoltage] = "1420";
    } else if (type == "3") {
        c[Slot::EqualizeVoltage] = "1480";
        c[Slot::BoostVoltage] = "1460";
    }
    for (int slot = Slot::OverVoltageDisconnect; slot <= Slot::DischargeLimitVoltage; ++slot)
        c[slot] = QString::number(c[slot].toInt() * m);
    return c;
}

// 0 when every rule holds, else the number of the first rule broken.
int failedRule(const QStringList &candidate)
{
    const std::optional<BatteryRuleFailure> failure = firstFailedBatteryRule(candidate);
    return failure ? failure->rule : 0;
}

int failedRuleWith(std::initializer_list<std::pair<int, QString>> changes,
                   QStringList candidate = candidate())
{
    for (const auto &[slot, text] : changes)
        candidate[slot] = text;
    return failedRule(candidate);
}

} // namespace

TEST(BatteryRules, ShippedDefaultsPassForEveryTypeAndLevel)
{
    for (const QString type : {"0", "1", "2", "3"}) {
        for (int level = 0; level <= 4; ++level)
            EXPECT_EQ(failedRule(candidate(type, level)), 0) << type.toStdString() << level;
    }
}

TEST(BatteryRules, RangesAreInclusiveOnBothSides)
{
    struct Case
    {
        int slot;
        const char *pass;
        const char *fail;
        int rule;
    };
    const Case cases[] = {
        {Slot::BatteryType, "0", "-1", 1},
        {Slot::BatteryType, "5", "6", 1}, // wider than the four items
        {Slot::BatteryCapacity, "9999", "10000", 2},
        {Slot::BatteryCapacity, "0", "-1", 2},
        {Slot::TempCompensation, "900", "901", 3}, // shown -9
        {Slot::TempCompensation, "0", "-500", 3},  // shown 0 passes, shown 5 fails
        {Slot::EqualizeDuration, "0", "-1", 4},
        {Slot::EqualizeDuration, "180", "181", 4},
        {Slot::BoostDuration, "10", "9", 5},
        {Slot::BoostDuration, "180", "181", 5},
        {Slot::DischargePercent, "10", "9", 6},
        {Slot::DischargePercent, "60", "81", 6},
        {Slot::ChargePercent, "100", "101", 7},
        {Slot::ChargePercent, "40", "19", 7},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(failedRuleWith({{c.slot, c.pass}}), 0) << c.slot << " " << c.pass;
        EXPECT_EQ(failedRuleWith({{c.slot, c.fail}}), c.rule) << c.slot << " " << c.fail;
    }
    // Lowest charge percentage with the lowest discharge percentage.
    EXPECT_EQ(failedRuleWith({{Slot::ChargePercent, "20"}, {Slot::DischargePercent, "10"}}), 0);
}

TEST(BatteryRules, NumbersAreReadAsIntegersFromTheStart)
{
    // "40.9" reads 40 and "39.9" reads 39 against a discharge percentage of 30.
    EXPECT_EQ(failedRuleWith({{Slot::ChargePercent, "40.9"}}), 0);
    EXPECT_EQ(failedRuleWith({{Slot::ChargePercent, "39.9"}}), 8);
    EXPECT_EQ(failedRuleWith({{Slot::BatteryCapacity, ""}}), 0);
    EXPECT_EQ(failedRuleWith({{Slot::BatteryCapacity, " +200Ah"}}), 0);
    // Far beyond 32 bits: saturates and fails, never wraps into range.
    EXPECT_EQ(failedRuleWith({{Slot::BatteryCapacity, "4294967496"}}), 2);
}

TEST(BatteryRules, VoltagesKeepTheirOrder)
{
    // Strict relations fail on equality; the others hold on it.
    EXPECT_EQ(failedRuleWith({{Slot::OverVoltageDisconnect, "1500"}}), 9);
    EXPECT_EQ(failedRuleWith({{Slot::EqualizeVoltage, "1500"}}), 0);
    EXPECT_EQ(failedRuleWith({{Slot::EqualizeVoltage, "1510"}}), 10);
    EXPECT_EQ(failedRuleWith({{Slot::BoostVoltage, "1470"}}), 11);
    EXPECT_EQ(failedRuleWith({{Slot::FloatVoltage, "1440"}}), 0);
    EXPECT_EQ(failedRuleWith({{Slot::FloatVoltage, "1450"}}), 12);
    EXPECT_EQ(failedRuleWith({{Slot::BoostReconnectVoltage, "1380"}}), 13);
    EXPECT_EQ(failedRuleWith({{Slot::OverVoltageReconnect, "1600"}}), 14);
    EXPECT_EQ(failedRuleWith({{Slot::LowVoltageDisconnect, "1260"}}), 15);
    EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, "1110"}}), 0);
    EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, "1120"}}), 16);
    EXPECT_EQ(failedRuleWith({{Slot::UnderVoltageWarning, "1220"}}), 17);
    EXPECT_EQ(failedRuleWith(
                  {{Slot::UnderVoltageWarning, "1100"}, {Slot::DischargeLimitVoltage, "1100"}}),
              0);
    EXPECT_EQ(failedRuleWith(
                  {{Slot::UnderVoltageWarning, "1090"}, {Slot::DischargeLimitVoltage, "1100"}}),
              18);
    EXPECT_EQ(failedRuleWith({{Slot::BoostReconnectVoltage, "1260"}}), 19);
}

TEST(BatteryRules, GelMayLeaveVoltagesAtZero)
{
    EXPECT_EQ(failedRule(candidate("2")), 0);
    // Rule 11 is skipped for gel, whatever the equalize voltage.
    EXPECT_EQ(failedRuleWith({{Slot::BoostVoltage, "1450"}, {Slot::EqualizeVoltage, "1440"}},
                             candidate("2")),
              0);
    // Any of the twelve may be 0 for gel, not only the equalize voltage.
    EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, "0"}}, candidate("2")), 0);
    EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, "0"}}, candidate("1")), 20);
    // Other types need an equalize voltage at least the boost voltage.
    EXPECT_EQ(failedRuleWith({{Slot::EqualizeVoltage, "0"}}, candidate("1")), 11);
    // Gel is the exact text "2".
    EXPECT_EQ(failedRuleWith({{Slot::BatteryType, "02"}}, candidate("2")), 11);
}

TEST(BatteryRules, VoltageWindowScalesWithTheRatedLevel)
{
    for (int level = 0; level <= 4; ++level) {
        const int m = level == 0 ? 1 : level;
        const QStringList c = candidate("1", level);
        const QString low = QString::number(900 * m);
        const QString high = QString::number(1700 * m);
        SCOPED_TRACE(level);
        EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, low}}, c), 0);
        EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, QString::number(900 * m - 1)}}, c),
                  20);
        EXPECT_EQ(failedRuleWith({{Slot::OverVoltageDisconnect, high}}, c), 0);
        EXPECT_EQ(failedRuleWith({{Slot::OverVoltageDisconnect, QString::number(1700 * m + 1)}}, c),
                  20);
    }
    // At 24 V: 1799 fails and 1800 passes.
    EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, "1799"}}, candidate("1", 2)), 20);
    EXPECT_EQ(failedRuleWith({{Slot::DischargeLimitVoltage, "1800"}}, candidate("1", 2)), 0);
}

TEST(BatteryRules, LevelThatIsNoNumberLeavesNoWindow)
{
    EXPECT_EQ(failedRuleWith({{Slot::RatedVoltageLevel, "x"}}), 20);
    // Even for gel: only its zero voltages would pass.
    QStringList gel = candidate("2");
    gel[Slot::RatedVoltageLevel] = "x";
    EXPECT_EQ(failedRule(gel), 20);
}

TEST(BatteryRules, OneMessageForTheFirstFailureInItsBox)
{
    MessageRecorder messages;
    QObject form;

    QStringList c = candidate();
    c[Slot::BatteryCapacity] = "10000";
    c[Slot::OverVoltageDisconnect] = "1500";
    EXPECT_FALSE(validateBatteryParameters(c, &form, messages));
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_EQ(messages.entries[0].text, "蓄电池容量不在允许范围内！(0~9999)");

    messages.clear();
    c = candidate();
    c[Slot::ChargePercent] = "101";
    EXPECT_FALSE(validateBatteryParameters(c, &form, messages));
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_EQ(messages.entries[0].text, "蓄电池充电不在允许范围内！(20~100)");

    messages.clear();
    c = candidate();
    c[Slot::FloatVoltage] = "1450";
    EXPECT_FALSE(validateBatteryParameters(c, &form, messages));
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_EQ(messages.entries[0].text, "蓄电池电压应满足：提升充电电压≥ 浮充充电电压");

    // The window's message is a box owned by the form.
    messages.clear();
    c = candidate();
    c[Slot::OverVoltageDisconnect] = "1701";
    EXPECT_FALSE(validateBatteryParameters(c, &form, messages));
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_FALSE(messages.entries[0].warning);
    EXPECT_EQ(messages.entries[0].owner, &form);
    EXPECT_EQ(messages.entries[0].text, "电压参数不在允许范围内！");

    messages.clear();
    EXPECT_TRUE(validateBatteryParameters(candidate("3", 4), &form, messages));
    EXPECT_TRUE(messages.entries.isEmpty());
}
