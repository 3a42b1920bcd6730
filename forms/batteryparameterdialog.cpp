#include "forms/batteryparameterdialog.h"

#include "forms/digitsonly.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "model/valuetext.h"
#include "rules/batteryconversions.h"
#include "rules/batteryrules.h"
#include "ui_batteryparameterdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The list positions the form selects by itself.
constexpr int kLevelAuto = 0;
constexpr int kLevel12V = 1;
constexpr int kModeCompensation = 0;

} // namespace

BatteryParameterDialog::BatteryParameterDialog(ParameterSet &parameters, MessageService &messages,
                                               QWidget *parent)
    : FormDialog(parameters, messages, parent),
      m_ui(std::make_unique<Ui::BatteryParameterDialog>()),
      m_candidate(ParameterSet::kSlotCount, QString())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    const Ui::BatteryParameterDialog &ui = *m_ui;
    // Each row: its label, its default cell and its current control.
    struct Row
    {
        QLabel *label;
        QLineEdit *defaultCell;
        QWidget *current;
    };
    const Row rows[] = {
        {ui.batteryTypeLabel, ui.batteryTypeDefault, ui.batteryTypeList},
        {ui.chargingModeLabel, ui.chargingModeDefault, ui.chargingModeList},
        {ui.capacityLabel, ui.capacityDefault, ui.capacityEdit},
        {ui.tempCompensationLabel, ui.tempCompensationDefault, ui.tempCompensationEdit},
        {ui.overVoltageDisconnectLabel, ui.overVoltageDisconnectDefault,
         ui.overVoltageDisconnectEdit},
        {ui.overVoltageReconnectLabel, ui.overVoltageReconnectDefault, ui.overVoltageReconnectEdit},
        {ui.equalizeVoltageLabel, ui.equalizeVoltageDefault, ui.equalizeVoltageEdit},
        {ui.boostVoltageLabel, ui.boostVoltageDefault, ui.boostVoltageEdit},
        {ui.floatVoltageLabel, ui.floatVoltageDefault, ui.floatVoltageEdit},
        {ui.boostReconnectLabel, ui.boostReconnectDefault, ui.boostReconnectEdit},
        {ui.chargePercentLabel, ui.chargePercentDefault, ui.chargePercentEdit},
        {ui.ratedVoltageLabel, ui.ratedVoltageDefault, ui.ratedVoltageList},
        {ui.equalizeDurationLabel, ui.equalizeDurationDefault, ui.equalizeDurationEdit},
        {ui.boostDurationLabel, ui.boostDurationDefault, ui.boostDurationEdit},
        {ui.chargeLimitLabel, ui.chargeLimitDefault, ui.chargeLimitEdit},
        {ui.dischargeLimitLabel, ui.dischargeLimitDefault, ui.dischargeLimitEdit},
        {ui.lowVoltageDisconnectLabel, ui.lowVoltageDisconnectDefault, ui.lowVoltageDisconnectEdit},
        {ui.lowVoltageReconnectLabel, ui.lowVoltageReconnectDefault, ui.lowVoltageReconnectEdit},
        {ui.underVoltageWarningLabel, ui.underVoltageWarningDefault, ui.underVoltageWarningEdit},
        {ui.underVoltageWarningReconnectLabel, ui.underVoltageWarningReconnectDefault,
         ui.underVoltageWarningReconnectEdit},
        {ui.dischargePercentLabel, ui.dischargePercentDefault, ui.dischargePercentEdit},
    };
    for (const Row &row : rows) {
        m_restorePairs.append({row.defaultCell, row.current});
        // Default cells are named after their row and column; edits after their row. Lists
        // are found by their items and need no name.
        row.defaultCell->setAccessibleName(row.label->text() + u' ' + ui.leftDefaultHeader->text());
        if (!qobject_cast<QComboBox *>(row.current))
            row.current->setAccessibleName(row.label->text());
    }
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAccessibleName(button->text());

    m_voltages = {
        {Slot::OverVoltageDisconnect, ui.overVoltageDisconnectDefault,
         ui.overVoltageDisconnectEdit},
        {Slot::ChargeLimitVoltage, ui.chargeLimitDefault, ui.chargeLimitEdit},
        {Slot::OverVoltageReconnect, ui.overVoltageReconnectDefault, ui.overVoltageReconnectEdit},
        {Slot::EqualizeVoltage, ui.equalizeVoltageDefault, ui.equalizeVoltageEdit},
        {Slot::BoostVoltage, ui.boostVoltageDefault, ui.boostVoltageEdit},
        {Slot::FloatVoltage, ui.floatVoltageDefault, ui.floatVoltageEdit},
        {Slot::BoostReconnectVoltage, ui.boostReconnectDefault, ui.boostReconnectEdit},
        {Slot::LowVoltageReconnect, ui.lowVoltageReconnectDefault, ui.lowVoltageReconnectEdit},
        {Slot::UnderVoltageWarningReconnect, ui.underVoltageWarningReconnectDefault,
         ui.underVoltageWarningReconnectEdit},
        {Slot::UnderVoltageWarning, ui.underVoltageWarningDefault, ui.underVoltageWarningEdit},
        {Slot::LowVoltageDisconnect, ui.lowVoltageDisconnectDefault, ui.lowVoltageDisconnectEdit},
        {Slot::DischargeLimitVoltage, ui.dischargeLimitDefault, ui.dischargeLimitEdit},
    };

    // Only keys are filtered: the program still puts "--" into the durations. The coefficient
    // runs from -9 to 0, so it takes a leading "-".
    for (QLineEdit *edit : {ui.capacityEdit, ui.chargePercentEdit, ui.dischargePercentEdit,
                            ui.equalizeDurationEdit, ui.boostDurationEdit})
        MakeDigitsOnly(edit);
    MakeDigitsOnly(ui.tempCompensationEdit, true);

    // What the rules allow, on each editable field; the voltages' follow the level and type.
    const std::pair<QWidget *, QString> tips[] = {
        {ui.batteryTypeList, Text::BatteryTypeToolTip()},
        {ui.chargingModeList, Text::ChargingModeToolTip()},
        {ui.ratedVoltageList, Text::RatedVoltageToolTip()},
        {ui.capacityEdit, Text::RangeToolTip("0", "9999", "Ah")},
        {ui.tempCompensationEdit, Text::RangeToolTip("-9", "0", "mV/℃/2V")},
        {ui.equalizeDurationEdit, Text::RangeToolTip("0", "180", Text::Minutes())},
        {ui.boostDurationEdit, Text::RangeToolTip("10", "180", Text::Minutes())},
        {ui.dischargePercentEdit,
         Text::RangeToolTip("10", "80", "%") + u'\n' + Text::PercentGapTooSmall()},
        {ui.chargePercentEdit,
         Text::RangeToolTip("20", "100", "%") + u'\n' + Text::PercentGapTooSmall()},
    };
    for (const auto &[field, tip] : tips)
        DescribeField(field, tip);

    OnInitDialog();
    describeVoltages();

    // A list's reaction runs only when the user chooses an item in it (`activated`); the
    // form's own selections run the reactions explicitly.
    connect(ui.batteryTypeList, &QComboBox::activated, this,
            &BatteryParameterDialog::OnSelchangeBatteryType);
    connect(ui.chargingModeList, &QComboBox::activated, this,
            &BatteryParameterDialog::OnSelchangeChargingMode);
    connect(ui.ratedVoltageList, &QComboBox::activated, this,
            &BatteryParameterDialog::OnSelchangeRatedVoltage);
    connect(ui.applyButton, &QPushButton::clicked, this, &FormDialog::apply);
    connect(ui.restoreButton, &QPushButton::clicked, this,
            &BatteryParameterDialog::OnRestoreDefaults);
    connect(ui.okButton, &QPushButton::clicked, this, &FormDialog::confirm);
    connect(ui.cancelButton, &QPushButton::clicked, this, &FormDialog::cancel);
    // The voltage window and the gel exception follow the level and type "应用" would store.
    connect(ui.batteryTypeList, &QComboBox::editTextChanged, this,
            &BatteryParameterDialog::describeVoltages);
    connect(ui.ratedVoltageList, &QComboBox::editTextChanged, this,
            &BatteryParameterDialog::describeVoltages);
    formLoaded();
}

