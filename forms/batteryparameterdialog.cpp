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
    // A list's default cell shows its longest item whole, in either language.
    int widest = 0;
    for (const QStringList &items :
         {batteryTypeItems(), chargingModeItems(), ratedVoltageItems()}) {
        for (const QString &item : items)
            widest = std::max(widest, fontMetrics().horizontalAdvance(item));
    }
    for (QLineEdit *cell : {ui.batteryTypeDefault, ui.chargingModeDefault, ui.ratedVoltageDefault})
        cell->setMinimumWidth(widest + 3 * fontMetrics().averageCharWidth());

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
        makeDigitsOnly(edit);
    makeDigitsOnly(ui.tempCompensationEdit, true);

    // What the rules allow, on each editable field; the voltages' follow the level and type.
    const std::pair<QWidget *, QString> tips[] = {
        {ui.batteryTypeList, Text::batteryTypeToolTip()},
        {ui.chargingModeList, Text::chargingModeToolTip()},
        {ui.ratedVoltageList, Text::ratedVoltageToolTip()},
        {ui.capacityEdit, Text::rangeToolTip("0", "9999", "Ah")},
        {ui.tempCompensationEdit, Text::rangeToolTip("-9", "0", "mV/℃/2V")},
        {ui.equalizeDurationEdit, Text::rangeToolTip("0", "180", Text::minutes())},
        {ui.boostDurationEdit, Text::rangeToolTip("10", "180", Text::minutes())},
        {ui.dischargePercentEdit,
         Text::rangeToolTip("10", "80", "%") + u'\n' + Text::percentGapTooSmall()},
        {ui.chargePercentEdit,
         Text::rangeToolTip("20", "100", "%") + u'\n' + Text::percentGapTooSmall()},
    };
    for (const auto &[field, tip] : tips)
        describeField(field, tip);

    onInitDialog();
    describeVoltages();

    // A list's reaction runs only when the user chooses an item in it (`activated`); the
    // form's own selections run the reactions explicitly.
    connect(ui.batteryTypeList, &QComboBox::activated, this,
            &BatteryParameterDialog::onSelchangeBatteryType);
    connect(ui.chargingModeList, &QComboBox::activated, this,
            &BatteryParameterDialog::onSelchangeChargingMode);
    connect(ui.ratedVoltageList, &QComboBox::activated, this,
            &BatteryParameterDialog::onSelchangeRatedVoltage);
    connect(ui.applyButton, &QPushButton::clicked, this, &FormDialog::apply);
    connect(ui.restoreButton, &QPushButton::clicked, this,
            &BatteryParameterDialog::onRestoreDefaults);
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

void BatteryParameterDialog::onInitDialog()
{
    // Inserted by position, never sorted; the slot stores the position.
    m_ui->batteryTypeList->addItems(batteryTypeItems());
    m_ui->chargingModeList->addItems(chargingModeItems());
    m_ui->ratedVoltageList->addItems(ratedVoltageItems());

    const QStringList defaults = ParameterSet().values;
    m_defaultType = defaults.at(Slot::BatteryType);
    m_typeEqualize = defaults.at(Slot::EqualizeVoltage);
    m_typeBoost = defaults.at(Slot::BoostVoltage);
    m_levelIndex = defaults.at(Slot::RatedVoltageLevel);

    loadForm();

    m_isSoc = m_parameters.values.at(Slot::ChargingMode) == QLatin1String("1");
    enablePercentEdits(m_isSoc);
}

