#pragma once

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

// "LED负载参数配置": load switching, lamp current and levels of an LED product. Shows the
// parameter set when it opens; only "应用" writes the form back, after the range checks and only
// while a mode is selected. Closing asks before unapplied edits are dropped (FormDialog).
class LedLoadDialog : public FormDialog
{
    Q_OBJECT

public:
    LedLoadDialog(ParameterSet &parameters, MessageService &messages, QWidget *parent = nullptr);
    ~LedLoadDialog() override;

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
    void onInitDialog();
    void onModeClicked(int modeId);
    void applyModeEnabling(int modeId);
    void onTimer2Clicked(bool checked);
    void onLimitClicked(bool checked);
    void showPicture(Picture picture);
    // The schedule the pickers and levels of the shown mode set, into the picture.
    void refreshPicture();
    Load::ModeSchedule schedule(Picture picture) const;

    std::unique_ptr<Ui::LedLoadDialog> m_ui;
    // The controls each part of the enabling switches.
    QList<QWidget *> m_manual;
    QList<QWidget *> m_timer1;
    QList<QWidget *> m_timer2;
    QList<QWidget *> m_lightControls;
    QList<QWidget *> m_mode1;
    QList<QWidget *> m_mode2;
    QList<QWidget *> m_limit;
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
