#include "editors/generalloaddialog.h"

#include "editors/digitsonly.h"
#include "editors/loadconversions.h"
#include "editors/loadrules.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "ui_generalloaddialog.h"

#include <QLocale>

using namespace GeneralLoadId;

namespace {

// The controls each part of the enabling switches, labels with their controls.
constexpr int kTimer1[] = {TimerOn1Label, TimerOn1, TimerOff1Label, TimerOff1, Timer2Box};
constexpr int kTimer2[] = {TimerOn2Label, TimerOn2, TimerOff2Label, TimerOff2};
constexpr int kLight[] = {LightOnVoltageLabel,  LightOnVoltage,  LightOnDelayLabel,  LightOnDelay,
                          LightOffVoltageLabel, LightOffVoltage, LightOffDelayLabel, LightOffDelay};
constexpr int kPeriods[] = {Period1Label, Period1,          Period2Label,
                            Period2,      NightLengthLabel, NightLength};

} // namespace

GeneralLoadDialog::GeneralLoadDialog(ParameterSet &parameters, MessageService &messages,
                                     QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::GeneralLoadDialog>()), m_parameters(parameters),
      m_messages(messages)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    const std::pair<int, QWidget *> controls[] = {
        {Ok, m_ui->okButton},
        {Cancel, m_ui->cancelButton},
        {Apply, m_ui->applyButton},
        {ManualOn, m_ui->manualOnRadio},
        {ManualOff, m_ui->manualOffRadio},
        {TimerMode, m_ui->timerRadio},
        {LightMode, m_ui->lightRadio},
        {LightTimerMode, m_ui->lightTimerRadio},
        {TimerOn1Label, m_ui->timerOn1Label},
        {TimerOn1, m_ui->timerOn1Edit},
        {TimerOff1Label, m_ui->timerOff1Label},
        {TimerOff1, m_ui->timerOff1Edit},
        {Timer2Box, m_ui->timer2Box},
        {TimerOn2Label, m_ui->timerOn2Label},
        {TimerOn2, m_ui->timerOn2Edit},
        {TimerOff2Label, m_ui->timerOff2Label},
        {TimerOff2, m_ui->timerOff2Edit},
        {LightOnVoltageLabel, m_ui->lightOnVoltageLabel},
        {LightOnVoltage, m_ui->lightOnVoltageEdit},
        {LightOnDelayLabel, m_ui->lightOnDelayLabel},
        {LightOnDelay, m_ui->lightOnDelayEdit},
        {LightOffVoltageLabel, m_ui->lightOffVoltageLabel},
        {LightOffVoltage, m_ui->lightOffVoltageEdit},
        {LightOffDelayLabel, m_ui->lightOffDelayLabel},
        {LightOffDelay, m_ui->lightOffDelayEdit},
        {Period1Label, m_ui->period1Label},
        {Period1, m_ui->period1Edit},
        {Period2Label, m_ui->period2Label},
        {Period2, m_ui->period2Edit},
        {NightLengthLabel, m_ui->nightLengthLabel},
        {NightLength, m_ui->nightLengthEdit},
    };
    for (const auto &[id, widget] : controls)
        m_controls.insert(id, widget);
    for (int id : {ManualOn, ManualOff, TimerMode, LightMode, LightTimerMode})
        m_ui->modeGroup->setId(qobject_cast<QAbstractButton *>(control(id)), id);

    // Accessible names: captions and label texts, the role where a control has no caption.
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty())
            button->setAccessibleName(button->text());
    }
    for (QLabel *label : findChildren<QLabel *>()) {
        label->setAccessibleName(label->text());
        if (label->buddy())
            label->buddy()->setAccessibleName(label->text());
    }
    m_ui->lightOnDelayEdit->setAccessibleName(Text::LightOnDelayName());
    m_ui->lightOffDelayEdit->setAccessibleName(Text::LightOffDelayName());
    m_ui->timer2Box->setAccessibleName(Text::SecondTimerBoxName());

    // The pickers' formats are fixed in the layout; the C locale keeps the digits plain.
    for (QTimeEdit *picker : findChildren<QTimeEdit *>())
        picker->setLocale(QLocale::c());
    MakeDigitsOnly(m_ui->lightOnDelayEdit);
    MakeDigitsOnly(m_ui->lightOffDelayEdit);

    OnInitDialog();

    connect(m_ui->modeGroup, &QButtonGroup::idClicked, this, &GeneralLoadDialog::OnModeClicked);
    connect(m_ui->timer2Box, &QCheckBox::clicked, this, &GeneralLoadDialog::OnTimer2Clicked);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &GeneralLoadDialog::OnApply);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

GeneralLoadDialog::~GeneralLoadDialog() = default;

QWidget *GeneralLoadDialog::control(int id) const
{
    return m_controls.value(id);
}

