#include "forms/generalloaddialog.h"
#include "loadformtest.h"

#include <QLabel>
#include <QTimeEdit>

namespace {

// Controls by accessible name.
constexpr const char *Ok = "确认";
constexpr const char *Cancel = "取消";
constexpr const char *Apply = "应用";
constexpr const char *ManualOn = "手动默认开";
constexpr const char *ManualOff = "手动默认关";
constexpr const char *TimerMode = "定时控制";
constexpr const char *TimerOn1 = "定时开时刻1";
constexpr const char *TimerOff1 = "定时关时刻1";
constexpr const char *TimerOn2 = "定时开时刻2";
constexpr const char *TimerOff2 = "定时关时刻2";
constexpr const char *Timer2Box = "第二组定时";
constexpr const char *LightOnVoltage = "光控启动电压（V）";
constexpr const char *LightOnDelay = "光控启动延时（m）";
constexpr const char *LightOffVoltage = "光控关闭电压（V）";
constexpr const char *LightOffDelay = "光控关闭延时（m）";
constexpr const char *LightMode = "纯光控";
constexpr const char *LightTimerMode = "光控+定时";
constexpr const char *Period1 = "定时开关时段1";
constexpr const char *Period2 = "定时开关时段2";
constexpr const char *NightLength = "夜间时长";

using GeneralLoadDialogTest = LoadFormTest<GeneralLoadDialog>;

constexpr const char *kPair1[] = {TimerOn1, TimerOff1, Timer2Box};
constexpr const char *kPair2[] = {TimerOn2, TimerOff2};
constexpr const char *kLight[] = {LightOnVoltage, LightOnDelay, LightOffVoltage, LightOffDelay};
constexpr const char *kPeriods[] = {Period1, Period2, NightLength};

} // namespace

TEST_F(GeneralLoadDialogTest, OpensWithTheStoredValuesAndFixedTexts)
{
    open();
    EXPECT_EQ(dialog->windowTitle(), "通用负载参数配置");
    EXPECT_TRUE(get<QRadioButton>(ManualOn)->isChecked());
    EXPECT_EQ(get<QLineEdit>(LightOnVoltage)->text(), "5.00");
    EXPECT_EQ(get<QLineEdit>(LightOffVoltage)->text(), "6.00");
    EXPECT_EQ(get<QLineEdit>(LightOnDelay)->text(), "10");
    EXPECT_EQ(get<QTimeEdit>(Period1)->text(), "02:00");
    EXPECT_EQ(get<QTimeEdit>(NightLength)->text(), "10:00");
    EXPECT_EQ(get<QTimeEdit>(TimerOn1)->text(), "10:00:00");
    EXPECT_EQ(get<QTimeEdit>(TimerOff2)->text(), "18:00:00");
    EXPECT_TRUE(get<QPushButton>(Ok)->isDefault());
    EXPECT_EQ(get<QPushButton>(Ok)->text(), "确认");
    EXPECT_EQ(get<QTimeEdit>(TimerOn2)->accessibleName(), "定时开时刻2");
    EXPECT_EQ(get<QTimeEdit>(Period2)->accessibleName(), "定时开关时段2");
    EXPECT_EQ(get<QLineEdit>(LightOffDelay)->accessibleName(), "光控关闭延时（m）");
    EXPECT_EQ(get<QCheckBox>(Timer2Box)->accessibleName(), "第二组定时");
    EXPECT_EQ(get<QLineEdit>(LightOnDelay)->toolTip(), "允许范围：0～99 分钟");
}

TEST_F(GeneralLoadDialogTest, EachModeEnablesItsControls)
{
    open();
    const auto expect = [&](std::span<const char *const> ids, bool on, const char *what) {
        for (const char *id : ids)
            EXPECT_EQ(enabled(id), on) << what << " " << id;
    };
    const struct
    {
        const char *mode;
        bool pair1, light, periods;
    } modes[] = {{ManualOn, false, false, false},
                 {ManualOff, false, false, false},
                 {TimerMode, true, false, false},
                 {LightMode, false, true, false},
                 {LightTimerMode, false, true, true}};
    for (const auto &m : modes) {
        clickMode(m.mode);
        expect(kPair1, m.pair1, "pair 1");
        expect(kPair2, false, "pair 2");
        expect(kLight, m.light, "light");
        expect(kPeriods, m.periods, "periods");
    }
}

