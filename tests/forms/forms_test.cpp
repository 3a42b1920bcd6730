#include "forms/batteryparameterdialog.h"
#include "forms/clockdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "forms/modepicture.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/referenceframes.h"
#include "support/scriptedexchange.h"

#include <QAbstractItemView>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Opens a parameter form on a parameter set and drives it as a user does, finding its controls
// by accessible name.
template <typename Dialog> class FormTest : public ::testing::Test
{
protected:
    void open()
    {
        form = std::make_unique<Dialog>(parameters, messages);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    template <typename T = QLineEdit> T *get(const QString &id) { return named<T>(form.get(), id); }
    // Where a user clicks: near the left end, on the indicator of a mode or a box.
    void click(const QString &name)
    {
        QAbstractButton *button = get<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void type(QLineEdit *edit, const QString &keys)
    {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, keys);
    }
    void type(const QString &name, const QString &keys) { type(get(name), keys); }
    QStringList stored(std::initializer_list<int> slotIds)
    {
        QStringList texts;
        for (int slot : slotIds)
            texts.append(parameters.values.at(slot));
        return texts;
    }
    bool leftToRight(std::initializer_list<const char *> ids)
    {
        return std::ranges::is_sorted(ids, {}, [this](auto id) { return get<QWidget>(id)->x(); });
    }

    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<Dialog> form;
};

// The battery form's fields are named after their row, a default cell adds " 默认"; its lists
// are found by one of their items.
const char *const Types = "铅酸免维护", *const Levels = "自识别",
                  *const Capacity = "蓄电池容量(Ah)", *const Equalize = "均衡充电电压(V)",
                  *const EqualizeTime = "均衡维持时间(M)";
const QString Default = QStringLiteral(" 默认");

class BatteryFormTest : public FormTest<BatteryParameterDialog>
{
protected:
    QComboBox *list(const char *item) { return listWith(form.get(), item); }
    QString text(const QString &name) { return get(name)->text(); }
    // As a user does it: open the list, move to the item and press Return.
    void choose(const char *listItem, int index)
    {
        QAbstractItemView *view = list(listItem)->view();
        list(listItem)->showPopup();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }
};

// Controls both load forms have.
const char *const OnVoltage = "光控启动电压（V）", *const OnDelay = "光控启动延时（m）",
                  *const OffDelay = "光控关闭延时（m）", *const TimerMode = "定时控制",
                  *const On1 = "定时开时刻1", *const Off2 = "定时关时刻2",
                  *const Box2 = "第二组定时";

// A load form's mode button, the codes it stores, whether it enables the light-control edits,
// and a control that it alone enables (the manual modes share theirs).
struct Mode
{
    const char *button, *code, *manual;
    bool light;
    const char *part = nullptr;
};

struct General
{
    using Dialog = GeneralLoadDialog;
    static constexpr const char *lightMode = "纯光控", *period1 = "定时开关时段1",
                                *night = "夜间时长", *lacking = "4"; // the LED form's mode 1
    static constexpr bool pair2OpensInEveryMode = true;
    static constexpr Mode modes[] = {{"手动默认开", "0", "1", false},
                                     {"手动默认关", "0", "0", false},
                                     {TimerMode, "3", "0", false, On1},
                                     {"纯光控", "1", "0", true},
                                     {"光控+定时", "2", "0", true, "夜间时长"}};
};

struct Led
{
    using Dialog = LedLoadDialog;
    static constexpr const char *lightMode = "光控", *period1 = "模式2定时时间段1",
                                *night = "夜间时长（h）", *lacking = "5";
    static constexpr bool pair2OpensInEveryMode = false;
    static constexpr Mode modes[] = {{"手动默认开", "0", "1", false, "额定电流百分比"},
                                     {"手动默认关", "0", "0", false, "额定电流百分比"},
                                     {TimerMode, "3", "0", false, On1},
                                     {"光控", "1", "0", true},
                                     {"光控+定时模式1", "4", "0", true, "模式1定时时间段2"},
                                     {"光控+定时模式2", "2", "0", true, "夜间时长（h）"}};
};

template <typename Form> class LoadFormTest : public FormTest<typename Form::Dialog>
{
protected:
    bool enabled(const char *name) { return this->template get<QWidget>(name)->isEnabled(); }
    bool checked(const char *id) { return this->template get<QAbstractButton>(id)->isChecked(); }
    // The up and down arrows sit at the right end of the spin box, one above the other.
    void clickArrow(const char *name, bool up)
    {
        QWidget *spin = this->template get<QWidget>(name);
        QTest::mouseClick(spin, Qt::LeftButton, {},
                          QPoint(spin->width() - 4, up ? 4 : spin->height() - 4));
    }
    // The second timer pair stays off whatever the mode.
    void expectEnabling(const Mode &mode)
    {
        EXPECT_EQ(enabled(OnVoltage), mode.light) << mode.button;
        EXPECT_FALSE(enabled(Off2)) << mode.button;
        for (const Mode &other : Form::modes)
            EXPECT_TRUE(!other.part || enabled(other.part) == !qstrcmp(other.part, mode.part))
                << mode.button << " " << other.part;
    }
};

using LoadForms = ::testing::Types<General, Led>;
TYPED_TEST_SUITE(LoadFormTest, LoadForms);
using LedFormTest = LoadFormTest<Led>;

class ClockDialogTest : public ::testing::Test
{
protected:
    // Answers the next write, and returns the frame a write of `data` sends.
    QByteArray answerWrite(const QString &data)
    {
        link.append(QByteArray::fromHex(referenceFramed("011090130003").toLatin1()));
        return QByteArray::fromHex(referenceFramed("01109013000306" + data).toLatin1());
    }

    // The PC clock as the dialog sees it; tests move it by hand.
    QDateTime now{QDate(2016, 3, 5), QTime(14, 7, 9)};
    ScriptedExchange link;
    MessageRecorder messages;
    ClockDialog dialog{link, messages, nullptr, [this] { return now; }};
    ClockDialogControls ui{&dialog};
};

} // namespace

