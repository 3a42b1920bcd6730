#include "forms/batteryparameterdialog.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A field by its accessible name (its row's label; a default cell adds " 默认"), a list by one
// of its items, a button by its caption.
struct Field
{
    const char *name;
    bool list = false;
};
const Field BatteryTypeDefault{"蓄电池类型 默认"};
const Field ChargingModeDefault{"充电方式 默认"};
const Field CapacityEdit{"蓄电池容量(Ah)"};
const Field CapacityDefault{"蓄电池容量(Ah) 默认"};
const Field TempCompensationEdit{"温度补偿系数(mV/℃/2V)"};
const Field TempCompensationDefault{"温度补偿系数(mV/℃/2V) 默认"};
const Field OverVoltageDisconnectEdit{"超压断开电压(V)"};
const Field OverVoltageDisconnectDefault{"超压断开电压(V) 默认"};
const Field OverVoltageReconnectEdit{"超压断开恢复电压(V)"};
const Field OverVoltageReconnectDefault{"超压断开恢复电压(V) 默认"};
const Field EqualizeVoltageEdit{"均衡充电电压(V)"};
const Field EqualizeVoltageDefault{"均衡充电电压(V) 默认"};
const Field BoostVoltageEdit{"提升充电电压(V)"};
const Field BoostVoltageDefault{"提升充电电压(V) 默认"};
const Field FloatVoltageEdit{"浮充充电电压(V)"};
const Field FloatVoltageDefault{"浮充充电电压(V) 默认"};
const Field BoostReconnectEdit{"提升恢复电压(V)"};
const Field BoostReconnectDefault{"提升恢复电压(V) 默认"};
const Field ChargePercentEdit{"蓄电池充电(%)"};
const Field ChargePercentDefault{"蓄电池充电(%) 默认"};
const Field RatedVoltageDefault{"额定电压等级 默认"};
const Field EqualizeDurationEdit{"均衡维持时间(M)"};
const Field EqualizeDurationDefault{"均衡维持时间(M) 默认"};
const Field BoostDurationEdit{"提升维持时间(M)"};
const Field BoostDurationDefault{"提升维持时间(M) 默认"};
const Field ChargeLimitEdit{"充电限制电压(V)"};
const Field ChargeLimitDefault{"充电限制电压(V) 默认"};
const Field DischargeLimitEdit{"放电限制电压(V)"};
const Field DischargeLimitDefault{"放电限制电压(V) 默认"};
const Field LowVoltageDisconnectEdit{"低压断开电压(V)"};
const Field LowVoltageDisconnectDefault{"低压断开电压(V) 默认"};
const Field LowVoltageReconnectEdit{"低压断开恢复电压(V)"};
const Field LowVoltageReconnectDefault{"低压断开恢复电压(V) 默认"};
const Field UnderVoltageWarningEdit{"欠压报警电压(V)"};
const Field UnderVoltageWarningDefault{"欠压报警电压(V) 默认"};
const Field UnderVoltageWarningReconnectEdit{"欠压报警恢复电压(V)"};
const Field UnderVoltageWarningReconnectDefault{"欠压报警恢复电压(V) 默认"};
const Field DischargePercentEdit{"蓄电池放电(%)"};
const Field DischargePercentDefault{"蓄电池放电(%) 默认"};
const Field BatteryTypeList{"铅酸免维护", true};
const Field ChargingModeList{"电压补偿", true};
const Field RatedVoltageList{"自识别", true};
const Field OkButton{"确认"};
const Field ApplyButton{"应用"};
const Field CancelButton{"取消"};
const Field RestoreDefaultsButton{"恢复默认"};