TEST_F(GeneralLoadDialogTest, SecondPairFollowsItsBoxAndTimerModeTurnsItOff)
{
    open();
    clickMode(TimerMode);
    clickBox(Timer2Box);
    EXPECT_TRUE(get<QCheckBox>(Timer2Box)->isChecked());
    for (const char *id : kPair2)
        EXPECT_TRUE(enabled(id));
    // Selecting timer control again turns the pair off although the box stays checked.
    clickMode(TimerMode);
    EXPECT_TRUE(get<QCheckBox>(Timer2Box)->isChecked());
    EXPECT_FALSE(enabled(TimerOn2));
    clickBox(Timer2Box); // unchecks
    EXPECT_FALSE(enabled(TimerOn2));
    clickBox(Timer2Box); // checks: back on
    EXPECT_TRUE(enabled(TimerOn2));
}

TEST_F(GeneralLoadDialogTest, OpensEveryStoredModeCode)
{
    const struct
    {
        const char *mode, *manual;
        const char *button;
    } cases[] = {{"0", "1", ManualOn},
                 {"0", "0", ManualOff},
                 {"1", "0", LightMode},
                 {"2", "0", LightTimerMode},
                 {"3", "0", TimerMode}};
    for (const auto &c : cases) {
        parameters.values[Slot::LoadControlMode] = c.mode;
        parameters.values[Slot::ManualDefaultOn] = c.manual;
        open();
        EXPECT_TRUE(get<QRadioButton>(c.button)->isChecked()) << c.mode;
        EXPECT_EQ(enabled(LightOnVoltage), c.button == LightMode || c.button == LightTimerMode);
    }

    // A stored second pair stays on in every mode when the form opens.
    parameters.values[Slot::LoadControlMode] = "1";
    parameters.values[Slot::Timer2Enabled] = "1";
    open();
    EXPECT_TRUE(get<QCheckBox>(Timer2Box)->isChecked());
    EXPECT_FALSE(enabled(Timer2Box));
    EXPECT_TRUE(enabled(TimerOn2));
}

TEST_F(GeneralLoadDialogTest, AModeTheFormLacksIsNeverStored)
{
    // An LED product's "光控+定时模式1", left by a file or a product change.
    parameters.values[Slot::LoadControlMode] = "4";
    const QStringList stored = parameters.values;
    open();
    for (const char *id : {ManualOn, ManualOff, TimerMode, LightMode, LightTimerMode})
        EXPECT_FALSE(get<QRadioButton>(id)->isChecked());
    type(LightOnDelay, "20");
    apply();
    EXPECT_EQ(messages.texts(), QStringList{"请选择负载控制模式！"});
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_EQ(parameters.values, stored);

    clickMode(LightMode);
    apply();
    EXPECT_EQ(parameters.values.at(Slot::LoadControlMode), "1");
    EXPECT_EQ(parameters.values.at(Slot::LightOnDelay), "20");
}

TEST_F(GeneralLoadDialogTest, ApplyChecksTheVoltageBounds)
{
    open();
    clickMode(LightMode);
    type(LightOnVoltage, "34");
    apply();
    EXPECT_TRUE(messages.entries.isEmpty());
    EXPECT_EQ(parameters.values.at(Slot::LightOnVoltage), "3400");
    EXPECT_EQ(parameters.values.at(Slot::LoadControlMode), "1");

    type(LightOnVoltage, "34.01");
    type(LightOnDelay, "5");
    apply();
    EXPECT_EQ(messages.texts(), QStringList({"3401", "光控启动电压不在范围内！"}));
    EXPECT_TRUE(messages.entries.first().warning);
    // Nothing stored, the input stays in the form.
    EXPECT_EQ(parameters.values.at(Slot::LightOnVoltage), "3400");
    EXPECT_EQ(parameters.values.at(Slot::LightOnDelay), "10");
    EXPECT_EQ(get<QLineEdit>(LightOnVoltage)->text(), "34.01");
    EXPECT_TRUE(dialog->isVisible());

    messages.clear();
    type(LightOnVoltage, "4.35");
    type(LightOffVoltage, "34.01");
    apply();
    EXPECT_EQ(messages.texts(), QStringList({"光控关闭电压不在范围内！"}));
}