TEST_F(BatteryFormTest, OpensOnTheStoredTypeAndLevelWhoseDefaultsTheLevelScales)
{
    // Gel at 12 V without an equalize stage, charging by SOC.
    parameters.values[Slot::BatteryType] = "2";
    parameters.values[Slot::RatedVoltageLevel] = "1";
    parameters.values[Slot::EqualizeDuration] = "0";
    parameters.values[Slot::ChargingMode] = "1";
    parameters.values[Slot::BatteryCapacity] = "150";
    open();
    EXPECT_EQ(std::pair(list(Types)->currentIndex(), list(Levels)->currentIndex()),
              std::pair(2, 1));
    EXPECT_TRUE(get("蓄电池放电(%)")->isEnabled());
    EXPECT_FALSE(get(Equalize)->isEnabled());
    EXPECT_FALSE(get(EqualizeTime)->isEnabled());
    EXPECT_EQ(QStringList({text(Capacity), text(Equalize + Default), text(EqualizeTime)}),
              QStringList({"150", "--", "--"}));

    // Flooded takes the stored duration again; the level scales its defaults into the voltages.
    choose(Types, 3);
    EXPECT_TRUE(get(EqualizeTime)->isEnabled());
    choose(Levels, 2);
    EXPECT_EQ(text(Equalize) + ' ' + text(Equalize + Default), "29.60 29.60");
    EXPECT_EQ(get("充电限制电压(V)")->toolTip(),
              "允许范围：18.00～34.00 V（24V）\n须小于超压断开电压；不得小于均衡充电电压");
    choose(Types, 2);
    EXPECT_EQ(text(Equalize) + ' ' + text(EqualizeTime), "-- --");
    click("应用");
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(stored({Slot::EqualizeVoltage, Slot::EqualizeDuration, Slot::BoostVoltage}),
              QStringList({"0", "0", "2840"}));
    EXPECT_TRUE(leftToRight({"确认", "应用", "恢复默认", "取消"}));
}

TEST_F(BatteryFormTest, UserDefinedKeepsItsVoltagesWhenTheLevelChanges)
{
    open();
    choose(Types, 0); // refused at the automatic level
    EXPECT_EQ(list(Types)->currentIndex(), 1);
    choose(Levels, 4);
    choose(Types, 0); // taken, with a caution
    EXPECT_TRUE(get(Equalize)->isEnabled());
    choose(Levels, 1);
    EXPECT_EQ(text(Equalize) + ' ' + text(Equalize + Default), "58.40 14.60");
    choose(Levels, 0);
    EXPECT_EQ(list(Levels)->currentIndex(), 1);
    // 48 V voltages on a 12 V system: refused, nothing stored, the input kept.
    click("应用");
    EXPECT_EQ(parameters.values, ParameterSet().values);
    EXPECT_EQ(text(Equalize), "58.40");
    EXPECT_EQ(messages.texts(),
              QStringList({"目前状态不能为自定义",
                           "注意！在修改充电参数前查阅蓄电池相关的说明，避免对蓄电池造成损坏！",
                           "目前状态不能为自识别", "电压参数不在允许范围内！"}));
    EXPECT_FALSE(messages.entries[1].warning);
    EXPECT_EQ(messages.entries[1].owner, form.get());
}