void BatteryParameterDialog::loadForm()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    const QStringList &values = m_parameters.values;
    // The stored type and level are selected where they name an item, and the form's state
    // follows them without a message, so that a later level or type choice starts from what is
    // stored. One outside its list leaves "铅酸免维护" or "自识别" selected.
    const int type = listPosition(batteryTypeItems(), values.at(Slot::BatteryType))
                         .value_or(BatteryType::Sealed);
    const int level =
        listPosition(ratedVoltageItems(), values.at(Slot::RatedVoltageLevel)).value_or(kLevelAuto);
    ui.batteryTypeList->setCurrentIndex(type);
    ui.ratedVoltageList->setCurrentIndex(level);
    ui.chargingModeList->setCurrentIndex(-1);
    const TypeVoltages typeVoltages = *batteryTypeVoltages(type);
    m_typeEqualize = typeVoltages.equalize;
    m_typeBoost = typeVoltages.boost;
    m_levelIndex = QString::number(level);
    m_isCustom = type == BatteryType::UserDefined;
    enableVoltageEdits(m_isCustom);
    fillDefaultColumn();

    // The current column shows the stored values as they are.
    ui.batteryTypeList->setEditText(
        listItemShown(batteryTypeItems(), values.at(Slot::BatteryType)));
    ui.capacityEdit->setText(values.at(Slot::BatteryCapacity));
    ui.tempCompensationEdit->setText(tempCompensationShown(values.at(Slot::TempCompensation)));
    for (const VoltagePair &pair : std::as_const(m_voltages)) {
        const QString &text = values.at(pair.slot);
        pair.edit->setText(pair.slot == Slot::EqualizeVoltage ? equalizeVoltageShown(text)
                                                              : voltageShown(text));
    }
    ui.ratedVoltageList->setEditText(
        listItemShown(ratedVoltageItems(), values.at(Slot::RatedVoltageLevel)));
    ui.boostDurationEdit->setText(values.at(Slot::BoostDuration));
    ui.dischargePercentEdit->setText(values.at(Slot::DischargePercent));
    ui.chargePercentEdit->setText(values.at(Slot::ChargePercent));
    ui.chargingModeList->setEditText(
        listItemShown(chargingModeItems(), values.at(Slot::ChargingMode)));

    const QString &equalizeDuration = values.at(Slot::EqualizeDuration);
    if (equalizeDuration == QLatin1String("0")) {
        ui.equalizeDurationEdit->setText(Text::noStage());
        ui.equalizeDurationEdit->setEnabled(false);
    } else {
        ui.equalizeDurationEdit->setText(equalizeDuration);
    }
}

// --- default column ----------------------------------------------------------------------

void BatteryParameterDialog::fillDefaultColumn()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    const QStringList defaults = ParameterSet().values;
    const int multiplier = ratedVoltageMultiplier(m_levelIndex);

    ui.batteryTypeDefault->setText(listItemShown(batteryTypeItems(), m_defaultType));
    ui.capacityDefault->setText(defaults.at(Slot::BatteryCapacity));
    ui.tempCompensationDefault->setText(tempCompensationShown(defaults.at(Slot::TempCompensation)));
    for (const VoltagePair &pair : std::as_const(m_voltages)) {
        // Equalize and boost follow the battery type; the others come from the defaults.
        if (pair.slot == Slot::EqualizeVoltage) {
            pair.defaultCell->setText(m_typeEqualize == QLatin1String("0")
                                          ? Text::noStage()
                                          : defaultVoltageShown(m_typeEqualize, multiplier));
        } else if (pair.slot == Slot::BoostVoltage) {
            pair.defaultCell->setText(defaultVoltageShown(m_typeBoost, multiplier));
        } else {
            pair.defaultCell->setText(defaultVoltageShown(defaults.at(pair.slot), multiplier));
        }
    }
    ui.ratedVoltageDefault->setText(listItemShown(ratedVoltageItems(), m_levelIndex));
    ui.equalizeDurationDefault->setText(defaults.at(Slot::EqualizeDuration));
    ui.boostDurationDefault->setText(defaults.at(Slot::BoostDuration));
    ui.dischargePercentDefault->setText(defaults.at(Slot::DischargePercent));
    ui.chargePercentDefault->setText(defaults.at(Slot::ChargePercent));
    ui.chargingModeDefault->setText(
        listItemShown(chargingModeItems(), defaults.at(Slot::ChargingMode)));
}

void BatteryParameterDialog::copyDefaultVoltages()
{
    for (const VoltagePair &pair : std::as_const(m_voltages))
        pair.edit->setText(pair.defaultCell->text());
}

void BatteryParameterDialog::enableVoltageEdits(bool enable)
{
    for (const VoltagePair &pair : std::as_const(m_voltages))
        pair.edit->setEnabled(enable);
}

void BatteryParameterDialog::enablePercentEdits(bool enable)
{
    m_ui->chargePercentEdit->setEnabled(enable);
    m_ui->dischargePercentEdit->setEnabled(enable);
}

// --- list reactions ----------------------------------------------------------------------

