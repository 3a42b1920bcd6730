#include "model/parameterset.h"
#include "rules/loadconversions.h"
#include "rules/loadrules.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

TEST(LoadConversions, HourMinuteCodesBothWays)
{
    EXPECT_EQ(Load::hourMinuteCodeText(QTime(1, 30)), "286");
    EXPECT_EQ(Load::hourMinuteCodeText(QTime(12, 0)), "3072");
    EXPECT_EQ(Load::hourMinuteCodeText(QTime(23, 59)), "5947");
    EXPECT_EQ(Load::timeFromHourMinuteCode("512"), QTime(2, 0));
    EXPECT_EQ(Load::timeFromHourMinuteCode("5947"), QTime(23, 59));
    // Codes no picker can show open at midnight: minute 60, hour 24, negative, no number.
    for (const char *code : {"60", "6144", "-300", "-1", "abc"})
        EXPECT_EQ(Load::timeFromHourMinuteCode(code), QTime(0, 0)) << code;
}

TEST(LoadConversions, TimeOfDayInThreeSlots)
{
    ParameterSet set;
    EXPECT_EQ(Load::timeOfDay(set.values, Load::kTimerOn1), QTime(10, 0, 0));
    EXPECT_EQ(Load::timeOfDay(set.values, Load::kTimerOff2), QTime(18, 0, 0));

    Load::storeTimeOfDay(set.values, Load::kTimerOn1, QTime(18, 30, 15));
    EXPECT_EQ(set.values.at(Slot::TimerOn1Hour), "18");
    EXPECT_EQ(set.values.at(Slot::TimerOn1Minute), "30");
    EXPECT_EQ(set.values.at(Slot::TimerOn1Second), "15");

    for (const auto &[hour, minute, second] :
         {std::tuple{"24", "0", "0"}, {"10", "60", "0"}, {"10", "0", "60"}, {"-1", "0", "0"}}) {
        set.values[Slot::TimerOn2Hour] = hour;
        set.values[Slot::TimerOn2Minute] = minute;
        set.values[Slot::TimerOn2Second] = second;
        EXPECT_EQ(Load::timeOfDay(set.values, Load::kTimerOn2), QTime(0, 0, 0)) << hour;
    }
}

TEST(LoadConversions, HundredthsShownAndStoredExactly)
{
    EXPECT_EQ(Load::twoDecimals("3401"), "34.01");
    EXPECT_EQ(Load::twoDecimals("500"), "5.00");
    EXPECT_EQ(Load::twoDecimals("5"), "0.05");
    EXPECT_EQ(Load::twoDecimals("-5"), "-0.05");
    EXPECT_EQ(Load::twoDecimals("-250"), "-2.50");
    EXPECT_EQ(Load::twoDecimals(""), "0.00");

    EXPECT_EQ(Load::hundredths("34"), "3400");
    EXPECT_EQ(Load::hundredths("34.01"), "3401");
    EXPECT_EQ(Load::hundredths("4.35"), "435");
    EXPECT_EQ(Load::hundredths("5.009"), "500"); // truncated, not rounded
    EXPECT_EQ(Load::hundredths("1.5"), "150");
    EXPECT_EQ(Load::hundredths("-2.5"), "-250");
    EXPECT_EQ(Load::hundredths("abc"), "0");
}

TEST(LoadConversions, PercentagesInWholePercent)
{
    EXPECT_EQ(Load::shownPercent("3333"), 33);
    EXPECT_EQ(Load::storedPercent(33), "3300");
    EXPECT_EQ(Load::shownPercent("10000"), 100);
    EXPECT_EQ(Load::storedPercent(100), "10000");
    // Outside 0..100 % a level opens at the nearer bound.
    EXPECT_EQ(Load::shownPercent("15000"), 100);
    EXPECT_EQ(Load::shownPercent("-500"), 0);
    EXPECT_EQ(Load::shownPercent("x"), 0);
}

