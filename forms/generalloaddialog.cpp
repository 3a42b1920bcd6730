#include "forms/generalloaddialog.h"

#include "rules/loadconversions.h"
#include "model/parameterset.h"
#include "ui_generalloaddialog.h"

using namespace GeneralLoadId;

namespace {

// The controls each part of the enabling switches, labels with their controls.
constexpr int kTimer1[] = {TimerOn1Label, TimerOn1, TimerOff1Label, TimerOff1, Timer2Box};
constexpr int kTimer2[] = {TimerOn2Label, TimerOn2, TimerOff2Label, TimerOff2};
constexpr int kLight[] = {LightOnVoltageLabel,  LightOnVoltage,  LightOnDelayLabel,  LightOnDelay,
                          LightOffVoltageLabel, LightOffVoltage, LightOffDelayLabel, LightOffDelay};
constexpr int kPeriods[] = {Period1Label, Period1,          Period2Label,
                            Period2,      NightLengthLabel, NightLength};

// The mode buttons and the codes each stores.
constexpr Load::ModeCode kModes[] = {
    {ManualOn, "0", "1"},       {ManualOff, "0", "0"}, {LightMode, "1", "0"},
    {LightTimerMode, "2", "0"}, {TimerMode, "3", "0"},
};

} // namespace

GeneralLoadDialog::GeneralLoadDialog(ParameterSet &parameters, MessageService &messages,
                                     QWidget *parent)
    : FormDialog(parameters, messages, parent), m_ui(std::make_unique<Ui::GeneralLoadDialog>())
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
    m_controls.add(controls);
    m_modes = {m_ui->modeGroup, kModes};
    m_modes.setUp(m_controls);
    m_light = {m_ui->lightOnVoltageEdit, m_ui->lightOnDelayEdit, m_ui->lightOffVoltageEdit,
               m_ui->lightOffDelayEdit};
    m_timers = {m_ui->timerOn1Edit, m_ui->timerOff1Edit, m_ui->timerOn2Edit, m_ui->timerOff2Edit,
                m_ui->timer2Box};
    m_durations = {{{Slot::Mode2Period1, m_ui->period1Edit},
                    {Slot::Mode2Period2, m_ui->period2Edit},
                    {Slot::NightLength, m_ui->nightLengthEdit}}};

    // Accessible names: captions and label texts, the role where a control has no caption.
    LoadForm::NameAfterCaptions(this);
    m_light.setUp();
    m_timers.setUp();
    LoadForm::DescribeDurations(m_durations);

    OnInitDialog();

    connect(m_ui->modeGroup, &QButtonGroup::idClicked, this, &GeneralLoadDialog::OnModeClicked);
    connect(m_ui->timer2Box, &QCheckBox::clicked, this, &GeneralLoadDialog::OnTimer2Clicked);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &FormDialog::apply);
    connect(m_ui->okButton, &QPushButton::clicked, this, &FormDialog::confirm);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &FormDialog::cancel);
    formLoaded();
}

GeneralLoadDialog::~GeneralLoadDialog() = default;

QWidget *GeneralLoadDialog::control(int id) const
{
    return m_controls.find(id);
}

void GeneralLoadDialog::OnInitDialog()
{
    const QStringList &v = m_parameters.values;
    m_light.show(v);
    m_timers.show(v);

    // A code outside the list selects no mode and leaves the enabling as it is.
    if (const int modeId = m_modes.selectStored(v))
        OnModeClicked(modeId);
    // After the mode: the second pair follows its box in every mode when the form opens.
    m_controls.setEnabled(kTimer2, m_ui->timer2Box->isChecked());

    LoadForm::ShowDurations(m_durations, v);
}

void GeneralLoadDialog::OnModeClicked(int modeId)
{
    m_controls.setEnabled(kTimer1, modeId == TimerMode);
    m_controls.setEnabled(kTimer2, false);
    m_controls.setEnabled(kLight, modeId == LightMode || modeId == LightTimerMode);
    m_controls.setEnabled(kPeriods, modeId == LightTimerMode);
}

void GeneralLoadDialog::OnTimer2Clicked(bool checked)
{
    m_controls.setEnabled(kTimer2, checked);
}

void GeneralLoadDialog::collectForm(QStringList &values) const
{
    m_light.collect(values);
    m_modes.collect(values);
    m_timers.collect(values);
    LoadForm::CollectDurations(m_durations, values);
}

bool GeneralLoadDialog::applyForm()
{
    return LoadForm::Apply(m_modes, m_parameters.values, m_messages,
                           [this](QStringList &values) { collectForm(values); });
}
