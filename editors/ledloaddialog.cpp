#include "editors/ledloaddialog.h"

#include "editors/digitsonly.h"
#include "editors/loadconversions.h"
#include "editors/loadrules.h"
#include "editors/percentspinbox.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "ui_ledloaddialog.h"

#include <QLocale>

using namespace LedLoadId;

namespace {

// The controls the enabling of each mode switches, labels with their controls. The mode
// buttons, the rated current, the limiting box with its level and the arrows stay outside.
constexpr int kManual[] = {ManualPercentLabel, ManualPercent};
constexpr int kTimer1[] = {TimerOn1Label, TimerOn1,      TimerOff1Label,
                           TimerOff1,     Timer1Percent, Timer2Box};
constexpr int kTimer2[] = {TimerOn2Label, TimerOn2, TimerOff2Label, TimerOff2, Timer2Percent};
constexpr int kLight[] = {LightOnVoltageLabel,  LightOnVoltage,  LightOnDelayLabel,  LightOnDelay,
                          LightOffVoltageLabel, LightOffVoltage, LightOffDelayLabel, LightOffDelay};
constexpr int kMode1[] = {Mode1Period1Label, Mode1Period1, Mode1Period1Percent,
                          Mode1Period2Label, Mode1Period2, Mode1Period2Percent,
                          Mode1Period3Label, Mode1Period3, Mode1Period3Percent};
constexpr int kMode2[] = {Mode2Period1Label, Mode2Period1, Mode2Period1Percent,
                          Mode2Period2Label, Mode2Period2, Mode2Period2Percent,
                          Mode2Period3Label, Mode2Period3, Mode2Period3Percent,
                          NightLengthLabel,  NightLength};

const QString kLimitOn = QStringLiteral("65535");

int Minutes(const QTime &time)
{
    return time.hour() * 60 + time.minute();
}

} // namespace

