#pragma once

#include "forms/formdialog.h"

#include <QStringList>

#include <memory>
#include <utility>

class MessageService;
class QComboBox;
class QLineEdit;
struct ParameterSet;

namespace Ui {
class BatteryParameterDialog;
}

// The form "充放电参数配置": edits the 21 battery slots. A read-only "默认" column computed from
// the defaults, the battery type and the rated level chosen in the form, and an editable "当前"
// column loaded from the values. Only "应用" writes to the parameter set, and only after the
// battery rules pass; closing asks before unapplied edits are dropped (FormDialog).
//
// The three lists are editable drop-down boxes: the reactions and the first check of "应用" go
// by the selected item, collecting the form goes by the shown text. On opening the stored type
// and level are selected where they name an item of their lists, and the default column is
// computed for them; on "恢复默认" the form sets the shown text alone, so the two may differ.
class BatteryParameterDialog : public FormDialog
{
    Q_OBJECT

public:
    BatteryParameterDialog(ParameterSet &parameters, MessageService &messages,
                           QWidget *parent = nullptr);
    ~BatteryParameterDialog() override;

public slots:
    void onSelchangeBatteryType();
    void onSelchangeChargingMode();
    void onSelchangeRatedVoltage();
    void onRestoreDefaults();

protected:
    bool applyForm() override;
    // Writes the 21 battery slots of `target` (59 slot texts) from the form.
    void collectForm(QStringList &target) const override;

private:
    // A twelve-voltage pair: the default cell and the current edit it is copied into.
    struct VoltagePair
    {
        int slot;
        QLineEdit *defaultCell;
        QLineEdit *edit;
    };

    void onInitDialog();
    void loadForm();
    void fillDefaultColumn();
    void copyDefaultVoltages();
    void enableVoltageEdits(bool enable);
    void enablePercentEdits(bool enable);
    // The tooltips that depend on the chosen level and type: the twelve voltages'.
    void describeVoltages();

    std::unique_ptr<Ui::BatteryParameterDialog> m_ui;
    QList<VoltagePair> m_voltages; // in register order, 0x9003 to 0x900E
    // Every default cell with its current counterpart, for "恢复默认".
    QList<std::pair<QLineEdit *, QWidget *>> m_restorePairs;

    bool m_isCustom = false; // "自定义" in force; the voltage edits are enabled exactly then
    bool m_isSoc = false;    // "SOC" charging; the percentage edits are enabled exactly then
    QString m_typeEqualize;  // type table defaults of the type last taken, 12 V basis
    QString m_typeBoost;
    QString m_levelIndex;  // rated level the default column is computed for
    QString m_defaultType; // names the item shown in the default battery-type cell
    // What "应用" checks. Starts as 59 empty texts and keeps its content between presses, so a
    // list text that names no item leaves the slot as the last press collected it.
    QStringList m_candidate;
};
