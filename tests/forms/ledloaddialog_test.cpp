#include "forms/batteryparameterdialog.h"
#include "forms/clockdialog.h"
#include "forms/generalloaddialog.h"
#include "forms/ledloaddialog.h"
#include "forms/modepicture.h"
#include "forms/percentspinbox.h"
#include "link/programmerlink.h"
#include "loadformtest.h"

#include <QTimeEdit>

#include <algorithm>
#include <functional>

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
constexpr const char *LightMode = "光控";
constexpr const char *Mode1 = "光控+定时模式1";
constexpr const char *Mode2 = "光控+定时模式2";
constexpr const char *RatedCurrent = "LED额定电流（A）";
constexpr const char *ManualPercent = "额定电流百分比";
constexpr const char *Timer1Percent = "定时1百分比";
constexpr const char *Timer2Percent = "定时2百分比";
constexpr const char *LimitPercent = "限流百分比";
constexpr const char *NightLength = "夜间时长（h）";
constexpr const char *ModePictureBox = "模式图";
constexpr const char *LimitBox = "蓄电池欠压后进行电流限制\n（欠压恢复后则转入正常）";
constexpr const char *Mode1Period1 = "模式1定时时间段1";
constexpr const char *Mode1Period1Percent = "模式1时间段1百分比";
constexpr const char *Mode1Period2 = "模式1定时时间段2";
constexpr const char *Mode1Period2Percent = "模式1时间段2百分比";
constexpr const char *Mode1Period3 = "模式1定时时间段3";
constexpr const char *Mode1Period3Percent = "模式1时间段3百分比";
constexpr const char *Mode2Period1 = "模式2定时时间段1";
constexpr const char *Mode2Period1Percent = "模式2时间段1百分比";
constexpr const char *Mode2Period2 = "模式2定时时间段2";
constexpr const char *Mode2Period2Percent = "模式2时间段2百分比";
constexpr const char *Mode2Period3 = "模式2定时时间段3";
constexpr const char *Mode2Period3Percent = "模式2时间段3百分比";

class LedLoadDialogTest : public LoadFormTest<LedLoadDialog>
{
protected:
    ModePicture *picture() { return get<ModePicture>(ModePictureBox); }
    bool pictureShown() { return picture()->isVisible(); }
};

constexpr const char *kManual[] = {ManualPercent};
constexpr const char *kPair1[] = {TimerOn1, TimerOff1, Timer1Percent, Timer2Box};
constexpr const char *kPair2[] = {TimerOn2, TimerOff2, Timer2Percent};
constexpr const char *kLight[] = {LightOnVoltage, LightOffDelay};
constexpr const char *kMode1[] = {Mode1Period1, Mode1Period2Percent, Mode1Period3};
constexpr const char *kMode2[] = {Mode2Period2, Mode2Period3Percent};
constexpr const char *kNight[] = {NightLength};

} // namespace

TEST_F(LedLoadDialogTest, EachModeEnablesItsControlsAndPicture)
{
    open();
    EXPECT_EQ(dialog->windowTitle(), "LED负载参数配置");
    const struct
    {
        const char *mode;
        bool manual, pair1, light, mode1, mode2;
        LedLoadDialog::Picture picture;
    } modes[] = {
        {ManualOn, true, false, false, false, false, LedLoadDialog::Picture::None},
        {ManualOff, true, false, false, false, false, LedLoadDialog::Picture::None},
        {TimerMode, false, true, false, false, false, LedLoadDialog::Picture::None},
        {LightMode, false, false, true, false, false, LedLoadDialog::Picture::None},
        {Mode1, false, false, true, true, false, LedLoadDialog::Picture::Mode1},
        {Mode2, false, false, true, false, true, LedLoadDialog::Picture::Mode2},
    };
    for (const auto &m : modes) {
        clickMode(m.mode);
        const auto expect = [&](std::span<const char *const> ids, bool on) {
            for (const char *id : ids)
                EXPECT_EQ(enabled(id), on) << m.mode << " " << id;
        };
        expect(kManual, m.manual);
        expect(kPair1, m.pair1);
        expect(kPair2, false);
        expect(kLight, m.light);
        expect(kMode1, m.mode1);
        expect(kMode2, m.mode2);
        expect(kNight, m.mode2);
        // Outside the table: the rated current and the limiting box keep their state.
        EXPECT_TRUE(enabled(RatedCurrent));
        EXPECT_TRUE(enabled(LimitBox));
        EXPECT_EQ(dialog->picture(), m.picture);
        EXPECT_EQ(pictureShown(), m.picture != LedLoadDialog::Picture::None);
    }
    EXPECT_EQ(picture()->accessibleName(), "模式图");
    EXPECT_EQ(picture()->accessibleDescription(), "光控+定时模式2");
}