void GeneralLoadDialog::OnInitDialog()
{
    const QStringList &v = m_parameters.values;
    m_ui->lightOnVoltageEdit->setText(Load::TwoDecimals(v.at(Slot::LightOnVoltage)));
    m_ui->lightOnDelayEdit->setText(v.at(Slot::LightOnDelay));
    m_ui->lightOffVoltageEdit->setText(Load::TwoDecimals(v.at(Slot::LightOffVoltage)));
    m_ui->lightOffDelayEdit->setText(v.at(Slot::LightOffDelay));

    // A code outside the list selects no mode and leaves the enabling as it is.
    const QString mode = v.at(Slot::LoadControlMode);
    int modeId = 0;
    if (mode == u"0")
        modeId = v.at(Slot::ManualDefaultOn) == u"1" ? ManualOn : ManualOff;
    else if (mode == u"1")
        modeId = LightMode;
    else if (mode == u"2")
        modeId = LightTimerMode;
    else if (mode == u"3")
        modeId = TimerMode;
    if (modeId != 0) {
        m_ui->modeGroup->button(modeId)->setChecked(true);
        OnModeClicked(modeId);
    }

    // After the mode: the second pair follows its box in every mode when the form opens.
    m_ui->timer2Box->setChecked(v.at(Slot::Timer2Enabled) == u"1");
    setControlsEnabled(kTimer2, m_ui->timer2Box->isChecked());

    m_ui->period1Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode2Period1)));
    m_ui->period2Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode2Period2)));
    m_ui->nightLengthEdit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::NightLength)));
    m_ui->timerOn1Edit->setTime(Load::TimeOfDay(v, Load::kTimerOn1));
    m_ui->timerOff1Edit->setTime(Load::TimeOfDay(v, Load::kTimerOff1));
    m_ui->timerOn2Edit->setTime(Load::TimeOfDay(v, Load::kTimerOn2));
    m_ui->timerOff2Edit->setTime(Load::TimeOfDay(v, Load::kTimerOff2));
}

void GeneralLoadDialog::OnModeClicked(int modeId)
{
    setControlsEnabled(kTimer1, modeId == TimerMode);
    setControlsEnabled(kTimer2, false);
    setControlsEnabled(kLight, modeId == LightMode || modeId == LightTimerMode);
    setControlsEnabled(kPeriods, modeId == LightTimerMode);
}

void GeneralLoadDialog::OnTimer2Clicked(bool checked)
{
    setControlsEnabled(kTimer2, checked);
}

void GeneralLoadDialog::Collect(QStringList &values) const
{
    values[Slot::LightOnVoltage] = Load::Hundredths(m_ui->lightOnVoltageEdit->text());
    values[Slot::LightOnDelay] = m_ui->lightOnDelayEdit->text();
    values[Slot::LightOffVoltage] = Load::Hundredths(m_ui->lightOffVoltageEdit->text());
    values[Slot::LightOffDelay] = m_ui->lightOffDelayEdit->text();

    // Mode code and manual state; with no mode selected both keep their text.
    const std::pair<QAbstractButton *, std::pair<const char *, const char *>> modes[] = {
        {m_ui->manualOnRadio, {"0", "1"}}, {m_ui->manualOffRadio, {"0", "0"}},
        {m_ui->lightRadio, {"1", "0"}},    {m_ui->lightTimerRadio, {"2", "0"}},
        {m_ui->timerRadio, {"3", "0"}},
    };
    for (const auto &[button, codes] : modes) {
        if (button->isChecked()) {
            values[Slot::LoadControlMode] = QString::fromLatin1(codes.first);
            values[Slot::ManualDefaultOn] = QString::fromLatin1(codes.second);
        }
    }
    values[Slot::Timer2Enabled] =
        m_ui->timer2Box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");

    values[Slot::Mode2Period1] = Load::HourMinuteCodeText(m_ui->period1Edit->time());
    values[Slot::Mode2Period2] = Load::HourMinuteCodeText(m_ui->period2Edit->time());
    values[Slot::NightLength] = Load::HourMinuteCodeText(m_ui->nightLengthEdit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOn1, m_ui->timerOn1Edit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOff1, m_ui->timerOff1Edit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOn2, m_ui->timerOn2Edit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOff2, m_ui->timerOff2Edit->time());
}

void GeneralLoadDialog::OnApply()
{
    // Checked on a scratch copy first, so a refusal stores nothing.
    QStringList scratch = m_parameters.values;
    Collect(scratch);
    if (const std::optional<Load::RangeFailure> failure = Load::CheckRanges(scratch)) {
        for (const QString &text : failure->boxes)
            m_messages.warning(text);
        return;
    }
    Collect(m_parameters.values);
}

void GeneralLoadDialog::setControlsEnabled(std::span<const int> ids, bool enabled)
{
    for (int id : ids)
        control(id)->setEnabled(enabled);
}
