#include "forms/generalloaddialog.h"

#include "model/parameterset.h"
#include "rules/loadconversions.h"
#include "ui_generalloaddialog.h"

namespace {

// The form's own numbers for its mode buttons (their ids in the button group), and the codes
// each stores.
enum Mode : int
{
    ManualOn = 1,
    ManualOff,
    LightMode,
    LightTimerMode,
    TimerMode,
};
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

    // What each part of the enabling switches, labels with their controls.
    const Ui::GeneralLoadDialog &ui = *m_ui;
    m_timer1 = {ui.timerOn1Label, ui.timerOn1Edit, ui.timerOff1Label, ui.timerOff1Edit,
                ui.timer2Box};
    m_timer2 = {ui.timerOn2Label, ui.timerOn2Edit, ui.timerOff2Label, ui.timerOff2Edit};
    m_lightControls = {ui.lightOnVoltageLabel, ui.lightOnVoltageEdit,   ui.lightOnDelayLabel,
                       ui.lightOnDelayEdit,    ui.lightOffVoltageLabel, ui.lightOffVoltageEdit,
                       ui.lightOffDelayLabel,  ui.lightOffDelayEdit};
    m_periods = {ui.period1Label, ui.period1Edit,      ui.period2Label,
                 ui.period2Edit,  ui.nightLengthLabel, ui.nightLengthEdit};

    m_modes = {m_ui->modeGroup, kModes};
    m_modes.setUp(
        {ui.manualOnRadio, ui.manualOffRadio, ui.lightRadio, ui.lightTimerRadio, ui.timerRadio});
    m_light = {m_ui->lightOnVoltageEdit, m_ui->lightOnDelayEdit, m_ui->lightOffVoltageEdit,
               m_ui->lightOffDelayEdit};
    m_timers = {m_ui->timerOn1Edit, m_ui->timerOff1Edit, m_ui->timerOn2Edit, m_ui->timerOff2Edit,
                m_ui->timer2Box};
    m_durations = {{{Slot::Mode2Period1, m_ui->period1Edit},
                    {Slot::Mode2Period2, m_ui->period2Edit},
                    {Slot::NightLength, m_ui->nightLengthEdit}}};

    // Accessible names: captions and label texts, the role where a control has no caption.
    LoadForm::nameAfterCaptions(this);
    m_light.setUp();
    m_timers.setUp();
    LoadForm::describeDurations(m_durations);

    onInitDialog();

    connect(m_ui->modeGroup, &QButtonGroup::idClicked, this, &GeneralLoadDialog::onModeClicked);
    connect(m_ui->timer2Box, &QCheckBox::clicked, this, &GeneralLoadDialog::onTimer2Clicked);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &FormDialog::apply);
    connect(m_ui->okButton, &QPushButton::clicked, this, &FormDialog::confirm);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &FormDialog::cancel);
    formLoaded();
}

GeneralLoadDialog::~GeneralLoadDialog() = default;

void GeneralLoadDialog::onInitDialog()
{
    const QStringList &v = m_parameters.values;
    m_light.show(v);
    m_timers.show(v);

    // A code outside the list selects no mode and leaves the enabling as it is.
    if (const int modeId = m_modes.selectStored(v))
        onModeClicked(modeId);
    // After the mode: the second pair follows its box in every mode when the form opens.
    LoadForm::setEnabled(m_timer2, m_ui->timer2Box->isChecked());

    LoadForm::showDurations(m_durations, v);
}

void GeneralLoadDialog::onModeClicked(int modeId)
{
    LoadForm::setEnabled(m_timer1, modeId == TimerMode);
    LoadForm::setEnabled(m_timer2, false);
    LoadForm::setEnabled(m_lightControls, modeId == LightMode || modeId == LightTimerMode);
    LoadForm::setEnabled(m_periods, modeId == LightTimerMode);
}

void GeneralLoadDialog::onTimer2Clicked(bool checked)
{
    LoadForm::setEnabled(m_timer2, checked);
}

void GeneralLoadDialog::collectForm(QStringList &values) const
{
    m_light.collect(values);
    m_modes.collect(values);
    m_timers.collect(values);
    LoadForm::collectDurations(m_durations, values);
}

bool GeneralLoadDialog::applyForm()
{
    return LoadForm::apply(m_modes, m_parameters.values, m_messages,
                           [this](QStringList &values) { collectForm(values); });
}