LedLoadDialog::LedLoadDialog(ParameterSet &parameters, MessageService &messages, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LedLoadDialog>()), m_parameters(parameters),
      m_messages(messages)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    const std::pair<int, QWidget *> controls[] = {
        {Ok, m_ui->okButton},
        {Cancel, m_ui->cancelButton},
        {Apply, m_ui->applyButton},
        {RatedCurrent, m_ui->ratedCurrentEdit},
        {ManualOn, m_ui->manualOnRadio},
        {ManualOff, m_ui->manualOffRadio},
        {ManualPercentLabel, m_ui->manualPercentLabel},
        {ManualPercent, m_ui->manualPercent},
        {ManualPercentArrows, m_ui->manualPercent},
        {TimerMode, m_ui->timerRadio},
        {TimerOn1Label, m_ui->timerOn1Label},
        {TimerOn1, m_ui->timerOn1Edit},
        {TimerOff1Label, m_ui->timerOff1Label},
        {TimerOff1, m_ui->timerOff1Edit},
        {Timer1Percent, m_ui->timer1Percent},
        {Timer1PercentArrows, m_ui->timer1Percent},
        {Timer2Box, m_ui->timer2Box},
        {TimerOn2Label, m_ui->timerOn2Label},
        {TimerOn2, m_ui->timerOn2Edit},
        {TimerOff2Label, m_ui->timerOff2Label},
        {TimerOff2, m_ui->timerOff2Edit},
        {Timer2Percent, m_ui->timer2Percent},
        {Timer2PercentArrows, m_ui->timer2Percent},
        {LightMode, m_ui->lightRadio},
        {LightOnVoltageLabel, m_ui->lightOnVoltageLabel},
        {LightOnVoltage, m_ui->lightOnVoltageEdit},
        {LightOnDelayLabel, m_ui->lightOnDelayLabel},
        {LightOnDelay, m_ui->lightOnDelayEdit},
        {LightOffVoltageLabel, m_ui->lightOffVoltageLabel},
        {LightOffVoltage, m_ui->lightOffVoltageEdit},
        {LightOffDelayLabel, m_ui->lightOffDelayLabel},
        {LightOffDelay, m_ui->lightOffDelayEdit},
        {Mode1, m_ui->mode1Radio},
        {Mode1Period1Label, m_ui->mode1Period1Label},
        {Mode1Period1, m_ui->mode1Period1Edit},
        {Mode1Period1Percent, m_ui->mode1Period1Percent},
        {Mode1Period1Arrows, m_ui->mode1Period1Percent},
        {Mode1Period2Label, m_ui->mode1Period2Label},
        {Mode1Period2, m_ui->mode1Period2Edit},
        {Mode1Period2Percent, m_ui->mode1Period2Percent},
        {Mode1Period2Arrows, m_ui->mode1Period2Percent},
        {Mode1Period3Label, m_ui->mode1Period3Label},
        {Mode1Period3, m_ui->mode1Period3Edit},
        {Mode1Period3Percent, m_ui->mode1Period3Percent},
        {Mode1Period3Arrows, m_ui->mode1Period3Percent},
        {Mode2, m_ui->mode2Radio},
        {Mode2Period1Label, m_ui->mode2Period1Label},
        {Mode2Period1, m_ui->mode2Period1Edit},
        {Mode2Period1Percent, m_ui->mode2Period1Percent},
        {Mode2Period1Arrows, m_ui->mode2Period1Percent},
        {Mode2Period2Label, m_ui->mode2Period2Label},
        {Mode2Period2, m_ui->mode2Period2Edit},
        {Mode2Period2Percent, m_ui->mode2Period2Percent},
        {Mode2Period2Arrows, m_ui->mode2Period2Percent},
        {Mode2Period3Label, m_ui->mode2Period3Label},
        {Mode2Period3, m_ui->mode2Period3Edit},
        {Mode2Period3Percent, m_ui->mode2Period3Percent},
        {Mode2Period3Arrows, m_ui->mode2Period3Percent},
        {NightLengthLabel, m_ui->nightLengthLabel},
        {NightLength, m_ui->nightLengthEdit},
        {LimitBox, m_ui->limitBox},
        {LimitPercent, m_ui->limitPercent},
        {LimitPercentArrows, m_ui->limitPercent},
        {ModePictureBox, m_ui->modePicture},
    };
    for (const auto &[id, widget] : controls)
        m_controls.insert(id, widget);
    for (int id : {ManualOn, ManualOff, TimerMode, LightMode, Mode1, Mode2})
        m_ui->modeGroup->setId(qobject_cast<QAbstractButton *>(control(id)), id);

    const std::pair<PercentSpinBox *, QLabel *> signs[] = {
        {m_ui->manualPercent, m_ui->manualPercentSign},
        {m_ui->timer1Percent, m_ui->timer1PercentSign},
        {m_ui->timer2Percent, m_ui->timer2PercentSign},
        {m_ui->mode1Period1Percent, m_ui->mode1Period1PercentSign},
        {m_ui->mode1Period2Percent, m_ui->mode1Period2PercentSign},
        {m_ui->mode1Period3Percent, m_ui->mode1Period3PercentSign},
        {m_ui->mode2Period1Percent, m_ui->mode2Period1PercentSign},
        {m_ui->mode2Period2Percent, m_ui->mode2Period2PercentSign},
        {m_ui->mode2Period3Percent, m_ui->mode2Period3PercentSign},
        {m_ui->limitPercent, m_ui->limitPercentSign},
    };
    for (const auto &[percent, sign] : signs)
        m_percentSigns.insert(percent, sign);

    // Accessible names: captions and label texts, the role where a control has no caption.
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        if (!button->text().isEmpty())
            button->setAccessibleName(button->text());
    }
    for (QGroupBox *frame : findChildren<QGroupBox *>())
        frame->setAccessibleName(frame->title());
    for (QLabel *label : findChildren<QLabel *>()) {
        label->setAccessibleName(label->text());
        if (label->buddy())
            label->buddy()->setAccessibleName(label->text());
    }
    m_ui->lightOnDelayEdit->setAccessibleName(Text::LightOnDelayName());
    m_ui->lightOffDelayEdit->setAccessibleName(Text::LightOffDelayName());
    m_ui->timer2Box->setAccessibleName(Text::SecondTimerBoxName());
    m_ui->manualPercent->setAccessibleName(Text::ManualPercentName());
    m_ui->timer1Percent->setAccessibleName(Text::TimerPercentName(1));
    m_ui->timer2Percent->setAccessibleName(Text::TimerPercentName(2));
    m_ui->limitPercent->setAccessibleName(Text::LimitPercentName());
    QTimeEdit *modePeriods[2][3] = {
        {m_ui->mode1Period1Edit, m_ui->mode1Period2Edit, m_ui->mode1Period3Edit},
        {m_ui->mode2Period1Edit, m_ui->mode2Period2Edit, m_ui->mode2Period3Edit}};
    PercentSpinBox *modePercents[2][3] = {
        {m_ui->mode1Period1Percent, m_ui->mode1Period2Percent, m_ui->mode1Period3Percent},
        {m_ui->mode2Period1Percent, m_ui->mode2Period2Percent, m_ui->mode2Period3Percent}};
    for (int mode = 1; mode <= 2; ++mode) {
        for (int period = 1; period <= 3; ++period) {
            modePeriods[mode - 1][period - 1]->setAccessibleName(
                Text::ModePeriodName(mode, period));
            modePercents[mode - 1][period - 1]->setAccessibleName(
                Text::ModePeriodPercentName(mode, period));
        }
    }

    // The pickers' formats are fixed in the layout; the C locale keeps the digits plain.
    for (QTimeEdit *picker : findChildren<QTimeEdit *>())
        picker->setLocale(QLocale::c());
    MakeDigitsOnly(m_ui->lightOnDelayEdit);
    MakeDigitsOnly(m_ui->lightOffDelayEdit);
    // The form keeps its size while the picture comes and goes.
    QSizePolicy pictureSize = m_ui->modePicture->sizePolicy();
    pictureSize.setRetainSizeWhenHidden(true);
    m_ui->modePicture->setSizePolicy(pictureSize);

    OnInitDialog();

    connect(m_ui->modeGroup, &QButtonGroup::idClicked, this, &LedLoadDialog::OnModeClicked);
    connect(m_ui->timer2Box, &QCheckBox::clicked, this, &LedLoadDialog::OnTimer2Clicked);
    connect(m_ui->limitBox, &QCheckBox::clicked, this, &LedLoadDialog::OnLimitClicked);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &LedLoadDialog::OnApply);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The picture follows every change of the schedule it shows.
    for (const auto &row : modePeriods) {
        for (QTimeEdit *picker : row)
            connect(picker, &QTimeEdit::timeChanged, this, &LedLoadDialog::refreshPicture);
    }
    connect(m_ui->nightLengthEdit, &QTimeEdit::timeChanged, this, &LedLoadDialog::refreshPicture);
    for (const auto &row : modePercents) {
        for (PercentSpinBox *percent : row)
            connect(percent, &QSpinBox::valueChanged, this, &LedLoadDialog::refreshPicture);
    }
}