BatteryParameterDialog::~BatteryParameterDialog() = default;

// --- opening -----------------------------------------------------------------------------

void BatteryParameterDialog::OnInitDialog()
{
    // Inserted by position, never sorted; the slot stores the position.
    m_ui->batteryTypeList->addItems(BatteryTypeItems());
    m_ui->chargingModeList->addItems(ChargingModeItems());
    m_ui->ratedVoltageList->addItems(RatedVoltageItems());

    const QStringList defaults = ParameterSet().values;
    m_defaultType = defaults.at(Slot::BatteryType);
    m_typeEqualize = defaults.at(Slot::EqualizeVoltage);
    m_typeBoost = defaults.at(Slot::BoostVoltage);
    m_levelIndex = defaults.at(Slot::RatedVoltageLevel);

    LoadForm();

    m_isSoc = m_parameters.values.at(Slot::ChargingMode) == QLatin1String("1");
    EnablePercentEdits(m_isSoc);
}

void BatteryParameterDialog::LoadForm()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    const QStringList &values = m_parameters.values;
    // The stored type and level are selected where they name an item, and the form's state
    // follows them without a message, so that a later level or type choice starts from what is
    // stored. One outside its list leaves "铅酸免维护" or "自识别" selected.
    const int type = ListPosition(BatteryTypeItems(), values.at(Slot::BatteryType))
                         .value_or(BatteryType::Sealed);
    const int level =
        ListPosition(RatedVoltageItems(), values.at(Slot::RatedVoltageLevel)).value_or(kLevelAuto);
    ui.batteryTypeList->setCurrentIndex(type);
    ui.ratedVoltageList->setCurrentIndex(level);
    ui.chargingModeList->setCurrentIndex(-1);
    const TypeVoltages typeVoltages = *BatteryTypeVoltages(type);
    m_typeEqualize = typeVoltages.equalize;
    m_typeBoost = typeVoltages.boost;
    m_levelIndex = QString::number(level);
    m_isCustom = type == BatteryType::UserDefined;
    EnableVoltageEdits(m_isCustom);
    FillDefaultColumn();

    // The current column shows the stored values as they are.
    ui.batteryTypeList->setEditText(
        ListItemShown(BatteryTypeItems(), values.at(Slot::BatteryType)));
    ui.capacityEdit->setText(values.at(Slot::BatteryCapacity));
    ui.tempCompensationEdit->setText(TempCompensationShown(values.at(Slot::TempCompensation)));
    for (const VoltagePair &pair : std::as_const(m_voltages)) {
        const QString &text = values.at(pair.slot);
        pair.edit->setText(pair.slot == Slot::EqualizeVoltage ? EqualizeVoltageShown(text)
                                                              : VoltageShown(text));
    }
    ui.ratedVoltageList->setEditText(
        ListItemShown(RatedVoltageItems(), values.at(Slot::RatedVoltageLevel)));
    ui.boostDurationEdit->setText(values.at(Slot::BoostDuration));
    ui.dischargePercentEdit->setText(values.at(Slot::DischargePercent));
    ui.chargePercentEdit->setText(values.at(Slot::ChargePercent));
    ui.chargingModeList->setEditText(
        ListItemShown(ChargingModeItems(), values.at(Slot::ChargingMode)));

    const QString &equalizeDuration = values.at(Slot::EqualizeDuration);
    if (equalizeDuration == QLatin1String("0")) {
        ui.equalizeDurationEdit->setText(Text::NoStage());
        ui.equalizeDurationEdit->setEnabled(false);
    } else {
        ui.equalizeDurationEdit->setText(equalizeDuration);
    }
}

