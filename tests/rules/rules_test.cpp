#include "model/parameterset.h"
#include "rules/batteryrules.h"
#include "rules/loadrules.h"
#include "support/messagerecorder.h"

#include <QObject>

#include <gtest/gtest.h>

namespace {

// The shipped defaults of a type at a rated level, as the form collects them: absolute
// voltages (the 12 V basis times the multiplier) and the type's equalize and boost voltages;
// then `slot` set to `text`.
QStringList candidate(const QString &type, int level, int slot = 0, const char *text = nullptr)
{
    QStringList c = ParameterSet().values;
    c[Slot::BatteryType] = type;
    c[Slot::RatedVoltageLevel] = QString::number(level);
    if (type == "2" || type == "3") {
        c[Slot::EqualizeVoltage] = type == "2" ? "0" : "1480";
        c[Slot::BoostVoltage] = type == "2" ? "1420" : "1460";
    }
    for (int s = Slot::OverVoltageDisconnect; s <= Slot::DischargeLimitVoltage; ++s)
        c[s] = QString::number(c[s].toInt() * std::max(level, 1));
    if (text)
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
    // With `slot` at `holds` every rule holds; at `breaks`, `rule` fails. Null leaves the defaults.
    const std::tuple<const char *, int, int, const char *, const char *, int> cases[] = {
        {"1", 0, Slot::BatteryType, "5", "6", 1}, // wider than the four items
        {"1", 0, Slot::BatteryCapacity, "9999", "10000", 2},
        {"1", 0, Slot::BatteryCapacity, nullptr, "4294967496", 2}, // saturates, never wraps
        {"1", 0, Slot::TempCompensation, "900", "901", 3},
        {"1", 0, Slot::EqualizeDuration, "180", "181", 4},
        {"1", 0, Slot::BoostDuration, "10", "9", 5},
        {"1", 0, Slot::DischargePercent, "80", "81", 6},
        {"1", 0, Slot::ChargePercent, "100", "101", 7},
        {"1", 0, Slot::ChargePercent, "40", "39.9", 8}, // 10 above discharging, read as 39
        // The voltage order: strict relations fail on equality, the others hold on it.
        {"1", 0, Slot::OverVoltageDisconnect, nullptr, "1500", 9},
        {"1", 0, Slot::EqualizeVoltage, "1500", "1510", 10},
        {"1", 0, Slot::BoostVoltage, nullptr, "1470", 11},
        {"1", 0, Slot::FloatVoltage, "1440", "1450", 12},
        {"1", 0, Slot::BoostReconnectVoltage, nullptr, "1380", 13},
        {"1", 0, Slot::OverVoltageReconnect, nullptr, "1600", 14},
        {"1", 0, Slot::LowVoltageDisconnect, nullptr, "1260", 15},
        {"1", 0, Slot::DischargeLimitVoltage, "1110", "1120", 16},
        {"1", 0, Slot::UnderVoltageWarning, nullptr, "1220", 17},
        {"1", 0, Slot::UnderVoltageWarning, "1060", "1050", 18},
        {"1", 0, Slot::BoostReconnectVoltage, nullptr, "1260", 19},
        // 9.00 V to 17.00 V per 12 V of rated level; level 0 (automatic) counts as 12 V.
        {"1", 0, Slot::DischargeLimitVoltage, "900", "899", 20},
        {"1", 0, Slot::OverVoltageDisconnect, "1700", "1701", 20},
        {"1", 2, Slot::DischargeLimitVoltage, "1800", "1799", 20},
        {"2", 0, Slot::RatedVoltageLevel, nullptr, "x", 20}, // no number, no window
        // Gel has no equalize stage, and only gel may leave a voltage at 0.
        {"2", 0, Slot::EqualizeVoltage, "1410", nullptr, 0},
        {"1", 0, Slot::EqualizeVoltage, nullptr, "0", 11},
        {"2", 0, Slot::DischargeLimitVoltage, "0", nullptr, 0},
        {"1", 0, Slot::DischargeLimitVoltage, nullptr, "0", 20},
        {"2", 0, Slot::BatteryType, nullptr, "02", 11}, // gel is the exact text "2"
    };
    for (const auto &[type, level, slot, holds, breaks, rule] : cases) {
        EXPECT_EQ(failedRule(candidate(type, level, slot, holds)), 0) << slot << " " << rule;
        EXPECT_EQ(failedRule(candidate(type, level, slot, breaks)), rule) << slot << " " << rule;
    }
}

TEST(BatteryRules, OneMessageForTheFirstFailure)
{
    MessageRecorder messages;
    QObject form;
    QStringList twoBroken = candidate("1", 0, Slot::BatteryCapacity, "10000");
    twoBroken[Slot::OverVoltageDisconnect] = "1500";
    EXPECT_FALSE(validateBatteryParameters(twoBroken, &form, messages));
    EXPECT_FALSE(
        validateBatteryParameters(candidate("1", 0, Slot::FloatVoltage, "1450"), &form, messages));
    EXPECT_FALSE(validateBatteryParameters(candidate("1", 0, Slot::OverVoltageDisconnect, "1701"),
                                           &form, messages));
    EXPECT_TRUE(validateBatteryParameters(candidate("3", 4), &form, messages));
    EXPECT_EQ(messages.texts(), QStringList({"蓄电池容量不在允许范围内！(0~9999)",
                                             "蓄电池电压应满足：提升充电电压≥ 浮充充电电压",
                                             "电压参数不在允许范围内！"}));
    // The rules warn; the window's message is a box owned by the form.
    EXPECT_TRUE(messages.entries[0].warning && messages.entries[1].warning);
    EXPECT_FALSE(messages.entries[2].warning);
    EXPECT_EQ(messages.entries[2].owner, &form);
}

TEST(LoadRules, FirstFailureInFixedOrderAndApplyOnlyAfterTheChecks)
{
    QStringList values = ParameterSet().values;
    values[Slot::LightOffVoltage] = "-1";
    values[Slot::LightOnDelay] = "4294967296"; // refused, not saturated into range
    values[Slot::LightOffDelay] = "100";
    const std::pair<int, const char *> fixes[] = {
        {Slot::LightOffVoltage, "0"}, {Slot::LightOnDelay, "99"}, {Slot::LightOffDelay, ""}};
    QStringList failures;
    for (const auto &[slot, fix] : fixes) {
        failures << Load::firstRangeFailure(values);
        values[slot] = fix;
    }
    EXPECT_EQ(failures, QStringList({"光控关闭电压不在范围内！", "光控启动延时不在范围内！(0~99)",
                                     "光控关闭延时不在范围内！(0~99)"}));
    EXPECT_EQ(Load::firstRangeFailure(values), "");

    // The form's typing runs on a copy first; only the start voltage shows its stored text
    // before the message.
    MessageRecorder messages;
    int runs = 0;
    const auto typing = [&runs](const char *voltage) {
        return [&runs, voltage](QStringList &values) {
            ++runs;
            values[Slot::LightOnVoltage] = voltage;
        };
    };
    EXPECT_FALSE(Load::applyChecked(values, messages, typing("3401")));
    EXPECT_EQ(values.at(Slot::LightOnVoltage), "500");
    EXPECT_EQ(messages.texts(), QStringList({"3401", "光控启动电压不在范围内！"}));
    EXPECT_TRUE(Load::applyChecked(values, messages, typing("3400")) && runs == 3);
    EXPECT_EQ(values.at(Slot::LightOnVoltage), "3400");
}