TEST_F(BatteryFormTest, LeavingAListNeverSelectsWhatItsTextNames)
{
    // Stored "自定义" at 12 V: choosing 24 V would rescale the default column.
    parameters.values[Slot::BatteryType] = "0";
    parameters.values[Slot::RatedVoltageLevel] = "1";
    open();
    EXPECT_TRUE(get(Equalize)->isEnabled());
    QComboBox *levels = list(Levels);
    type(levels->lineEdit(), "24V");
    get(Capacity)->setFocus();
    // Return is the dialog's: "确认" asks, as the shown level is not the stored one.
    QTest::keyClick(levels, Qt::Key_Return);
    EXPECT_EQ(levels->currentIndex(), 1);
    EXPECT_EQ(text(Equalize + Default), "14.60");
    EXPECT_EQ(messages.texts(), QStringList{"参数已修改，是否应用？"});
}

TEST_F(BatteryFormTest, TypedTextIsFilteredAndListTextThatNamesNoItemKeepsTheSlot)
{
    // A stored type outside the list shows no text, over the sealed type selected.
    parameters.values[Slot::BatteryType] = "7";
    open();
    EXPECT_EQ(list(Types)->currentText(), "");
    EXPECT_EQ(list(Types)->currentIndex(), 1);
    QTest::keyClicks(list(Types), "abc");
    // Keys other than digits are refused; the coefficient takes one leading "-".
    QLineEdit *coefficient = get("温度补偿系数(mV/℃/2V)");
    type(Capacity, "1a2.5-");
    type(coefficient, "5-x-");
    QTest::keyClick(coefficient, Qt::Key_Home);
    QTest::keyClicks(coefficient, "--");
    click("应用");
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(stored({Slot::BatteryType, Slot::BatteryCapacity, Slot::TempCompensation}),
              QStringList({"7", "125", "500"}));
}

TEST_F(BatteryFormTest, RestoreDefaultsFillsTheFormOnly)
{
    parameters.values[Slot::BatteryType] = "3";
    parameters.values[Slot::ChargingMode] = "1";
    const QStringList stored = parameters.values;
    open();
    type(Capacity, "77");
    click("恢复默认");
    EXPECT_FALSE(get("蓄电池充电(%)")->isEnabled());
    EXPECT_EQ(parameters.values, stored);
    click("应用");
    EXPECT_EQ(parameters.values, ParameterSet().values);
    // Unchanged since: "确认" closes at once.
    click("确认");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(messages.texts(), QStringList());
}

TEST_F(BatteryFormTest, ClosingAsksBeforeDroppingWhatWasNotApplied)
{
    // "取消" in the question stays; "不应用" closes and stores nothing.
    open();
    type(Capacity, "400");
    click("确认");
    EXPECT_TRUE(form->isVisible());
    messages.answers = {MessageService::Answer::Decline};
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(parameters.values, ParameterSet().values);

    // "应用" runs the form's own, whose refusal keeps the form open.
    open();
    type(Capacity, "10000");
    messages.answers = {MessageService::Answer::Accept};
    QTest::keyClick(get(Capacity), Qt::Key_Return);
    EXPECT_TRUE(form->isVisible());

    // "恢复默认" counts even where it changes nothing; "取消" on the form never asks.
    open();
    click("恢复默认");
    click("确认");
    EXPECT_TRUE(form->isVisible());
    click("取消");
    EXPECT_FALSE(form->isVisible());
    const QString asked = "参数已修改，是否应用？";
    EXPECT_EQ(messages.texts(),
              QStringList({asked, asked, asked, "蓄电池容量不在允许范围内！(0~9999)", asked}));
    EXPECT_EQ(messages.entries.last().owner, form.get());
}