TEST_F(GeneralLoadDialogTest, ApplyChecksTheDelayBounds)
{
    open();
    clickMode(LightMode);
    type(LightOnDelay, "100");
    apply();
    EXPECT_EQ(messages.texts(), QStringList({"光控启动延时不在范围内！(0~99)"}));
    messages.clear();
    type(LightOnDelay, "99");
    type(LightOffDelay, "100");
    apply();
    EXPECT_EQ(messages.texts(), QStringList({"光控关闭延时不在范围内！(0~99)"}));
    messages.clear();
    // Letters are refused by the delay edits; an empty delay passes and is stored empty.
    type(LightOffDelay, "x");
    EXPECT_EQ(get<QLineEdit>(LightOffDelay)->text(), "");
    apply();
    EXPECT_TRUE(messages.entries.isEmpty());
    EXPECT_EQ(parameters.values.at(Slot::LightOnDelay), "99");
    EXPECT_EQ(parameters.values.at(Slot::LightOffDelay), "");
}

TEST_F(GeneralLoadDialogTest, CollectsEveryFieldWhateverTheMode)
{
    open();
    clickMode(TimerMode);
    get<QTimeEdit>(TimerOn1)->setTime(QTime(18, 30, 15));
    clickBox(Timer2Box);
    clickMode(LightTimerMode);
    get<QTimeEdit>(Period1)->setTime(QTime(1, 30));
    get<QTimeEdit>(NightLength)->setTime(QTime(12, 0));
    clickMode(LightMode); // the periods and timers are now disabled
    type(LightOffVoltage, "5.009");
    apply();
    ASSERT_TRUE(messages.entries.isEmpty());
    const QStringList &v = parameters.values;
    EXPECT_EQ(v.at(Slot::LoadControlMode), "1");
    EXPECT_EQ(v.at(Slot::ManualDefaultOn), "0");
    EXPECT_EQ(v.at(Slot::TimerOn1Hour), "18");
    EXPECT_EQ(v.at(Slot::TimerOn1Minute), "30");
    EXPECT_EQ(v.at(Slot::TimerOn1Second), "15");
    EXPECT_EQ(v.at(Slot::Timer2Enabled), "1");
    EXPECT_EQ(v.at(Slot::Mode2Period1), "286");
    EXPECT_EQ(v.at(Slot::Mode2Period2), "512");
    EXPECT_EQ(v.at(Slot::NightLength), "3072");
    EXPECT_EQ(v.at(Slot::LightOffVoltage), "500");
    // Slots of other forms are untouched.
    EXPECT_EQ(v.at(Slot::Mode2Period3), "512");
    EXPECT_EQ(v.at(Slot::LedRatedCurrent), "200");
}

TEST_F(GeneralLoadDialogTest, EnterAsksBeforeDroppingWhatWasTyped)
{
    const QStringList before = parameters.values;
    open();
    clickMode(LightMode);
    type(LightOnVoltage, "7");
    messages.answers = {MessageService::Answer::Decline};
    QTest::keyClick(get<QLineEdit>(LightOnVoltage), Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{"参数已修改，是否应用？"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(parameters.values, before);
}

TEST_F(GeneralLoadDialogTest, UnshowableStoredTimesOpenAtMidnightAndStayStored)
{
    parameters.values[Slot::Mode2Period1] = "6144"; // 24:00
    parameters.values[Slot::TimerOn1Minute] = "75";
    open();
    EXPECT_EQ(get<QTimeEdit>(Period1)->text(), "00:00");
    EXPECT_EQ(get<QTimeEdit>(TimerOn1)->text(), "00:00:00");
    QTest::mouseClick(get<QPushButton>(Cancel), Qt::LeftButton);
    EXPECT_EQ(parameters.values.at(Slot::Mode2Period1), "6144");
    EXPECT_EQ(parameters.values.at(Slot::TimerOn1Minute), "75");
}