LedLoadDialog::~LedLoadDialog() = default;

QWidget *LedLoadDialog::control(int id) const
{
    return m_controls.value(id);
}

void LedLoadDialog::OnInitDialog()
{
    showPicture(Picture::None);

    const QStringList &v = m_parameters.values;
    m_ui->lightOnVoltageEdit->setText(Load::TwoDecimals(v.at(Slot::LightOnVoltage)));
    m_ui->lightOnDelayEdit->setText(v.at(Slot::LightOnDelay));
    m_ui->lightOffVoltageEdit->setText(Load::TwoDecimals(v.at(Slot::LightOffVoltage)));
    m_ui->lightOffDelayEdit->setText(v.at(Slot::LightOffDelay));

    m_ui->timer2Box->setChecked(v.at(Slot::Timer2Enabled) == u"1");

    // A code outside the list selects no mode and changes nothing else.
    const QString mode = v.at(Slot::LoadControlMode);
    int modeId = 0;
    if (mode == u"0")
        modeId = v.at(Slot::ManualDefaultOn) == u"1" ? ManualOn : ManualOff;
    else if (mode == u"1")
        modeId = LightMode;
    else if (mode == u"2")
        modeId = Mode2;
    else if (mode == u"3")
        modeId = TimerMode;
    else if (mode == u"4")
        modeId = Mode1;
    if (modeId != 0) {
        m_ui->modeGroup->button(modeId)->setChecked(true);
        OnModeClicked(modeId);
        // Only under timer control does the second pair follow its box when the form opens.
        if (modeId == TimerMode)
            OnTimer2Clicked(m_ui->timer2Box->isChecked());
    }

    m_ui->limitBox->setChecked(v.at(Slot::UnderVoltageLimitEnabled) == kLimitOn);
    OnLimitClicked(m_ui->limitBox->isChecked());

    m_ui->mode2Period1Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode2Period1)));
    m_ui->mode2Period2Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode2Period2)));
    m_ui->mode2Period3Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode2Period3)));
    m_ui->nightLengthEdit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::NightLength)));
    m_ui->timerOn1Edit->setTime(Load::TimeOfDay(v, Load::kTimerOn1));
    m_ui->timerOff1Edit->setTime(Load::TimeOfDay(v, Load::kTimerOff1));
    m_ui->timerOn2Edit->setTime(Load::TimeOfDay(v, Load::kTimerOn2));
    m_ui->timerOff2Edit->setTime(Load::TimeOfDay(v, Load::kTimerOff2));

    m_ui->mode2Period1Percent->setValue(Load::ShownPercent(v.at(Slot::Mode2Period1Percent)));
    m_ui->mode2Period2Percent->setValue(Load::ShownPercent(v.at(Slot::Mode2Period2Percent)));
    m_ui->mode2Period3Percent->setValue(Load::ShownPercent(v.at(Slot::Mode2Period3Percent)));
    m_ui->limitPercent->setValue(Load::ShownPercent(v.at(Slot::UnderVoltageLimitPercent)));
    m_ui->manualPercent->setValue(Load::ShownPercent(v.at(Slot::ManualOnPercent)));
    m_ui->mode1Period1Percent->setValue(Load::ShownPercent(v.at(Slot::Mode1Period1Percent)));
    m_ui->mode1Period2Percent->setValue(Load::ShownPercent(v.at(Slot::Mode1Period2Percent)));
    m_ui->mode1Period3Percent->setValue(Load::ShownPercent(v.at(Slot::Mode1Period3Percent)));
    m_ui->timer1Percent->setValue(Load::ShownPercent(v.at(Slot::Timer1Percent)));
    m_ui->timer2Percent->setValue(Load::ShownPercent(v.at(Slot::Timer2Percent)));
    m_ui->ratedCurrentEdit->setText(Load::TwoDecimals(v.at(Slot::LedRatedCurrent)));

    m_ui->mode1Period1Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode1Period1)));
    m_ui->mode1Period2Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode1Period2)));
    m_ui->mode1Period3Edit->setTime(Load::TimeFromHourMinuteCode(v.at(Slot::Mode1Period3)));

    refreshPicture();
}