TYPED_TEST(LoadFormTest, EachModeEnablesItsControlsAndStoresItsCodes)
{
    this->open();
    EXPECT_TRUE(this->leftToRight({"确认", "应用", "取消"}));
    for (const Mode &mode : TypeParam::modes) {
        this->click(mode.button);
        this->expectEnabling(mode);
        this->click("应用");
        EXPECT_EQ(this->stored({Slot::LoadControlMode, Slot::ManualDefaultOn}),
                  QStringList({mode.code, mode.manual}));
        // Opened on the codes it stored, the form selects the mode and enables as it did.
        this->open();
        EXPECT_TRUE(this->checked(mode.button));
        this->expectEnabling(mode);
    }

    // A code the form has no button for selects none and is never stored; times no picker can
    // show open at midnight and stay as stored.
    this->parameters.values[Slot::LoadControlMode] = TypeParam::lacking;
    this->parameters.values[Slot::Mode2Period1] = "6144"; // 24:00
    this->parameters.values[Slot::TimerOn1Minute] = "75";
    const QStringList stored = this->parameters.values;
    this->open();
    for (const Mode &mode : TypeParam::modes)
        EXPECT_FALSE(this->checked(mode.button));
    EXPECT_EQ(this->template get<QTimeEdit>(TypeParam::period1)->time(), QTime(0, 0));
    EXPECT_EQ(this->template get<QTimeEdit>(On1)->time(), QTime(0, 0));
    this->click("应用");
    EXPECT_EQ(this->messages.texts(), QStringList{"请选择负载控制模式！"});
    EXPECT_EQ(this->parameters.values, stored);
}

TYPED_TEST(LoadFormTest, SecondTimerPairFollowsItsBoxUnderTimerControl)
{
    this->open();
    this->click(TimerMode);
    this->click(Box2);
    EXPECT_TRUE(this->enabled(Off2));
    // Selecting timer control again turns the pair off although the box stays checked.
    this->click(TimerMode);
    EXPECT_FALSE(this->enabled(Off2));

    // Enter asks, and applying stores the pair in use: it opens on under timer control, and
    // under another mode the general form opens it on too, the LED form off.
    this->messages.answers = {MessageService::Answer::Accept};
    QTest::keyClick(this->form.get(), Qt::Key_Return);
    EXPECT_EQ(this->messages.texts(), QStringList{"参数已修改，是否应用？"});
    this->open();
    EXPECT_TRUE(this->enabled(Off2));
    this->click(TypeParam::lightMode);
    this->click("应用");
    this->open();
    EXPECT_FALSE(this->enabled(Box2));
    EXPECT_EQ(this->enabled(Off2), TypeParam::pair2OpensInEveryMode);
}

TYPED_TEST(LoadFormTest, ApplyChecksTheLightControlAndCollectsEveryFieldWhateverTheMode)
{
    this->open();
    this->template get<QTimeEdit>(On1)->setTime(QTime(18, 30, 15));
    this->template get<QTimeEdit>(TypeParam::period1)->setTime(QTime(1, 30));
    this->template get<QTimeEdit>(TypeParam::night)->setTime(QTime(12, 0));
    this->click(TypeParam::lightMode); // the timers and periods are disabled now
    this->type(OnVoltage, "34.01");
    this->click("应用");
    this->type(OnVoltage, "34");
    this->type(OnDelay, "100");
    this->click("应用");
    // Refused after a box with the value, then refused again: nothing stored.
    EXPECT_EQ(this->stored({Slot::LoadControlMode, Slot::LightOnVoltage}),
              QStringList({"0", "500"}));

    // Letters are refused by the delay edits; an empty delay passes and is stored empty.
    this->type(OnDelay, "99");
    this->type(OffDelay, "x");
    this->click("应用");
    EXPECT_EQ(this->messages.texts(),
              QStringList({"3401", "光控启动电压不在范围内！", "光控启动延时不在范围内！(0~99)"}));
    EXPECT_EQ(this->stored({Slot::LoadControlMode, Slot::LightOnVoltage, Slot::LightOnDelay,
                            Slot::LightOffDelay, Slot::TimerOn1Hour, Slot::TimerOn1Minute,
                            Slot::TimerOn1Second, Slot::Mode2Period1, Slot::NightLength,
                            Slot::LedRatedCurrent}),
              QStringList({"1", "3400", "99", "", "18", "30", "15", "286", "3072",
                           defaultValue(Slot::LedRatedCurrent)}));
}

TEST_F(LedFormTest, PercentagesMoveOnlyByTheirArrowsAndTheLimitBoxEnablesItsOwn)
{
    parameters.values[Slot::ManualOnPercent] = "3333";
    parameters.values[Slot::UnderVoltageLimitEnabled] = "65535";
    open();
    auto *manual = get<QSpinBox>("额定电流百分比");
    clickArrow("额定电流百分比", true);
    manual->setFocus();
    QTest::keyClicks(manual, "7");
    QTest::keyClick(manual, Qt::Key_Backspace);
    click(TimerMode);
    clickArrow("定时1百分比", false);

    // The limiting level goes with its box in every mode.
    EXPECT_TRUE(enabled("限流百分比"));
    click("蓄电池欠压后进行电流限制\n（欠压恢复后则转入正常）");
    EXPECT_FALSE(enabled("限流百分比"));
    type("LED额定电流（A）", "1.5");
    click("应用");
    EXPECT_EQ(stored({Slot::ManualOnPercent, Slot::Timer1Percent, Slot::UnderVoltageLimitEnabled,
                      Slot::LedRatedCurrent}),
              QStringList({"3800", "9500", "0", "150"}));
}