// The twelve voltage edits and their default cells, in register order.
const Field kVoltageEdits[] = {
    OverVoltageDisconnectEdit, ChargeLimitEdit,          OverVoltageReconnectEdit,
    EqualizeVoltageEdit,       BoostVoltageEdit,         FloatVoltageEdit,
    BoostReconnectEdit,        LowVoltageReconnectEdit,  UnderVoltageWarningReconnectEdit,
    UnderVoltageWarningEdit,   LowVoltageDisconnectEdit, DischargeLimitEdit,
};
const Field kVoltageDefaults[] = {
    OverVoltageDisconnectDefault, ChargeLimitDefault,          OverVoltageReconnectDefault,
    EqualizeVoltageDefault,       BoostVoltageDefault,         FloatVoltageDefault,
    BoostReconnectDefault,        LowVoltageReconnectDefault,  UnderVoltageWarningReconnectDefault,
    UnderVoltageWarningDefault,   LowVoltageDisconnectDefault, DischargeLimitDefault,
};

class BatteryFormTest : public ::testing::Test
{
protected:
    void open()
    {
        form = std::make_unique<BatteryParameterDialog>(parameters, messages);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QLineEdit *edit(Field f) { return named<QLineEdit>(form.get(), QString::fromUtf8(f.name)); }
    QComboBox *list(Field f) { return listWith(form.get(), QString::fromUtf8(f.name)); }
    QWidget *field(Field f) { return f.list ? static_cast<QWidget *>(list(f)) : edit(f); }
    QString text(Field f) { return f.list ? list(f)->currentText() : edit(f)->text(); }
    QStringList texts(const Field (&fields)[12])
    {
        QStringList all;
        for (Field f : fields)
            all.append(text(f));
        return all;
    }
    bool voltageEditsEnabled(bool enabled)
    {
        for (Field f : kVoltageEdits) {
            if (edit(f)->isEnabled() != enabled)
                return false;
        }
        return true;
    }

    // As a user does it: open the list, move to the item and press Return.
    void choose(Field listField, int index)
    {
        QComboBox *box = list(listField);
        box->setFocus();
        box->showPopup();
        QAbstractItemView *view = box->view();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_FALSE(view->isVisible());
    }

    void click(Field button)
    {
        QTest::mouseClick(named<QPushButton>(form.get(), QString::fromUtf8(button.name)),
                          Qt::LeftButton);
    }

    void type(Field f, const QString &keys)
    {
        QWidget *target = field(f);
        target->setFocus();
        if (f.list)
            list(f)->lineEdit()->selectAll();
        else
            edit(f)->selectAll();
        QTest::keyClicks(target, keys);
    }

    // Stores a battery group of a type at a rated level, voltages scaled as a form stores them.
    void store(const QString &type, int level)
    {
        const int m = level == 0 ? 1 : level;
        parameters.values[Slot::BatteryType] = type;
        parameters.values[Slot::RatedVoltageLevel] = QString::number(level);
        for (int slot = Slot::OverVoltageDisconnect; slot <= Slot::DischargeLimitVoltage; ++slot)
            parameters.values[slot] = QString::number(defaultValue(slot).toInt() * m);
    }

    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<BatteryParameterDialog> form;
};

} // namespace

TEST_F(BatteryFormTest, OpensWithStoredValuesAndSealedDefaults)
{
    parameters.values[Slot::BatteryCapacity] = "150";
    parameters.values[Slot::TempCompensation] = "350";
    parameters.values[Slot::ChargingMode] = "1";
    open();
    EXPECT_EQ(form->windowTitle(), "充放电参数配置");
    EXPECT_EQ(text(CapacityEdit), "150");
    EXPECT_EQ(text(TempCompensationEdit), "-3");
    EXPECT_EQ(text(TempCompensationDefault), "-3");
    EXPECT_EQ(text(ChargingModeList), "SOC");
    EXPECT_EQ(list(ChargingModeList)->currentIndex(), -1);
    EXPECT_TRUE(edit(ChargePercentEdit)->isEnabled());
    EXPECT_TRUE(edit(DischargePercentEdit)->isEnabled());
    EXPECT_EQ(text(ChargingModeDefault), "电压补偿");
    EXPECT_EQ(texts(kVoltageEdits), texts(kVoltageDefaults));
    EXPECT_TRUE(voltageEditsEnabled(false));
    EXPECT_TRUE(messages.entries.isEmpty());

    EXPECT_EQ(edit(CapacityEdit)->toolTip(), "允许范围：0～9999 Ah");
    EXPECT_EQ(edit(CapacityEdit)->accessibleDescription(), edit(CapacityEdit)->toolTip());
}