void LedLoadDialog::OnModeClicked(int modeId)
{
    applyModeEnabling(modeId);
    showPicture(modeId == Mode1   ? Picture::Mode1
                : modeId == Mode2 ? Picture::Mode2
                                  : Picture::None);
}

void LedLoadDialog::applyModeEnabling(int modeId)
{
    const bool manual = modeId == ManualOn || modeId == ManualOff;
    setControlsEnabled(kManual, manual);
    setControlsEnabled(kTimer1, modeId == TimerMode);
    setControlsEnabled(kTimer2, false);
    setControlsEnabled(kLight, modeId == LightMode || modeId == Mode1 || modeId == Mode2);
    setControlsEnabled(kMode1, modeId == Mode1);
    setControlsEnabled(kMode2, modeId == Mode2);
}

void LedLoadDialog::OnTimer2Clicked(bool checked)
{
    // As timer control, with the second pair and its level on while the box is checked. The
    // picture stays as it is.
    applyModeEnabling(TimerMode);
    setControlsEnabled(kTimer2, checked);
}

void LedLoadDialog::OnLimitClicked(bool checked)
{
    const int limit[] = {LimitPercent};
    setControlsEnabled(limit, checked);
}

void LedLoadDialog::Collect(QStringList &values) const
{
    values[Slot::LightOnVoltage] = Load::Hundredths(m_ui->lightOnVoltageEdit->text());
    values[Slot::LightOnDelay] = m_ui->lightOnDelayEdit->text();
    values[Slot::LightOffVoltage] = Load::Hundredths(m_ui->lightOffVoltageEdit->text());
    values[Slot::LightOffDelay] = m_ui->lightOffDelayEdit->text();

    // Mode code and manual state; with no mode selected both keep their text.
    const std::pair<QAbstractButton *, std::pair<const char *, const char *>> modes[] = {
        {m_ui->manualOnRadio, {"0", "1"}}, {m_ui->manualOffRadio, {"0", "0"}},
        {m_ui->lightRadio, {"1", "0"}},    {m_ui->mode2Radio, {"2", "0"}},
        {m_ui->timerRadio, {"3", "0"}},    {m_ui->mode1Radio, {"4", "0"}},
    };
    for (const auto &[button, codes] : modes) {
        if (button->isChecked()) {
            values[Slot::LoadControlMode] = QString::fromLatin1(codes.first);
            values[Slot::ManualDefaultOn] = QString::fromLatin1(codes.second);
        }
    }
    values[Slot::Timer2Enabled] =
        m_ui->timer2Box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    values[Slot::UnderVoltageLimitEnabled] =
        m_ui->limitBox->isChecked() ? kLimitOn : QStringLiteral("0");

    values[Slot::Mode2Period1] = Load::HourMinuteCodeText(m_ui->mode2Period1Edit->time());
    values[Slot::Mode2Period2] = Load::HourMinuteCodeText(m_ui->mode2Period2Edit->time());
    values[Slot::Mode2Period3] = Load::HourMinuteCodeText(m_ui->mode2Period3Edit->time());
    values[Slot::NightLength] = Load::HourMinuteCodeText(m_ui->nightLengthEdit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOn1, m_ui->timerOn1Edit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOff1, m_ui->timerOff1Edit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOn2, m_ui->timerOn2Edit->time());
    Load::StoreTimeOfDay(values, Load::kTimerOff2, m_ui->timerOff2Edit->time());

    const std::pair<int, const PercentSpinBox *> percents[] = {
        {Slot::Mode2Period1Percent, m_ui->mode2Period1Percent},
        {Slot::Mode2Period2Percent, m_ui->mode2Period2Percent},
        {Slot::Mode2Period3Percent, m_ui->mode2Period3Percent},
        {Slot::UnderVoltageLimitPercent, m_ui->limitPercent},
        {Slot::ManualOnPercent, m_ui->manualPercent},
        {Slot::Mode1Period1Percent, m_ui->mode1Period1Percent},
        {Slot::Mode1Period2Percent, m_ui->mode1Period2Percent},
        {Slot::Mode1Period3Percent, m_ui->mode1Period3Percent},
        {Slot::Timer1Percent, m_ui->timer1Percent},
        {Slot::Timer2Percent, m_ui->timer2Percent},
    };
    for (const auto &[slot, percent] : percents)
        values[slot] = Load::StoredPercent(percent->value());
    values[Slot::LedRatedCurrent] = Load::Hundredths(m_ui->ratedCurrentEdit->text());

    values[Slot::Mode1Period1] = Load::HourMinuteCodeText(m_ui->mode1Period1Edit->time());
    values[Slot::Mode1Period2] = Load::HourMinuteCodeText(m_ui->mode1Period2Edit->time());
    values[Slot::Mode1Period3] = Load::HourMinuteCodeText(m_ui->mode1Period3Edit->time());
}