TEST_F(LedFormTest, PictureFollowsTheModeAndItsSchedule)
{
    open();
    auto *picture = get<ModePicture>("模式图");
    click("光控+定时模式2");
    EXPECT_TRUE(picture->isVisible() && form->picture() == LedLoadDialog::Picture::Mode2);
    // Each change redraws it.
    auto *picker = get<QTimeEdit>("模式2定时时间段1");
    picker->setTime(QTime(1, 30));
    EXPECT_EQ(picture->schedule().periodMinutes[0], 90);
    get<QTimeEdit>("夜间时长（h）")->setTime(QTime(12, 0));
    EXPECT_EQ(picture->schedule().nightMinutes, 720);
    clickArrow("模式2时间段3百分比", false);
    const Load::ModeSchedule s = picture->schedule();
    EXPECT_EQ(std::tuple(s.mode, s.periodMinutes, s.levels, s.nightMinutes),
              std::tuple(2, std::array{90, 120, 120}, std::array{100, 100, 95}, 720));

    // Left with a half-typed hour: hiding the picker as the form goes commits it, and the
    // picture would be redrawn from members already gone.
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_2);
}

TEST_F(ClockDialogTest, FollowsThePcClockOrHandEntryAndReportsToTheForm)
{
    dialog.show();
    // Enter in a picker neither writes nor leaves following; what is set there is overwritten
    // at the next tick.
    for (QWidget *picker : std::initializer_list<QWidget *>{ui.date, ui.time}) {
        picker->setFocus();
        QTest::keyClick(picker, Qt::Key_Return);
    }
    EXPECT_TRUE(dialog.following());
    ui.time->setTime(QTime(1, 2, 3));
    now = now.addSecs(1);
    dialog.onTimer();
    EXPECT_EQ(ui.time->text(), "14:07:10");

    // Following, the time written is the PC's at the click, which the pickers then show.
    now = now.addSecs(1);
    const QByteArray frame = answerWrite("070B050E1003");
    QTest::mouseClick(ui.write, Qt::LeftButton);
    EXPECT_EQ(QByteArray::fromHex(link.requests.value(0).toLatin1()), frame);
    EXPECT_EQ(ui.time->text() + ' ' + ui.programmerTime->text(), "14:07:11 2016/3/5   14:7:11");

    // By hand, with the keyboard, seconds included; back to following at once.
    QTest::mouseClick(ui.manualAdjust, Qt::LeftButton);
    EXPECT_FALSE(dialog.tickTimer().isActive());
    EXPECT_EQ(ui.manualAdjust->text(), "本机时间");
    ui.date->setDate(QDate(2031, 11, 30));
    ui.time->setFocus();
    ui.time->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(ui.time, "45");
    answerWrite({});
    QTest::mouseClick(ui.write, Qt::LeftButton);
    EXPECT_EQ(ui.programmerTime->text(), "2031/11/30   14:7:45");
    QTest::mouseClick(ui.manualAdjust, Qt::LeftButton);
    EXPECT_TRUE(dialog.tickTimer().isActive());
    EXPECT_EQ(ui.manualAdjust->text(), "手动调整");
    EXPECT_EQ(ui.date->text() + ' ' + ui.time->text(), "2016-03-05 14:07:11");

    // Enter presses the button that has the focus.
    link.script({referenceReadReply(QByteArray::fromHex("0709050E1003"))});
    ui.read->setFocus();
    QTest::keyClick(ui.read, Qt::Key_Return);
    EXPECT_EQ(ui.programmerTime->text(), "2016/3/5   14:7:9");
    EXPECT_EQ(messages.texts(), QStringList({"写入成功！", "写入成功！", "读取成功！"}));
    EXPECT_TRUE(std::ranges::all_of(messages.entries, [&](auto &e) { return e.owner == &dialog; }));

    // Left with a half-typed time: hiding the picker as the form goes commits it, which must
    // reach nothing of the form.
    ui.time->setFocus();
    QTest::keyClick(ui.time, Qt::Key_1);
}
