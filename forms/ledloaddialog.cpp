#include "forms/ledloaddialog.h"

#include "forms/percentspinbox.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "rules/loadconversions.h"
#include "ui_ledloaddialog.h"

namespace {

// The form's own numbers for its mode buttons (their ids in the button group), and the codes
// each stores.
enum Mode : int
{
    ManualOn = 1,
    ManualOff,
    LightMode,
    Mode2,
    TimerMode,
    Mode1,
};
constexpr Load::ModeCode kModes[] = {
    {ManualOn, "0", "1"}, {ManualOff, "0", "0"}, {LightMode, "1", "0"},
    {Mode2, "2", "0"},    {TimerMode, "3", "0"}, {Mode1, "4", "0"},
};

const QString kLimitOn = QStringLiteral("65535");

int minutes(const QTime &time)
{
    return time.hour() * 60 + time.minute();
}

} // namespace

LedLoadDialog::LedLoadDialog(ParameterSet &parameters, MessageService &messages, QWidget *parent)
    : FormDialog(parameters, messages, parent), m_ui(std::make_unique<Ui::LedLoadDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    // What each mode enables, labels with their controls and a level with its "%". The mode
    // buttons, the rated current, the limiting box with its level and the arrows stay outside.
    const Ui::LedLoadDialog &ui = *m_ui;
    m_manual = {ui.manualPercentLabel, ui.manualPercent, ui.manualPercentSign};
    m_timer1 = {ui.timerOn1Label, ui.timerOn1Edit,      ui.timerOff1Label, ui.timerOff1Edit,
                ui.timer1Percent, ui.timer1PercentSign, ui.timer2Box};
    m_timer2 = {ui.timerOn2Label, ui.timerOn2Edit,  ui.timerOff2Label,
                ui.timerOff2Edit, ui.timer2Percent, ui.timer2PercentSign};
    m_lightControls = {ui.lightOnVoltageLabel, ui.lightOnVoltageEdit,   ui.lightOnDelayLabel,
                       ui.lightOnDelayEdit,    ui.lightOffVoltageLabel, ui.lightOffVoltageEdit,
                       ui.lightOffDelayLabel,  ui.lightOffDelayEdit};
    m_mode1 = {ui.mode1Period1Label,       ui.mode1Period1Edit,        ui.mode1Period1Percent,
               ui.mode1Period1PercentSign, ui.mode1Period2Label,       ui.mode1Period2Edit,
               ui.mode1Period2Percent,     ui.mode1Period2PercentSign, ui.mode1Period3Label,
               ui.mode1Period3Edit,        ui.mode1Period3Percent,     ui.mode1Period3PercentSign};
    m_mode2 = {ui.mode2Period1Label,       ui.mode2Period1Edit,        ui.mode2Period1Percent,
               ui.mode2Period1PercentSign, ui.mode2Period2Label,       ui.mode2Period2Edit,
               ui.mode2Period2Percent,     ui.mode2Period2PercentSign, ui.mode2Period3Label,
               ui.mode2Period3Edit,        ui.mode2Period3Percent,     ui.mode2Period3PercentSign,
               ui.nightLengthLabel,        ui.nightLengthEdit};
    m_limit = {ui.limitPercent, ui.limitPercentSign};

    m_modes = {m_ui->modeGroup, kModes};
    m_modes.setUp({ui.manualOnRadio, ui.manualOffRadio, ui.lightRadio, ui.mode2Radio, ui.timerRadio,
                   ui.mode1Radio});
    m_light = {m_ui->lightOnVoltageEdit, m_ui->lightOnDelayEdit, m_ui->lightOffVoltageEdit,
               m_ui->lightOffDelayEdit};
    m_timers = {m_ui->timerOn1Edit, m_ui->timerOff1Edit, m_ui->timerOn2Edit, m_ui->timerOff2Edit,
                m_ui->timer2Box};
    m_durations = {{
        {Slot::Mode2Period1, m_ui->mode2Period1Edit},
        {Slot::Mode2Period2, m_ui->mode2Period2Edit},
        {Slot::Mode2Period3, m_ui->mode2Period3Edit},
        {Slot::NightLength, m_ui->nightLengthEdit},
        {Slot::Mode1Period1, m_ui->mode1Period1Edit},
        {Slot::Mode1Period2, m_ui->mode1Period2Edit},
        {Slot::Mode1Period3, m_ui->mode1Period3Edit},
    }};
    m_percents = {{
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
    }};

    // Accessible names: captions and label texts, the role where a control has no caption.
    LoadForm::nameAfterCaptions(this);
    m_light.setUp();
    m_timers.setUp();
    m_ui->manualPercent->setAccessibleName(Text::manualPercentName());
    m_ui->timer1Percent->setAccessibleName(Text::timerPercentName(1));
    m_ui->timer2Percent->setAccessibleName(Text::timerPercentName(2));
    m_ui->limitPercent->setAccessibleName(Text::limitPercentName());
    LoadForm::describeDurations(m_durations);
    for (const auto &[slot, percent] : m_percents)
        describeField(percent, Text::percentToolTip());
    describeField(m_ui->ratedCurrentEdit, Text::ratedCurrentToolTip());
    m_modePeriods = {{
        {m_ui->mode1Period1Edit, m_ui->mode1Period2Edit, m_ui->mode1Period3Edit},
        {m_ui->mode2Period1Edit, m_ui->mode2Period2Edit, m_ui->mode2Period3Edit},
    }};
    m_modePercents = {{
        {m_ui->mode1Period1Percent, m_ui->mode1Period2Percent, m_ui->mode1Period3Percent},
        {m_ui->mode2Period1Percent, m_ui->mode2Period2Percent, m_ui->mode2Period3Percent},
    }};
    for (int mode = 1; mode <= 2; ++mode) {
        for (int period = 1; period <= 3; ++period) {
            m_modePeriods[mode - 1][period - 1]->setAccessibleName(
                Text::modePeriodName(mode, period));
            m_modePercents[mode - 1][period - 1]->setAccessibleName(
                Text::modePeriodPercentName(mode, period));
        }
    }

    // The form keeps its size while the picture comes and goes.
    QSizePolicy pictureSize = m_ui->modePicture->sizePolicy();
    pictureSize.setRetainSizeWhenHidden(true);
    m_ui->modePicture->setSizePolicy(pictureSize);

    onInitDialog();

    connect(m_ui->modeGroup, &QButtonGroup::idClicked, this, &LedLoadDialog::onModeClicked);
    connect(m_ui->timer2Box, &QCheckBox::clicked, this, &LedLoadDialog::onTimer2Clicked);
    connect(m_ui->limitBox, &QCheckBox::clicked, this, &LedLoadDialog::onLimitClicked);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &FormDialog::apply);
    connect(m_ui->okButton, &QPushButton::clicked, this, &FormDialog::confirm);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &FormDialog::cancel);
    // The picture follows every change of the schedule it shows.
    for (const auto &row : m_modePeriods) {
        for (QTimeEdit *picker : row)
            connect(picker, &QTimeEdit::timeChanged, this, &LedLoadDialog::refreshPicture);
    }
    connect(m_ui->nightLengthEdit, &QTimeEdit::timeChanged, this, &LedLoadDialog::refreshPicture);
    for (const auto &row : m_modePercents) {
        for (PercentSpinBox *percent : row)
            connect(percent, &QSpinBox::valueChanged, this, &LedLoadDialog::refreshPicture);
    }
    formLoaded();
}