void BatteryParameterDialog::onSelchangeBatteryType()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    int type = ui.batteryTypeList->currentIndex();
    bool custom = false;
    if (type == BatteryType::UserDefined) {
        if (ui.ratedVoltageList->currentIndex() == kLevelAuto) {
            // User-defined voltages need a known rated level.
            m_messages.warning(Text::customRefused());
            ui.batteryTypeList->setCurrentIndex(BatteryType::Sealed);
            type = BatteryType::Sealed;
        } else {
            m_messages.info(this, Text::customCaution());
            custom = true;
        }
    }
    m_isCustom = custom;
    enableVoltageEdits(custom);
    if (const std::optional<TypeVoltages> table = batteryTypeVoltages(type)) {
        m_typeEqualize = table->equalize;
        m_typeBoost = table->boost;
    }
    // The user-defined type, too, starts from the default column's voltages.
    fillDefaultColumn();
    copyDefaultVoltages();

    if (type == BatteryType::Gel) {
        ui.equalizeDurationEdit->setText(Text::noStage());
        ui.equalizeDurationEdit->setEnabled(false);
    } else {
        ui.equalizeDurationEdit->setEnabled(true);
        ui.equalizeDurationEdit->setText(m_parameters.values.at(Slot::EqualizeDuration));
    }
}

void BatteryParameterDialog::onSelchangeRatedVoltage()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    m_levelIndex = QString::number(ui.ratedVoltageList->currentIndex());
    if (m_isCustom) {
        if (ui.ratedVoltageList->currentIndex() == kLevelAuto) {
            m_messages.warning(Text::autoLevelRefused());
            ui.ratedVoltageList->setCurrentIndex(kLevel12V);
            m_levelIndex = QString::number(kLevel12V);
        }
        // The user's own voltages stay as they are.
        fillDefaultColumn();
        return;
    }
    fillDefaultColumn();
    copyDefaultVoltages();
}

void BatteryParameterDialog::onSelchangeChargingMode()
{
    // Any selection but "电压补偿", none included, counts as SOC.
    m_isSoc = m_ui->chargingModeList->currentIndex() != kModeCompensation;
    enablePercentEdits(m_isSoc);
}

// --- buttons -----------------------------------------------------------------------------

bool BatteryParameterDialog::applyForm()
{
    if (m_ui->batteryTypeList->currentIndex() == BatteryType::UserDefined &&
        m_ui->ratedVoltageList->currentIndex() == kLevelAuto) {
        m_messages.warning(Text::badTypeAndLevel());
        return false;
    }
    collectForm(m_candidate);
    if (!validateBatteryParameters(m_candidate, this, m_messages))
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
                              ? Text::autoLevelWindow()
                              : listItemShown(ratedVoltageItems(), levelText);
    for (const VoltagePair &pair : std::as_const(m_voltages)) {
        const BatteryVoltageLimits limits = voltageLimits(pair.slot, form);
        describeField(pair.edit, Text::voltageToolTip(voltageShown(QString::number(limits.low)),
                                                      voltageShown(QString::number(limits.high)),
                                                      level, limits.zeroAllowed, limits.relations));
    }
}

void BatteryParameterDialog::onRestoreDefaults()
{
    Ui::BatteryParameterDialog &ui = *m_ui;
    ui.batteryTypeList->setCurrentIndex(BatteryType::Sealed);
    ui.chargingModeList->setCurrentIndex(kModeCompensation);
    ui.ratedVoltageList->setCurrentIndex(kLevelAuto);
    onSelchangeBatteryType();
    onSelchangeChargingMode();
    onSelchangeRatedVoltage();

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
                listPositionCollected(items, list->currentText()))
            target[slot] = *position;
    };

    collectList(Slot::BatteryType, batteryTypeItems(), ui.batteryTypeList);
    target[Slot::BatteryCapacity] = ui.capacityEdit->text();
    target[Slot::TempCompensation] = tempCompensationCollected(ui.tempCompensationEdit->text());
    // Disabled edits are collected like enabled ones.
    for (const VoltagePair &pair : m_voltages)
        target[pair.slot] = voltageCollected(pair.edit->text());
    collectList(Slot::RatedVoltageLevel, ratedVoltageItems(), ui.ratedVoltageList);
    target[Slot::EqualizeDuration] = equalizeDurationCollected(ui.equalizeDurationEdit->text());
    target[Slot::BoostDuration] = ui.boostDurationEdit->text();
    target[Slot::DischargePercent] = ui.dischargePercentEdit->text();
    target[Slot::ChargePercent] = ui.chargePercentEdit->text();
    collectList(Slot::ChargingMode, chargingModeItems(), ui.chargingModeList);
}