TEST_F(BatteryFormTest, StoredGelWithoutEqualizeStage)
{
    parameters.values[Slot::BatteryType] = "2";
    parameters.values[Slot::EqualizeVoltage] = "0";
    parameters.values[Slot::EqualizeDuration] = "0";
    open();
    EXPECT_EQ(text(BatteryTypeList), "胶体");
    EXPECT_EQ(text(EqualizeVoltageEdit), "--");
    EXPECT_EQ(text(EqualizeDurationEdit), "--");
    EXPECT_FALSE(edit(EqualizeDurationEdit)->isEnabled());
    EXPECT_TRUE(voltageEditsEnabled(false));
    EXPECT_EQ(text(EqualizeVoltageDefault), "--");
    EXPECT_EQ(text(BoostVoltageDefault), "14.20");
    // Tooltips say what "应用" allows now: gel drops the equalize order and may leave a 0.
    EXPECT_EQ(edit(BoostVoltageEdit)->toolTip(),
              "允许范围：9.00～17.00 V（自识别，按 12V），胶体可为 0\n不得小于浮充充电电压");
}

TEST_F(BatteryFormTest, StoredTypeAndLevelAreTheOnesChosenFrom)
{
    // A flooded block: choosing "24V" scales the flooded voltages, not the sealed ones.
    store("3", 1);
    open();
    EXPECT_EQ(list(BatteryTypeList)->currentIndex(), 3);
    EXPECT_EQ(list(RatedVoltageList)->currentIndex(), 1);
    EXPECT_EQ(text(EqualizeVoltageDefault), "14.80");
    EXPECT_EQ(text(BatteryTypeDefault), "铅酸免维护"); // the shipped type
    EXPECT_EQ(text(EqualizeVoltageEdit), "14.60");     // the stored value, unchanged
    choose(RatedVoltageList, 2);
    EXPECT_EQ(text(EqualizeVoltageEdit), "29.60");
    EXPECT_EQ(text(BoostVoltageEdit), "29.20");
    EXPECT_EQ(edit(ChargeLimitEdit)->toolTip(),
              "允许范围：18.00～34.00 V（24V）\n须小于超压断开电压；不得小于均衡充电电压");
    click(ApplyButton);
    EXPECT_TRUE(messages.entries.isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(parameters.values[Slot::BatteryType], "3");
    EXPECT_EQ(parameters.values[Slot::EqualizeVoltage], "2960");

    // A user-defined 24 V block: its defaults are at 24 V, and "自定义" is taken at once.
    store("0", 2);
    parameters.values[Slot::OverVoltageDisconnect] = "3300";
    open();
    EXPECT_TRUE(voltageEditsEnabled(true));
    EXPECT_EQ(text(OverVoltageDisconnectEdit), "33.00");
    EXPECT_EQ(text(OverVoltageDisconnectDefault), "32.00");
    EXPECT_TRUE(messages.entries.isEmpty());
    choose(BatteryTypeList, 0);
    EXPECT_EQ(messages.entries.size(), 1);
    EXPECT_FALSE(messages.entries[0].warning); // the caution, not a refusal
    EXPECT_EQ(text(OverVoltageDisconnectEdit), "32.00");

    // Shown "24V" typed over the list is not chosen: the level is still "12V".
    messages.clear();
    store("1", 1);
    open();
    type(RatedVoltageList, "24V");
    choose(BatteryTypeList, 3);
    EXPECT_EQ(text(BoostVoltageEdit), "14.60");
}

TEST_F(BatteryFormTest, LevelScalesFloodedDefaultsIntoCurrentVoltages)
{
    open();
    choose(BatteryTypeList, 3);
    choose(RatedVoltageList, 2);
    EXPECT_EQ(text(EqualizeVoltageDefault), "29.60");
    EXPECT_EQ(text(BoostVoltageDefault), "29.20");
    EXPECT_EQ(text(OverVoltageDisconnectDefault), "32.00");
    EXPECT_EQ(text(FloatVoltageDefault), "27.60");
    EXPECT_EQ(texts(kVoltageEdits), texts(kVoltageDefaults));
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST_F(BatteryFormTest, GelHasNoEqualizeStage)
{
    open();
    choose(BatteryTypeList, 2);
    EXPECT_EQ(text(EqualizeVoltageDefault), "--");
    EXPECT_EQ(text(EqualizeVoltageEdit), "--");
    EXPECT_EQ(text(BoostVoltageDefault), "14.20");
    EXPECT_EQ(text(BoostVoltageEdit), "14.20");
    EXPECT_EQ(text(EqualizeDurationEdit), "--");
    EXPECT_FALSE(edit(EqualizeDurationEdit)->isEnabled());

    click(ApplyButton);
    EXPECT_TRUE(messages.entries.isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(parameters.values[Slot::BatteryType], "2");
    EXPECT_EQ(parameters.values[Slot::EqualizeVoltage], "0");
    EXPECT_EQ(parameters.values[Slot::EqualizeDuration], "0");
    EXPECT_EQ(parameters.values[Slot::BoostVoltage], "1420");

    // Back to another type: the duration is the stored one again, and editable.
    choose(BatteryTypeList, 1);
    EXPECT_EQ(text(EqualizeDurationEdit), "0");
    EXPECT_TRUE(edit(EqualizeDurationEdit)->isEnabled());
}

TEST_F(BatteryFormTest, UserDefinedKeepsItsVoltagesWhenTheLevelChanges)
{
    open();
    choose(RatedVoltageList, 4);
    choose(BatteryTypeList, 0);
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_FALSE(messages.entries[0].warning);
    EXPECT_EQ(messages.entries[0].owner, form.get());
    EXPECT_EQ(messages.entries[0].text,
              "注意！在修改充电参数前查阅蓄电池相关的说明，避免对蓄电池造成损坏！");
    EXPECT_TRUE(voltageEditsEnabled(true));
    EXPECT_EQ(text(EqualizeVoltageEdit), "58.40");
    EXPECT_EQ(text(BoostVoltageEdit), "57.60");
    const QStringList at48 = texts(kVoltageEdits);

    messages.clear();
    choose(RatedVoltageList, 1);
    EXPECT_EQ(text(EqualizeVoltageDefault), "14.60");
    EXPECT_EQ(texts(kVoltageEdits), at48);

    choose(RatedVoltageList, 0);
    EXPECT_EQ(messages.texts(), QStringList{"目前状态不能为自识别"});
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_EQ(list(RatedVoltageList)->currentIndex(), 1);
    EXPECT_EQ(text(RatedVoltageList), "12V");
    EXPECT_EQ(texts(kVoltageEdits), at48);

    // 48 V voltages on a 12 V system are outside the window: the form's own box.
    messages.clear();
    click(ApplyButton);
    ASSERT_EQ(messages.texts(), QStringList{"电压参数不在允许范围内！"});
    EXPECT_EQ(messages.entries[0].owner, form.get());
    EXPECT_EQ(parameters.values, ParameterSet().values);
    EXPECT_EQ(texts(kVoltageEdits), at48);
}

TEST_F(BatteryFormTest, LeavingAListNeverRunsItsReaction)
{
    // Shown and selected "自定义" with its own voltages. Running the reaction on leaving would
    // show the caution and overwrite the voltages with the defaults.
    store("0", 2);
    parameters.values[Slot::OverVoltageDisconnect] = "3300";
    open();
    QComboBox *types = list(BatteryTypeList);

    types->setFocus();
    QTest::keyClick(types, Qt::Key_End);
    edit(CapacityEdit)->setFocus();
    ASSERT_TRUE(edit(CapacityEdit)->hasFocus());

    // Opening the list and closing it without a choice.
    types->setFocus();
    types->showPopup();
    QTest::keyClick(types->view(), Qt::Key_Escape);

    EXPECT_TRUE(messages.entries.isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(text(BatteryTypeList), "自定义");
    EXPECT_EQ(text(OverVoltageDisconnectEdit), "33.00");
    EXPECT_TRUE(voltageEditsEnabled(true));

    // Return is the dialog's: it closes the unchanged form through "确认".
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Return);
    EXPECT_TRUE(messages.entries.isEmpty());
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(parameters.values[Slot::OverVoltageDisconnect], "3300");
}

TEST_F(BatteryFormTest, ListTextThatNamesNoItemKeepsTheSlot)
{
    parameters.values[Slot::BatteryType] = "3";
    open();
    type(BatteryTypeList, "abc");
    EXPECT_EQ(list(BatteryTypeList)->count(), 4);
    click(ApplyButton);
    EXPECT_TRUE(messages.entries.isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(parameters.values[Slot::BatteryType], "3");
}

TEST_F(BatteryFormTest, StoredTypeOutsideTheListShowsEmptyAndPasses)
{
    store("7", 4);
    open();
    EXPECT_EQ(text(BatteryTypeList), "");
    EXPECT_EQ(list(BatteryTypeList)->currentIndex(), 1);
    EXPECT_EQ(list(RatedVoltageList)->currentIndex(), 4);
    click(ApplyButton);
    EXPECT_TRUE(messages.entries.isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(parameters.values[Slot::BatteryType], "7");
}

TEST_F(BatteryFormTest, RestoreDefaultsFillsTheFormOnly)
{
    store("3", 2);
    parameters.values[Slot::ChargingMode] = "1";
    parameters.values[Slot::BatteryCapacity] = "400";
    parameters.values[Slot::EqualizeDuration] = "60";
    parameters.values[Slot::DischargePercent] = "40";
    open();
    type(CapacityEdit, "77");
    const QStringList stored = parameters.values;

    click(RestoreDefaultsButton);
    EXPECT_EQ(text(BatteryTypeList), "铅酸免维护");
    EXPECT_EQ(text(RatedVoltageList), "自识别");
    EXPECT_EQ(text(ChargingModeList), "电压补偿");
    EXPECT_EQ(text(CapacityEdit), "200");
    EXPECT_EQ(text(TempCompensationEdit), "-3");
    EXPECT_EQ(text(EqualizeDurationEdit), "120");
    EXPECT_EQ(text(BoostDurationEdit), "120");
    EXPECT_EQ(text(ChargePercentEdit), "100");
    EXPECT_EQ(text(DischargePercentEdit), "30");
    EXPECT_EQ(texts(kVoltageEdits), texts(kVoltageDefaults));
    EXPECT_EQ(text(OverVoltageDisconnectEdit), "16.00");
    EXPECT_FALSE(edit(ChargePercentEdit)->isEnabled());
    EXPECT_FALSE(edit(DischargePercentEdit)->isEnabled());
    EXPECT_TRUE(voltageEditsEnabled(false));
    EXPECT_TRUE(messages.entries.isEmpty());
    EXPECT_EQ(parameters.values, stored);

    // Applied, the battery group is the shipped one again.
    click(ApplyButton);
    EXPECT_TRUE(messages.entries.isEmpty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(parameters.values, ParameterSet().values);
}

TEST_F(BatteryFormTest, ClosingAsksBeforeDroppingWhatWasNotApplied)
{
    using Answer = MessageService::Answer;
    const auto asked = [this] {
        const bool was = messages.texts() == QStringList{"参数已修改，是否应用？"} &&
                         messages.entries[0].owner == form.get();
        messages.clear();
        return was;
    };
    // Unchanged, or unchanged since the last "应用": closes at once.
    open();
    click(OkButton);
    EXPECT_FALSE(form->isVisible());
    open();
    type(CapacityEdit, "300");
    click(ApplyButton);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(messages.entries.isEmpty());

    // "取消" in the question stays; "不应用" closes and stores nothing.
    open();
    type(CapacityEdit, "400");
    click(OkButton);
    EXPECT_TRUE(asked());
    EXPECT_TRUE(form->isVisible());
    messages.answers = {Answer::Decline};
    form->close();
    EXPECT_TRUE(asked());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(parameters.values[Slot::BatteryCapacity], "300");

    // "应用" runs the form's own: a refusal keeps the form open, a success stores and closes.
    open();
    type(CapacityEdit, "10000");
    messages.answers = {Answer::Accept};
    QTest::keyClick(edit(CapacityEdit), Qt::Key_Return);
    EXPECT_EQ(messages.texts().value(1), "蓄电池容量不在允许范围内！(0~9999)");
    EXPECT_TRUE(form->isVisible());
    messages.clear();
    type(CapacityEdit, "500");
    messages.answers = {Answer::Accept};
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(asked());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_EQ(parameters.values[Slot::BatteryCapacity], "500");

    // "恢复默认" counts even where it changes nothing; "取消" on the form never asks.
    parameters = ParameterSet();
    open();
    click(RestoreDefaultsButton);
    click(OkButton);
    EXPECT_TRUE(asked());
    click(CancelButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST_F(BatteryFormTest, ApplyStopsAtAFailedRuleAndKeepsTheInput)
{
    // Stored while charging by voltage compensation: the percentage fields are disabled.
    parameters.values[Slot::DischargePercent] = "75";
    parameters.values[Slot::ChargePercent] = "80";
    const QStringList stored = parameters.values;
    open();
    ASSERT_FALSE(edit(DischargePercentEdit)->isEnabled());
    type(CapacityEdit, "10000");
    click(ApplyButton);
    EXPECT_EQ(messages.texts(), QStringList{"蓄电池容量不在允许范围内！(0~9999)"});
    EXPECT_EQ(parameters.values, stored);
    EXPECT_EQ(text(CapacityEdit), "10000");
    EXPECT_TRUE(form->isVisible());

    // The disabled fields are collected and checked all the same.
    messages.clear();
    type(CapacityEdit, "100");
    click(ApplyButton);
    EXPECT_EQ(messages.texts(), QStringList{"蓄电池充放电应满足：蓄电池充电≥蓄电池放电+10%"});
    EXPECT_EQ(parameters.values, stored);
}

TEST_F(BatteryFormTest, DigitsOnlyFieldsAndTypedDecimals)
{
    open();
    // Typed keys other than digits are refused; the coefficient takes one leading "-".
    type(CapacityEdit, "1a2.5-");
    EXPECT_EQ(text(CapacityEdit), "125");
    type(TempCompensationEdit, "5-x-");
    EXPECT_EQ(text(TempCompensationEdit), "5");
    QTest::keyClick(edit(TempCompensationEdit), Qt::Key_Home);
    QTest::keyClicks(edit(TempCompensationEdit), "--");
    EXPECT_EQ(text(TempCompensationEdit), "-5");
    click(ApplyButton);
    EXPECT_EQ(parameters.values[Slot::TempCompensation], "500");

    // Pasted text is taken as it is; decimals are exact and cut toward zero.
    edit(TempCompensationEdit)->setText("-3.7");
    choose(RatedVoltageList, 1);
    choose(BatteryTypeList, 0);
    type(FloatVoltageEdit, "13.75");
    type(BoostReconnectEdit, "13.209");
    click(ApplyButton);
    EXPECT_EQ(messages.texts().size(), 1); // the caution only
    EXPECT_EQ(parameters.values[Slot::TempCompensation], "370");
    EXPECT_EQ(parameters.values[Slot::FloatVoltage], "1375");
    EXPECT_EQ(parameters.values[Slot::BoostReconnectVoltage], "1320");

    open();
    EXPECT_EQ(text(TempCompensationEdit), "-3");
    EXPECT_EQ(text(FloatVoltageEdit), "13.75");
}