LedLoadDialog::~LedLoadDialog() = default;

void LedLoadDialog::onInitDialog()
{
    showPicture(Picture::None);

    const QStringList &v = m_parameters.values;
    m_light.show(v);
    m_timers.show(v);

    // A code outside the list selects no mode and changes nothing else.
    if (const int modeId = m_modes.selectStored(v)) {
        onModeClicked(modeId);
        // Only under timer control does the second pair follow its box when the form opens.
        if (modeId == TimerMode)
            onTimer2Clicked(m_ui->timer2Box->isChecked());
    }

    m_ui->limitBox->setChecked(v.at(Slot::UnderVoltageLimitEnabled) == kLimitOn);
    onLimitClicked(m_ui->limitBox->isChecked());

    LoadForm::showDurations(m_durations, v);
    for (const auto &[slot, percent] : m_percents)
        percent->setValue(Load::shownPercent(v.at(slot)));
    m_ui->ratedCurrentEdit->setText(Load::twoDecimals(v.at(Slot::LedRatedCurrent)));

    refreshPicture();
}

void LedLoadDialog::onModeClicked(int modeId)
{
    applyModeEnabling(modeId);
    showPicture(modeId == Mode1   ? Picture::Mode1
                : modeId == Mode2 ? Picture::Mode2
                                  : Picture::None);
}

void LedLoadDialog::applyModeEnabling(int modeId)
{
    const bool manual = modeId == ManualOn || modeId == ManualOff;
    LoadForm::setEnabled(m_manual, manual);
    LoadForm::setEnabled(m_timer1, modeId == TimerMode);
    LoadForm::setEnabled(m_timer2, false);
    LoadForm::setEnabled(m_lightControls,
                         modeId == LightMode || modeId == Mode1 || modeId == Mode2);
    LoadForm::setEnabled(m_mode1, modeId == Mode1);
    LoadForm::setEnabled(m_mode2, modeId == Mode2);
}

void LedLoadDialog::onTimer2Clicked(bool checked)
{
    // As timer control, with the second pair and its level on while the box is checked. The
    // picture stays as it is.
    applyModeEnabling(TimerMode);
    LoadForm::setEnabled(m_timer2, checked);
}

void LedLoadDialog::onLimitClicked(bool checked)
{
    LoadForm::setEnabled(m_limit, checked);
}

void LedLoadDialog::collectForm(QStringList &values) const
{
    m_light.collect(values);
    m_modes.collect(values);
    m_timers.collect(values);
    values[Slot::UnderVoltageLimitEnabled] =
        m_ui->limitBox->isChecked() ? kLimitOn : QStringLiteral("0");
    LoadForm::collectDurations(m_durations, values);
    for (const auto &[slot, percent] : m_percents)
        values[slot] = Load::storedPercent(percent->value());
    values[Slot::LedRatedCurrent] = Load::hundredths(m_ui->ratedCurrentEdit->text());
}

bool LedLoadDialog::applyForm()
{
    return LoadForm::apply(m_modes, m_parameters.values, m_messages,
                           [this](QStringList &values) { collectForm(values); });
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
    s.mode = picture == Picture::Mode2 ? 2 : 1;
    for (int period = 0; period < 3; ++period) {
        s.periodMinutes[period] = minutes(m_modePeriods[s.mode - 1][period]->time());
        s.levels[period] = m_modePercents[s.mode - 1][period]->value();
    }
    s.nightMinutes = minutes(m_ui->nightLengthEdit->time());
    return s;
}
