#pragma once

#include "forms/loadform.h"

#include "forms/formdialog.h"

#include <array>
#include <memory>

class MessageService;
struct ParameterSet;

namespace Ui {
class GeneralLoadDialog;
}

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

protected:
    bool applyForm() override;
    // Writes every field, whatever the mode, into the 59 slot texts.
    void collectForm(QStringList &values) const override;

private:
    void onInitDialog();
    void onModeClicked(int modeId);
    void onTimer2Clicked(bool checked);

    std::unique_ptr<Ui::GeneralLoadDialog> m_ui;
    // The controls each part of the enabling switches.
    QList<QWidget *> m_timer1;
    QList<QWidget *> m_timer2;
    QList<QWidget *> m_lightControls;
    QList<QWidget *> m_periods;
    LoadForm::ModeButtons m_modes;
    LoadForm::LightControlEdits m_light;
    LoadForm::TimerPickers m_timers;
    std::array<LoadForm::DurationPicker, 3> m_durations{};
};