// --- default column ----------------------------------------------------------------------

void BatteryParameterDialog::FillDefaultColumn()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    const QStringList defaults = ParameterSet().values;
    const int multiplier = RatedVoltageMultiplier(m_levelIndex);

    ui.batteryTypeDefault->setText(ListItemShown(BatteryTypeItems(), m_defaultType));
    ui.capacityDefault->setText(defaults.at(Slot::BatteryCapacity));
    ui.tempCompensationDefault->setText(TempCompensationShown(defaults.at(Slot::TempCompensation)));
    for (const VoltagePair &pair : std::as_const(m_voltages)) {
        // Equalize and boost follow the battery type; the others come from the defaults.
        if (pair.slot == Slot::EqualizeVoltage) {
            pair.defaultCell->setText(m_typeEqualize == QLatin1String("0")
                                          ? Text::NoStage()
                                          : DefaultVoltageShown(m_typeEqualize, multiplier));
        } else if (pair.slot == Slot::BoostVoltage) {
            pair.defaultCell->setText(DefaultVoltageShown(m_typeBoost, multiplier));
        } else {
            pair.defaultCell->setText(DefaultVoltageShown(defaults.at(pair.slot), multiplier));
        }
    }
    ui.ratedVoltageDefault->setText(ListItemShown(RatedVoltageItems(), m_levelIndex));
    ui.equalizeDurationDefault->setText(defaults.at(Slot::EqualizeDuration));
    ui.boostDurationDefault->setText(defaults.at(Slot::BoostDuration));
    ui.dischargePercentDefault->setText(defaults.at(Slot::DischargePercent));
    ui.chargePercentDefault->setText(defaults.at(Slot::ChargePercent));
    ui.chargingModeDefault->setText(
        ListItemShown(ChargingModeItems(), defaults.at(Slot::ChargingMode)));
}

