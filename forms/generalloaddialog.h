#pragma once

#include "forms/controlmap.h"
#include "forms/loadform.h"

#include "forms/formdialog.h"

#include <array>
#include <memory>

class MessageService;
struct ParameterSet;

namespace Ui {
class GeneralLoadDialog;
}

// Numeric ids of the general load form's controls, shared by the code and the tests.
namespace GeneralLoadId {
enum : int
{
    Ok = 1,
    Cancel = 2,
    ManualOn = 1036,
    ManualOff = 1037,
    TimerMode = 1038,
    LightTimerMode = 1040,
    Period1 = 1041,
    TimerOff1 = 1042,
    TimerOff2 = 1043,
    TimerOn2 = 1044,
    NightLength = 1046,
    LightOffVoltage = 1066,
    LightOnVoltage = 1067,
    LightOffDelay = 1068,
    LightOnDelay = 1069,
    Period2 = 1070,
    TimerOn1 = 1074,
    Timer2Box = 1078,
    LightMode = 1084,
    TimerOn1Label = 1090,
    TimerOff1Label = 1091,
    TimerOn2Label = 1092,
    TimerOff2Label = 1093,
    LightOnVoltageLabel = 1094,
    LightOnDelayLabel = 1095,
    LightOffVoltageLabel = 1096,
    LightOffDelayLabel = 1097,
    Period1Label = 1098,
    Period2Label = 1099,
    NightLengthLabel = 1100,
    Apply = 1116,
};
} // namespace GeneralLoadId

// "通用负载参数配置": how the load output of a general-load product switches. Shows the
// parameter set when it opens; only "应用" writes the form back, after the range checks and only
// while a mode is selected. Closing asks before unapplied edits are dropped (FormDialog).
class GeneralLoadDialog : public FormDialog
{
    Q_OBJECT

public:
    GeneralLoadDialog(ParameterSet &parameters, MessageService &messages,
                      QWidget *parent = nullptr);
    ~GeneralLoadDialog() override;

    // The control with the given id (GeneralLoadId), or nullptr.
    QWidget *control(int id) const;

protected:
    bool applyForm() override;
    // Writes every field, whatever the mode, into the 59 slot texts.
    void collectForm(QStringList &values) const override;

private:
    void OnInitDialog();
    void OnModeClicked(int modeId);
    void OnTimer2Clicked(bool checked);

    std::unique_ptr<Ui::GeneralLoadDialog> m_ui;
    ControlMap m_controls;
    LoadForm::ModeButtons m_modes;
    LoadForm::LightControlEdits m_light;
    LoadForm::TimerPickers m_timers;
    std::array<LoadForm::DurationPicker, 3> m_durations{};
};