TEST_F(LedLoadDialogTest, SecondPairBoxKeepsThePicture)
{
    open();
    clickMode(TimerMode);
    clickBox(Timer2Box);
    for (const char *id : kPair2)
        EXPECT_TRUE(enabled(id));
    clickMode(TimerMode);
    EXPECT_FALSE(enabled(Timer2Percent));
    clickBox(Timer2Box);
    clickBox(Timer2Box);
    EXPECT_TRUE(enabled(Timer2Percent));
    EXPECT_FALSE(pictureShown());
}

TEST_F(LedLoadDialogTest, OpensEveryStoredModeCode)
{
    parameters.values[Slot::LoadControlMode] = "4";
    open();
    EXPECT_TRUE(get<QRadioButton>(Mode1)->isChecked());
    EXPECT_TRUE(enabled(Mode1Period2));
    EXPECT_FALSE(enabled(NightLength));
    EXPECT_EQ(dialog->picture(), LedLoadDialog::Picture::Mode1);
    EXPECT_TRUE(pictureShown());

    parameters.values[Slot::LoadControlMode] = "2";
    open();
    EXPECT_TRUE(get<QRadioButton>(Mode2)->isChecked());
    EXPECT_TRUE(enabled(NightLength));
    EXPECT_EQ(dialog->picture(), LedLoadDialog::Picture::Mode2);
    // Leaving mode 2 for light control hides the picture.
    clickMode(LightMode);
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(dialog->picture(), LedLoadDialog::Picture::None);

    // The stored second pair opens enabled under timer control only.
    parameters.values[Slot::Timer2Enabled] = "1";
    parameters.values[Slot::LoadControlMode] = "3";
    open();
    EXPECT_TRUE(get<QRadioButton>(TimerMode)->isChecked());
    EXPECT_TRUE(enabled(TimerOn2));
    EXPECT_TRUE(enabled(Timer2Percent));
    for (const char *mode : {"0", "1"}) {
        parameters.values[Slot::LoadControlMode] = mode;
        open();
        EXPECT_TRUE(get<QCheckBox>(Timer2Box)->isChecked());
        EXPECT_FALSE(enabled(Timer2Box)) << mode;
        EXPECT_FALSE(enabled(TimerOn2)) << mode;
    }
    EXPECT_TRUE(get<QRadioButton>(LightMode)->isChecked());

    // A code the form has no button for is never stored: "应用" wants a mode.
    parameters.values[Slot::LoadControlMode] = "5";
    open();
    for (const char *id : {ManualOn, ManualOff, TimerMode, LightMode, Mode1, Mode2})
        EXPECT_FALSE(get<QRadioButton>(id)->isChecked());
    EXPECT_FALSE(pictureShown());
    apply();
    EXPECT_EQ(messages.texts(), QStringList{"请选择负载控制模式！"});
    EXPECT_EQ(parameters.values.at(Slot::LoadControlMode), "5");
}

TEST_F(LedLoadDialogTest, PercentagesMoveOnlyByTheirArrows)
{
    parameters.values[Slot::ManualOnPercent] = "3333";
    parameters.values[Slot::Timer1Percent] = "300";
    open();
    PercentSpinBox *manual = get<PercentSpinBox>(ManualPercent);
    EXPECT_EQ(manual->text(), "33");
    EXPECT_EQ(manual->accessibleName(), "额定电流百分比");
    clickArrow(ManualPercent, true);
    EXPECT_EQ(manual->value(), 38);
    // Typing is refused; the Up key steps like the arrow.
    manual->setFocus();
    QTest::keyClicks(manual, "7");
    QTest::keyClick(manual, Qt::Key_Backspace);
    EXPECT_EQ(manual->text(), "38");
    QTest::keyClick(manual, Qt::Key_Up);
    EXPECT_EQ(manual->value(), 43);
    for (int i = 0; i < 20; ++i)
        clickArrow(ManualPercent, true);
    EXPECT_EQ(manual->value(), 100);

    clickMode(TimerMode);
    clickArrow(Timer1Percent, false);
    EXPECT_EQ(get<QSpinBox>(Timer1Percent)->value(), 0);
    apply();
    EXPECT_EQ(parameters.values.at(Slot::ManualOnPercent), "10000");
    EXPECT_EQ(parameters.values.at(Slot::Timer1Percent), "0");
}

