#include "forms/loadform.h"

#include "forms/digitsonly.h"
#include "forms/formdialog.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "rules/loadrules.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimeEdit>

namespace LoadForm {

void nameAfterCaptions(QWidget *form)
{
    for (QAbstractButton *button : form->findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty())
            button->setAccessibleName(button->text());
    }
    for (QGroupBox *frame : form->findChildren<QGroupBox *>())
        frame->setAccessibleName(frame->title());
    for (QLabel *label : form->findChildren<QLabel *>()) {
        label->setAccessibleName(label->text());
        if (label->buddy())
            label->buddy()->setAccessibleName(label->text());
    }
    // The pickers' formats are fixed in the layouts.
    for (QTimeEdit *picker : form->findChildren<QTimeEdit *>())
        picker->setLocale(QLocale::c());
}

void setEnabled(const QList<QWidget *> &part, bool enabled)
{
    for (QWidget *widget : part)
        widget->setEnabled(enabled);
}

void LightControlEdits::setUp() const
{
    onDelay->setAccessibleName(Text::lightOnDelayName());
    offDelay->setAccessibleName(Text::lightOffDelayName());
    makeDigitsOnly(onDelay);
    makeDigitsOnly(offDelay);
    const QString volts =
        Text::rangeToolTip(QStringLiteral("0.00"), QStringLiteral("34.00"), QStringLiteral("V"));
    const QString minutes =
        Text::rangeToolTip(QStringLiteral("0"), QStringLiteral("99"), Text::minutes());
    describeField(onVoltage, volts);
    describeField(offVoltage, volts);
    describeField(onDelay, minutes);
    describeField(offDelay, minutes);
}

void LightControlEdits::show(const QStringList &values) const
{
    onVoltage->setText(Load::twoDecimals(values.at(Slot::LightOnVoltage)));
    onDelay->setText(values.at(Slot::LightOnDelay));
    offVoltage->setText(Load::twoDecimals(values.at(Slot::LightOffVoltage)));
    offDelay->setText(values.at(Slot::LightOffDelay));
}

void LightControlEdits::collect(QStringList &values) const
{
    values[Slot::LightOnVoltage] = Load::hundredths(onVoltage->text());
    values[Slot::LightOnDelay] = onDelay->text();
    values[Slot::LightOffVoltage] = Load::hundredths(offVoltage->text());
    values[Slot::LightOffDelay] = offDelay->text();
}

void TimerPickers::setUp() const
{
    secondPairBox->setAccessibleName(Text::secondTimerBoxName());
    for (QTimeEdit *picker : {on1, off1, on2, off2})
        describeField(picker, Text::timeOfDayToolTip());
}

void TimerPickers::show(const QStringList &values) const
{
    secondPairBox->setChecked(values.at(Slot::Timer2Enabled) == u"1");
    on1->setTime(Load::timeOfDay(values, Load::kTimerOn1));
    off1->setTime(Load::timeOfDay(values, Load::kTimerOff1));
    on2->setTime(Load::timeOfDay(values, Load::kTimerOn2));
    off2->setTime(Load::timeOfDay(values, Load::kTimerOff2));
}

void TimerPickers::collect(QStringList &values) const
{
    values[Slot::Timer2Enabled] =
        secondPairBox->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    Load::storeTimeOfDay(values, Load::kTimerOn1, on1->time());
    Load::storeTimeOfDay(values, Load::kTimerOff1, off1->time());
    Load::storeTimeOfDay(values, Load::kTimerOn2, on2->time());
    Load::storeTimeOfDay(values, Load::kTimerOff2, off2->time());
}

void describeDurations(std::span<const DurationPicker> pickers)
{
    for (const DurationPicker &duration : pickers)
        describeField(duration.picker, Text::durationToolTip());
}

void showDurations(std::span<const DurationPicker> pickers, const QStringList &values)
{
    for (const auto &[slot, picker] : pickers)
        picker->setTime(Load::timeFromHourMinuteCode(values.at(slot)));
}

void collectDurations(std::span<const DurationPicker> pickers, QStringList &values)
{
    for (const auto &[slot, picker] : pickers)
        values[slot] = Load::hourMinuteCodeText(picker->time());
}

void ModeButtons::setUp(std::initializer_list<QAbstractButton *> buttons) const
{
    auto code = codes.begin();
    for (QAbstractButton *button : buttons)
        group->setId(button, (code++)->button);
}

int ModeButtons::selectStored(const QStringList &values) const
{
    const int button =
        Load::modeButton(codes, values.at(Slot::LoadControlMode), values.at(Slot::ManualDefaultOn));
    if (button != 0)
        group->button(button)->setChecked(true);
    return button;
}

void ModeButtons::collect(QStringList &values) const
{
    Load::storeMode(codes, group->checkedId(), values);
}

bool ModeButtons::anySelected() const
{
    return group->checkedButton() != nullptr;
}

bool apply(const ModeButtons &modes, QStringList &values, MessageService &messages,
           const std::function<void(QStringList &)> &collect)
{
    if (!modes.anySelected()) {
        messages.warning(Text::chooseLoadMode());
        return false;
    }
    return Load::applyChecked(values, messages, collect);
}

} // namespace LoadForm
