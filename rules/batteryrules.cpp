#include "rules/batteryrules.h"

#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "model/valuetext.h"

#include <functional>

namespace {

// Voltage window per 12 V of rated level, 10 mV units: 9.00 V to 17.00 V.
constexpr qint64 kWindowLow = 900;
constexpr qint64 kWindowHigh = 1700;

struct Rule
{
    std::function<bool()> holds;
    QString (*text)();
};

// Rules 9 to 19: the order of the twelve voltages, `higher` above (or, AtLeast, not below)
// `lower`. The equalize/boost order does not bind gel, which has no equalize stage.
enum class Relation
{
    Above,
    AtLeast,
};
struct VoltageOrder
{
    int higher;
    Relation relation;
    int lower;
    QString (*text)();
    bool exceptGel;
};
constexpr VoltageOrder kVoltageOrders[] = {
    {Slot::OverVoltageDisconnect, Relation::Above, Slot::ChargeLimitVoltage,
     Text::overVoltageVsChargeLimit, false},
    {Slot::ChargeLimitVoltage, Relation::AtLeast, Slot::EqualizeVoltage,
     Text::chargeLimitVsEqualize, false},
    {Slot::EqualizeVoltage, Relation::AtLeast, Slot::BoostVoltage, Text::equalizeVsBoost, true},
    {Slot::BoostVoltage, Relation::AtLeast, Slot::FloatVoltage, Text::boostVsFloat, false},
    {Slot::FloatVoltage, Relation::Above, Slot::BoostReconnectVoltage, Text::floatVsBoostReconnect,
     false},
    {Slot::OverVoltageDisconnect, Relation::Above, Slot::OverVoltageReconnect,
     Text::overVoltageVsReconnect, false},
    {Slot::LowVoltageReconnect, Relation::Above, Slot::LowVoltageDisconnect,
     Text::lowVoltageReconnectVsDisconnect, false},
    {Slot::LowVoltageDisconnect, Relation::AtLeast, Slot::DischargeLimitVoltage,
     Text::lowVoltageDisconnectVsDischargeLimit, false},
    {Slot::UnderVoltageWarningReconnect, Relation::Above, Slot::UnderVoltageWarning,
     Text::underVoltageReconnectVsWarning, false},
    {Slot::UnderVoltageWarning, Relation::AtLeast, Slot::DischargeLimitVoltage,
     Text::underVoltageWarningVsDischargeLimit, false},
    {Slot::BoostReconnectVoltage, Relation::Above, Slot::LowVoltageReconnect,
     Text::boostReconnectVsLowVoltageReconnect, false},
};

bool holds(const VoltageOrder &order, qint64 higher, qint64 lower, bool gel)
{
    if (order.exceptGel && gel)
        return true;
    return order.relation == Relation::Above ? higher > lower : higher >= lower;
}

// Whole-text comparison, as the rules define gel: "02" is not gel.
bool isGel(const QString &typeText)
{
    return typeText == QLatin1String("2");
}

} // namespace

std::optional<BatteryRuleFailure> firstFailedBatteryRule(const QStringList &candidate)
{
    // Numbers read as 32-bit integers (a fraction or a trailing unit is ignored). Sums are
    // taken in 64 bits so a saturated reading cannot wrap.
    const auto n = [&candidate](int slot) -> qint64 { return lenientInt(candidate.value(slot)); };
    const auto within = [](qint64 value, qint64 low, qint64 high) {
        return low <= value && value <= high;
    };
    const bool gel = isGel(candidate.value(Slot::BatteryType));

    const Rule rules[] = {
        {[&] { return within(n(Slot::BatteryType), 0, 5); }, Text::batteryTypeInvalid},
        {[&] { return within(n(Slot::BatteryCapacity), 0, 9999); }, Text::capacityOutOfRange},
        {[&] { return within(n(Slot::TempCompensation), 0, 900); },
         Text::tempCompensationOutOfRange},
        {[&] { return within(n(Slot::EqualizeDuration), 0, 180); },
         Text::equalizeDurationOutOfRange},
        {[&] { return within(n(Slot::BoostDuration), 10, 180); }, Text::boostDurationOutOfRange},
        {[&] { return within(n(Slot::DischargePercent), 10, 80); },
         Text::dischargePercentOutOfRange},
        {[&] { return within(n(Slot::ChargePercent), 20, 100); }, Text::chargePercentOutOfRange},
        {[&] { return n(Slot::ChargePercent) >= n(Slot::DischargePercent) + 10; },
         Text::percentGapTooSmall},
    };
    int number = 0;
    for (const Rule &rule : rules) {
        ++number;
        if (!rule.holds())
            return BatteryRuleFailure{number, rule.text(), false};
    }
    for (const VoltageOrder &order : kVoltageOrders) {
        ++number;
        if (!holds(order, n(order.higher), n(order.lower), gel))
            return BatteryRuleFailure{number, order.text(), false};
    }

    // The window scales with the rated level; "0" (automatic) counts as 12 V, and a level that
    // is no number gives an empty window. Only gel may leave a voltage at 0.
    const qint64 m = ratedVoltageMultiplier(candidate.value(Slot::RatedVoltageLevel));
    for (int slot = Slot::OverVoltageDisconnect; slot <= Slot::DischargeLimitVoltage; ++slot) {
        const qint64 voltage = n(slot);
        if (!within(voltage, kWindowLow * m, kWindowHigh * m) && !(gel && voltage == 0))
            return BatteryRuleFailure{number + 1, Text::voltageOutOfWindow(), true};
    }
    return std::nullopt;
}

BatteryVoltageLimits voltageLimits(int slot, const QStringList &candidate)
{
    const qint64 m = ratedVoltageMultiplier(candidate.value(Slot::RatedVoltageLevel));
    const bool gel = isGel(candidate.value(Slot::BatteryType));
    BatteryVoltageLimits limits{kWindowLow * m, kWindowHigh * m, gel, {}};
    const QStringList names = Text::batteryVoltageNames();
    const auto name = [&names](int other) {
        return names.value(other - Slot::OverVoltageDisconnect);
    };
    for (const VoltageOrder &order : kVoltageOrders) {
        if (order.exceptGel && gel)
            continue;
        const bool above = order.relation == Relation::Above;
        if (order.higher == slot)
            limits.relations.append(above ? Text::mustExceed(name(order.lower))
                                          : Text::mustNotBeBelow(name(order.lower)));
        else if (order.lower == slot)
            limits.relations.append(above ? Text::mustBeBelow(name(order.higher))
                                          : Text::mustNotExceed(name(order.higher)));
    }
    return limits;
}

bool validateBatteryParameters(const QStringList &candidate, QObject *form,
                               MessageService &messages)
{
    const std::optional<BatteryRuleFailure> failure = firstFailedBatteryRule(candidate);
    if (!failure)
        return true;
    if (failure->formBox)
        messages.info(form, failure->text);
    else
        messages.warning(failure->text);
    return false;
}