TEST_F(LedLoadDialogTest, LimitBoxEnablesItsLevelInEveryMode)
{
    parameters.values[Slot::UnderVoltageLimitEnabled] = "65535";
    open();
    EXPECT_TRUE(get<QCheckBox>(LimitBox)->isChecked());
    EXPECT_TRUE(enabled(LimitPercent));
    EXPECT_EQ(get<QCheckBox>(LimitBox)->text(),
              "蓄电池欠压后进行电流限制\n（欠压恢复后则转入正常）");
    clickBox(LimitBox);
    EXPECT_FALSE(enabled(LimitPercent));
    clickMode(Mode2);
    EXPECT_FALSE(enabled(LimitPercent));
    apply();
    EXPECT_EQ(parameters.values.at(Slot::UnderVoltageLimitEnabled), "0");
    EXPECT_EQ(parameters.values.at(Slot::UnderVoltageLimitPercent), "5000");
}

TEST_F(LedLoadDialogTest, ApplyChecksBoundsAndCollectsEveryField)
{
    parameters.values[Slot::Mode1Period2Percent] = "3333";
    open();
    EXPECT_EQ(get<QLineEdit>(RatedCurrent)->text(), "2.00");
    type(RatedCurrent, "1.5");
    clickMode(LightMode);
    type(LightOnVoltage, "34.01");
    apply();
    EXPECT_EQ(messages.texts(), QStringList({"3401", "光控启动电压不在范围内！"}));
    EXPECT_EQ(parameters.values.at(Slot::LedRatedCurrent), "200");

    messages.clear();
    type(LightOnVoltage, "34");
    type(LightOnDelay, "");
    type(LightOffDelay, "100");
    apply();
    EXPECT_EQ(messages.texts(), QStringList({"光控关闭延时不在范围内！(0~99)"}));
    messages.clear();
    type(LightOffDelay, "99");
    clickMode(Mode1);
    get<QTimeEdit>(Mode1Period3)->setTime(QTime(1, 30));
    clickMode(Mode2);
    get<QTimeEdit>(NightLength)->setTime(QTime(12, 0));
    clickMode(ManualOff); // everything above is disabled now
    apply();
    ASSERT_TRUE(messages.entries.isEmpty());
    const QStringList &v = parameters.values;
    EXPECT_EQ(v.at(Slot::LoadControlMode), "0");
    EXPECT_EQ(v.at(Slot::ManualDefaultOn), "0");
    EXPECT_EQ(v.at(Slot::LightOnVoltage), "3400");
    EXPECT_EQ(v.at(Slot::LightOnDelay), "");
    EXPECT_EQ(v.at(Slot::LightOffDelay), "99");
    EXPECT_EQ(v.at(Slot::LedRatedCurrent), "150");
    EXPECT_EQ(v.at(Slot::Mode1Period3), "286");
    EXPECT_EQ(v.at(Slot::NightLength), "3072");
    EXPECT_EQ(v.at(Slot::Mode1Period2Percent), "3300");
    EXPECT_EQ(v.at(Slot::Mode2Period3), "512");
    EXPECT_EQ(v.at(Slot::TimerOff2Hour), "18");

    // Mode 1 and 2 store their own codes.
    clickMode(Mode1);
    apply();
    EXPECT_EQ(v.at(Slot::LoadControlMode), "4");
    clickMode(Mode2);
    apply();
    EXPECT_EQ(v.at(Slot::LoadControlMode), "2");
}