void BatteryParameterDialog::CopyDefaultVoltages()
{
    for (const VoltagePair &pair : std::as_const(m_voltages))
        pair.edit->setText(pair.defaultCell->text());
}

void BatteryParameterDialog::EnableVoltageEdits(bool enable)
{
    for (const VoltagePair &pair : std::as_const(m_voltages))
        pair.edit->setEnabled(enable);
}

void BatteryParameterDialog::EnablePercentEdits(bool enable)
{
    m_ui->chargePercentEdit->setEnabled(enable);
    m_ui->dischargePercentEdit->setEnabled(enable);
}

// --- list reactions ----------------------------------------------------------------------

void BatteryParameterDialog::OnSelchangeBatteryType()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    int type = ui.batteryTypeList->currentIndex();
    bool custom = false;
    if (type == BatteryType::UserDefined) {
        if (ui.ratedVoltageList->currentIndex() == kLevelAuto) {
            // User-defined voltages need a known rated level.
            m_messages.warning(Text::CustomRefused());
            ui.batteryTypeList->setCurrentIndex(BatteryType::Sealed);
            type = BatteryType::Sealed;
        } else {
            m_messages.info(this, Text::CustomCaution());
            custom = true;
        }
    }
    m_isCustom = custom;
    EnableVoltageEdits(custom);
    if (const std::optional<TypeVoltages> table = BatteryTypeVoltages(type)) {
        m_typeEqualize = table->equalize;
        m_typeBoost = table->boost;
    }
    // The user-defined type, too, starts from the default column's voltages.
    FillDefaultColumn();
    CopyDefaultVoltages();

    if (type == BatteryType::Gel) {
        ui.equalizeDurationEdit->setText(Text::NoStage());
        ui.equalizeDurationEdit->setEnabled(false);
    } else {
        ui.equalizeDurationEdit->setEnabled(true);
        ui.equalizeDurationEdit->setText(m_parameters.values.at(Slot::EqualizeDuration));
    }
}

void BatteryParameterDialog::OnSelchangeRatedVoltage()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    m_levelIndex = QString::number(ui.ratedVoltageList->currentIndex());
    if (m_isCustom) {
        if (ui.ratedVoltageList->currentIndex() == kLevelAuto) {
            m_messages.warning(Text::AutoLevelRefused());
            ui.ratedVoltageList->setCurrentIndex(kLevel12V);
            m_levelIndex = QString::number(kLevel12V);
        }
        // The user's own voltages stay as they are.
        FillDefaultColumn();
        return;
    }
    FillDefaultColumn();
    CopyDefaultVoltages();
}

