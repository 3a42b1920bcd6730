#pragma once

#include "forms/controlmap.h"
#include "forms/loadform.h"
#include "rules/modediagram.h"

#include "forms/formdialog.h"

#include <array>
#include <memory>
#include <utility>

class MessageService;
class PercentSpinBox;
class QTimeEdit;
struct ParameterSet;

namespace Ui {
class LedLoadDialog;
}

// Numeric ids of the LED load form's controls, shared by the code and the tests. A percentage
// has two ids, its edit and its up-down arrows (…Arrows); both find its spin box.
namespace LedLoadId {
enum : int
{
    Ok = 1,
    Cancel = 2,
    RatedCurrent = 1010,
    ManualPercent = 1011,
    Timer1Percent = 1012,
    Timer2Percent = 1013,
    Mode2Period1Percent = 1018,
    Mode1Period1Percent = 1019,
    LimitPercent = 1020,
    Mode1Period3Percent = 1022,
    Mode2Period2Percent = 1023,
    Mode2Period3Percent = 1024,
    Mode2 = 1041,
    ManualPercentArrows = 1042,
    Timer1PercentArrows = 1043,
    Timer2PercentArrows = 1044,
    TimerOff1 = 1045,
    TimerOn2 = 1047,
    Mode1Period3 = 1048,
    Mode1Period2 = 1049,
    Mode1Period1 = 1050,
    Mode2Period1 = 1051,
    Mode2Period2 = 1052,
    Mode2Period3 = 1053,
    NightLength = 1054,
    Mode2Period1Arrows = 1055,
    Mode1Period1Arrows = 1056,
    LimitPercentArrows = 1057,
    Mode1Period2Arrows = 1058,
    Mode1Period3Arrows = 1059,
    Mode2Period2Arrows = 1060,
    Mode2Period3Arrows = 1061,
    LightOffVoltage = 1066,
    LightOnVoltage = 1067,
    LightOffDelay = 1068,
    LightOnDelay = 1069,
    Mode1Period2Percent = 1072,
    TimerOff2 = 1073,
    TimerOn1 = 1075,
    LightMode = 1079,
    Mode1 = 1080,
    TimerMode = 1081,
    ManualOn = 1082,
    ManualOff = 1083,
    Timer2Box = 1086,
    LimitBox = 1089,
    TimerOn1Label = 1091,
    TimerOff1Label = 1095,
    TimerOn2Label = 1098,
    ManualPercentLabel = 1101,
    TimerOff2Label = 1102,
    LightOnVoltageLabel = 1103,
    LightOnDelayLabel = 1104,
    LightOffVoltageLabel = 1105,
    LightOffDelayLabel = 1106,
    Mode1Period1Label = 1107,
    Mode1Period2Label = 1109,
    Mode1Period3Label = 1110,
    Mode2Period1Label = 1111,
    Mode2Period2Label = 1113,
    Mode2Period3Label = 1114,
    NightLengthLabel = 1115,
    Apply = 1116,
    ModePictureBox = 1125,
};
} // namespace LedLoadId

// "LED负载参数配置": load switching, lamp current and levels of an LED product. Shows the
// parameter set when it opens; only "应用" writes the form back, after the range checks and only
// while a mode is selected. Closing asks before unapplied edits are dropped (FormDialog).
class LedLoadDialog : public FormDialog
{
    Q_OBJECT

public:
    LedLoadDialog(ParameterSet &parameters, MessageService &messages, QWidget *parent = nullptr);
    ~LedLoadDialog() override;

    // The control with the given id (LedLoadId), or nullptr.
    QWidget *control(int id) const;

    // Which mode picture shows: none, or the light-plus-timer mode 1 or 2.
    enum class Picture
    {
        None,
        Mode1,
        Mode2,
    };
    Picture picture() const { return m_picture; }

protected:
    bool applyForm() override;
    // Writes every field, whatever the mode, into the 59 slot texts.
    void collectForm(QStringList &values) const override;

private:
    void OnInitDialog();
    void OnModeClicked(int modeId);
    void applyModeEnabling(int modeId);
    void OnTimer2Clicked(bool checked);
    void OnLimitClicked(bool checked);
    void showPicture(Picture picture);
    // The schedule the pickers and levels of the shown mode set, into the picture.
    void refreshPicture();
    Load::ModeSchedule schedule(Picture picture) const;

    std::unique_ptr<Ui::LedLoadDialog> m_ui;
    ControlMap m_controls;
    LoadForm::ModeButtons m_modes;
    LoadForm::LightControlEdits m_light;
    LoadForm::TimerPickers m_timers;
    std::array<LoadForm::DurationPicker, 7> m_durations{};
    // Each level and its slot.
    std::array<std::pair<int, PercentSpinBox *>, 10> m_percents{};
    // The periods of the light-plus-timer modes 1 and 2, and their levels.
    std::array<std::array<QTimeEdit *, 3>, 2> m_modePeriods{};
    std::array<std::array<PercentSpinBox *, 3>, 2> m_modePercents{};
    Picture m_picture = Picture::None;
};