TEST_F(LedLoadDialogTest, EnterAsksAndAppliesWhatWasChosen)
{
    open();
    clickMode(Mode1);
    clickArrow(Mode1Period1Percent, false);
    messages.answers = {MessageService::Answer::Accept};
    QTest::keyClick(get<QLineEdit>(RatedCurrent), Qt::Key_Return);
    EXPECT_EQ(messages.texts(), QStringList{"参数已修改，是否应用？"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(parameters.values.at(Slot::LoadControlMode), "4");
    EXPECT_EQ(parameters.values.at(Slot::Mode1Period1Percent), "9500");
}

TEST_F(LedLoadDialogTest, PictureFollowsTheSchedule)
{
    open();
    clickMode(Mode2);
    get<QTimeEdit>(Mode2Period1)->setTime(QTime(1, 30));
    clickArrow(Mode2Period3Percent, false);
    get<QTimeEdit>(NightLength)->setTime(QTime(12, 0));
    const Load::ModeSchedule s = picture()->schedule();
    EXPECT_EQ(s.mode, 2);
    EXPECT_EQ(s.periodMinutes, (std::array<int, 3>{90, 120, 120}));
    EXPECT_EQ(s.levels, (std::array<int, 3>{100, 100, 95}));
    EXPECT_EQ(s.nightMinutes, 720);

    // The drawn corners: period 2 ends 210 of 720 minutes after dusk, period 3 starts at 600.
    const QRectF plot = picture()->plotRect();
    const Load::ModeDiagram d = picture()->diagram();
    EXPECT_NEAR(d.stepLines.at(0).at(4).x(), plot.left() + plot.width() * 210 / 720, 1e-9);
    EXPECT_NEAR(d.stepLines.at(1).at(1).x(), plot.left() + plot.width() * 600 / 720, 1e-9);

    clickMode(Mode1);
    EXPECT_EQ(picture()->schedule().mode, 1);
    EXPECT_EQ(picture()->accessibleDescription(), "光控+定时模式1");
}

TEST(FormTeardown, AHalfTypedTimeReachesNoFormThatIsGoing)
{
    // A shown form destroyed with a half-typed time: hiding its children commits the time, and
    // the LED form, with its mode picture shown, would redraw it from members already gone.
    ParameterSet parameters;
    parameters.values[Slot::LoadControlMode] = "2";
    MessageRecorder messages;
    ProgrammerLink link(messages);
    const std::pair<std::function<QDialog *()>, const char *> forms[] = {
        {[&] { return new LedLoadDialog(parameters, messages); }, "模式2定时时间段1"},
        {[&] { return new GeneralLoadDialog(parameters, messages); }, "定时开关时段1"},
        {[&] { return new ClockDialog(link, messages); }, "时间"},
    };
    for (const auto &[make, pickerName] : forms) {
        std::unique_ptr<QDialog> form(make());
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        for (QTimeEdit *picker : form->findChildren<QTimeEdit *>()) {
            if (picker->accessibleName() == QString::fromUtf8(pickerName)) {
                picker->setFocus();
                QTest::keyClick(picker, Qt::Key_1);
            }
        }
        form.reset();
    }
    EXPECT_TRUE(messages.entries.isEmpty());
}

TEST(FormButtons, StandInTheSameOrderInEveryForm)
{
    ParameterSet parameters;
    MessageRecorder messages;
    const std::pair<std::function<QDialog *()>, QStringList> forms[] = {
        {[&] { return new BatteryParameterDialog(parameters, messages); },
         {"确认", "应用", "恢复默认", "取消"}},
        {[&] { return new GeneralLoadDialog(parameters, messages); }, {"确认", "应用", "取消"}},
        {[&] { return new LedLoadDialog(parameters, messages); }, {"确认", "应用", "取消"}},
    };
    for (const auto &[make, order] : forms) {
        std::unique_ptr<QDialog> form(make());
        form->show();
        QList<QPushButton *> buttons = form->findChildren<QPushButton *>();
        std::sort(buttons.begin(), buttons.end(), [&](QPushButton *a, QPushButton *b) {
            return a->mapTo(form.get(), QPoint()).x() < b->mapTo(form.get(), QPoint()).x();
        });
        QStringList captions;
        for (QPushButton *button : buttons)
            captions.append(button->text());
        EXPECT_EQ(captions, order) << form->windowTitle().toStdString();
    }
}