void BatteryParameterDialog::OnSelchangeChargingMode()
{
    // Any selection but "电压补偿", none included, counts as SOC.
    m_isSoc = m_ui->chargingModeList->currentIndex() != kModeCompensation;
    EnablePercentEdits(m_isSoc);
}

// --- buttons -----------------------------------------------------------------------------

bool BatteryParameterDialog::applyForm()
{
    if (m_ui->batteryTypeList->currentIndex() == BatteryType::UserDefined &&
        m_ui->ratedVoltageList->currentIndex() == kLevelAuto) {
        m_messages.warning(Text::BadTypeAndLevel());
        return false;
    }
    collectForm(m_candidate);
    if (!ValidateBatteryParameters(m_candidate, this, m_messages))
        return false;
    collectForm(m_parameters.values);
    return true;
}

void BatteryParameterDialog::describeVoltages()
{
    QStringList form = m_parameters.values;
    collectForm(form);
    const QString &levelText = form.at(Slot::RatedVoltageLevel);
    const QString level = levelText == QLatin1String("0")
                              ? Text::AutoLevelWindow()
                              : ListItemShown(RatedVoltageItems(), levelText);
    for (const VoltagePair &pair : std::as_const(m_voltages)) {
        const BatteryVoltageLimits limits = VoltageLimits(pair.slot, form);
        DescribeField(pair.edit, Text::VoltageToolTip(VoltageShown(QString::number(limits.low)),
                                                      VoltageShown(QString::number(limits.high)),
                                                      level, limits.zeroAllowed, limits.relations));
    }
}

void BatteryParameterDialog::OnRestoreDefaults()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    ui.batteryTypeList->setCurrentIndex(BatteryType::Sealed);
    ui.chargingModeList->setCurrentIndex(kModeCompensation);
    ui.ratedVoltageList->setCurrentIndex(kLevelAuto);
    OnSelchangeBatteryType();
    OnSelchangeChargingMode();
    OnSelchangeRatedVoltage();

    // Every default cell into its current counterpart; the lists get the shown text only.
    for (const auto &[defaultCell, current] : std::as_const(m_restorePairs)) {
        if (auto *list = qobject_cast<QComboBox *>(current))
            list->setEditText(defaultCell->text());
        else
            static_cast<QLineEdit *>(current)->setText(defaultCell->text());
    }
    // Counts as a change even where the defaults equal what the form showed.
    markChanged();
}

void BatteryParameterDialog::collectForm(QStringList &target) const
{
    const Ui::BatteryParameterDialog &ui = *m_ui;
    // A list text that names no item leaves its slot as it was.
    const auto collectList = [&target](int slot, const QStringList &items, const QComboBox *list) {
        if (const std::optional<QString> position =
                ListPositionCollected(items, list->currentText()))
            target[slot] = *position;
    };

    collectList(Slot::BatteryType, BatteryTypeItems(), ui.batteryTypeList);
    target[Slot::BatteryCapacity] = ui.capacityEdit->text();
    target[Slot::TempCompensation] = TempCompensationCollected(ui.tempCompensationEdit->text());
    // Disabled edits are collected like enabled ones.
    for (const VoltagePair &pair : m_voltages)
        target[pair.slot] = VoltageCollected(pair.edit->text());
    collectList(Slot::RatedVoltageLevel, RatedVoltageItems(), ui.ratedVoltageList);
    target[Slot::EqualizeDuration] = EqualizeDurationCollected(ui.equalizeDurationEdit->text());
    target[Slot::BoostDuration] = ui.boostDurationEdit->text();
    target[Slot::DischargePercent] = ui.dischargePercentEdit->text();
    target[Slot::ChargePercent] = ui.chargePercentEdit->text();
    collectList(Slot::ChargingMode, ChargingModeItems(), ui.chargingModeList);
}