TEST(LoadConversions, ModeCodesBothWays)
{
    constexpr Load::ModeCode modes[] = {
        {10, "0", "1"}, {11, "0", "0"}, {12, "1", "0"}, {13, "4", "0"}};
    EXPECT_EQ(Load::modeButton(modes, "0", "1"), 10);
    EXPECT_EQ(Load::modeButton(modes, "0", "0"), 11);
    // Under code 0 anything but exactly "1" is manual off; other codes ignore the state.
    EXPECT_EQ(Load::modeButton(modes, "0", "x"), 11);
    EXPECT_EQ(Load::modeButton(modes, "0", " 1"), 11);
    EXPECT_EQ(Load::modeButton(modes, "1", "1"), 12);
    EXPECT_EQ(Load::modeButton(modes, "4", "0"), 13);
    for (const char *unknown : {"2", "5", "", " 1", "01"})
        EXPECT_EQ(Load::modeButton(modes, unknown, "0"), 0) << unknown;

    ParameterSet set;
    set.values[Slot::LoadControlMode] = "7";
    set.values[Slot::ManualDefaultOn] = "1";
    Load::storeMode(modes, -1, set.values); // none checked: both keep their text
    EXPECT_EQ(set.values.at(Slot::LoadControlMode), "7");
    EXPECT_EQ(set.values.at(Slot::ManualDefaultOn), "1");
    Load::storeMode(modes, 13, set.values);
    EXPECT_EQ(set.values.at(Slot::LoadControlMode), "4");
    EXPECT_EQ(set.values.at(Slot::ManualDefaultOn), "0");
}

TEST(LoadRules, ApplyStoresOnlyAfterTheChecksPass)
{
    ParameterSet set;
    MessageRecorder messages;
    int runs = 0;
    const auto typing = [&runs](const char *voltage) {
        return [&runs, voltage](QStringList &values) {
            ++runs;
            values[Slot::LightOnVoltage] = voltage;
        };
    };
    EXPECT_FALSE(Load::applyChecked(set.values, messages, typing("3401")));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(set.values.at(Slot::LightOnVoltage), "500");
    EXPECT_EQ(messages.texts(), QStringList({"3401", "光控启动电压不在范围内！"}));
    EXPECT_TRUE(messages.entries.at(0).warning && messages.entries.at(1).warning);

    messages.clear();
    EXPECT_TRUE(Load::applyChecked(set.values, messages, typing("3400")));
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(set.values.at(Slot::LightOnVoltage), "3400");
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST(LoadRules, DefaultsPassAndBoundsAreInclusive)
{
    ParameterSet set;
    EXPECT_FALSE(Load::checkRanges(set.values));
    set.values[Slot::LightOnVoltage] = "3400";
    set.values[Slot::LightOffVoltage] = "0";
    set.values[Slot::LightOnDelay] = "99";
    set.values[Slot::LightOffDelay] = ""; // reads as 0
    EXPECT_EQ(Load::firstRangeFailure(set.values), "");
}

TEST(LoadRules, FirstFailureInFixedOrder)
{
    ParameterSet set;
    set.values[Slot::LightOnVoltage] = "3401";
    set.values[Slot::LightOffVoltage] = "3401";
    set.values[Slot::LightOnDelay] = "100";
    set.values[Slot::LightOffDelay] = "100";

    // Only the start voltage shows its stored text before the message.
    std::optional<Load::RangeFailure> failure = Load::checkRanges(set.values);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->slot, Slot::LightOnVoltage);
    EXPECT_EQ(failure->boxes, QStringList({"3401", "光控启动电压不在范围内！"}));

    set.values[Slot::LightOnVoltage] = "500";
    failure = Load::checkRanges(set.values);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->boxes, QStringList({"光控关闭电压不在范围内！"}));

    set.values[Slot::LightOffVoltage] = "600";
    EXPECT_EQ(Load::firstRangeFailure(set.values), "光控启动延时不在范围内！(0~99)");
    set.values[Slot::LightOnDelay] = "10";
    EXPECT_EQ(Load::firstRangeFailure(set.values), "光控关闭延时不在范围内！(0~99)");
    set.values[Slot::LightOffDelay] = "99";
    EXPECT_EQ(Load::firstRangeFailure(set.values), "");
}

TEST(LoadRules, NegativeAndHugeNumbersAreRefused)
{
    ParameterSet set;
    set.values[Slot::LightOnVoltage] = "-1";
    EXPECT_EQ(Load::checkRanges(set.values)->boxes.first(), "-1");
    // A number past the int range must not saturate or wrap into range.
    set.values[Slot::LightOnVoltage] = "500";
    set.values[Slot::LightOnDelay] = "4294967296";
    EXPECT_EQ(Load::firstRangeFailure(set.values), "光控启动延时不在范围内！(0~99)");
}