void LedLoadDialog::OnApply()
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

void LedLoadDialog::setControlsEnabled(std::span<const int> ids, bool enabled)
{
    for (int id : ids) {
        QWidget *widget = control(id);
        widget->setEnabled(enabled);
        if (QLabel *sign = m_percentSigns.value(widget))
            sign->setEnabled(enabled);
    }
}

void LedLoadDialog::showPicture(Picture picture)
{
    m_picture = picture;
    m_ui->modePicture->setVisible(picture != Picture::None);
    refreshPicture();
}

void LedLoadDialog::refreshPicture()
{
    if (m_picture != Picture::None)
        m_ui->modePicture->setSchedule(schedule(m_picture));
}

Load::ModeSchedule LedLoadDialog::schedule(Picture picture) const
{
    Load::ModeSchedule s;
    s.nightMinutes = Minutes(m_ui->nightLengthEdit->time());
    if (picture == Picture::Mode2) {
        s.mode = 2;
        s.periodMinutes = {Minutes(m_ui->mode2Period1Edit->time()),
                           Minutes(m_ui->mode2Period2Edit->time()),
                           Minutes(m_ui->mode2Period3Edit->time())};
        s.levels = {m_ui->mode2Period1Percent->value(), m_ui->mode2Period2Percent->value(),
                    m_ui->mode2Period3Percent->value()};
    } else {
        s.mode = 1;
        s.periodMinutes = {Minutes(m_ui->mode1Period1Edit->time()),
                           Minutes(m_ui->mode1Period2Edit->time()),
                           Minutes(m_ui->mode1Period3Edit->time())};
        s.levels = {m_ui->mode1Period1Percent->value(), m_ui->mode1Period2Percent->value(),
                    m_ui->mode1Period3Percent->value()};
    }
    return s;
}
