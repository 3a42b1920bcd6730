#include "editors/batteryrules.h"

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

} // namespace

std::optional<BatteryRuleFailure> FirstFailedBatteryRule(const QStringList &candidate)
{
    // Numbers read as 32-bit integers (a fraction or a trailing unit is ignored). Sums are
    // taken in 64 bits so a saturated reading cannot wrap.
    const auto n = [&candidate](int slot) -> qint64 { return LenientInt(candidate.value(slot)); };
    const auto within = [](qint64 value, qint64 low, qint64 high) {
        return low <= value && value <= high;
    };
    // Whole-text comparison, as the rules define gel: "02" is not gel.
    const bool gel = candidate.value(Slot::BatteryType) == QLatin1String("2");

    const Rule rules[] = {
        {[&] { return within(n(Slot::BatteryType), 0, 5); }, Text::BatteryTypeInvalid},
        {[&] { return within(n(Slot::BatteryCapacity), 0, 9999); }, Text::CapacityOutOfRange},
        {[&] { return within(n(Slot::TempCompensation), 0, 900); },
         Text::TempCompensationOutOfRange},
        {[&] { return within(n(Slot::EqualizeDuration), 0, 180); },
         Text::EqualizeDurationOutOfRange},
        {[&] { return within(n(Slot::BoostDuration), 10, 180); }, Text::BoostDurationOutOfRange},
        {[&] { return within(n(Slot::DischargePercent), 10, 80); },
         Text::DischargePercentOutOfRange},
        {[&] { return within(n(Slot::ChargePercent), 20, 100); }, Text::ChargePercentOutOfRange},
        {[&] { return n(Slot::ChargePercent) >= n(Slot::DischargePercent) + 10; },
         Text::PercentGapTooSmall},
        {[&] { return n(Slot::OverVoltageDisconnect) > n(Slot::ChargeLimitVoltage); },
         Text::OverVoltageVsChargeLimit},
        {[&] { return n(Slot::ChargeLimitVoltage) >= n(Slot::EqualizeVoltage); },
         Text::ChargeLimitVsEqualize},
        {[&] { return gel || n(Slot::EqualizeVoltage) >= n(Slot::BoostVoltage); },
         Text::EqualizeVsBoost},
        {[&] { return n(Slot::BoostVoltage) >= n(Slot::FloatVoltage); }, Text::BoostVsFloat},
        {[&] { return n(Slot::FloatVoltage) > n(Slot::BoostReconnectVoltage); },
         Text::FloatVsBoostReconnect},
        {[&] { return n(Slot::OverVoltageDisconnect) > n(Slot::OverVoltageReconnect); },
         Text::OverVoltageVsReconnect},
        {[&] { return n(Slot::LowVoltageReconnect) > n(Slot::LowVoltageDisconnect); },
         Text::LowVoltageReconnectVsDisconnect},
        {[&] { return n(Slot::LowVoltageDisconnect) >= n(Slot::DischargeLimitVoltage); },
         Text::LowVoltageDisconnectVsDischargeLimit},
        {[&] { return n(Slot::UnderVoltageWarningReconnect) > n(Slot::UnderVoltageWarning); },
         Text::UnderVoltageReconnectVsWarning},
        {[&] { return n(Slot::UnderVoltageWarning) >= n(Slot::DischargeLimitVoltage); },
         Text::UnderVoltageWarningVsDischargeLimit},
        {[&] { return n(Slot::BoostReconnectVoltage) > n(Slot::LowVoltageReconnect); },
         Text::BoostReconnectVsLowVoltageReconnect},
    };
    int number = 0;
    for (const Rule &rule : rules) {
        ++number;
        if (!rule.holds())
            return BatteryRuleFailure{number, rule.text(), false};
    }

    // The window scales with the rated level; "0" (automatic) counts as 12 V, and a level that
    // is no number gives an empty window. Only gel may leave a voltage at 0.
    const qint64 m = RatedVoltageMultiplier(candidate.value(Slot::RatedVoltageLevel));
    for (int slot = Slot::OverVoltageDisconnect; slot <= Slot::DischargeLimitVoltage; ++slot) {
        const qint64 voltage = n(slot);
        if (!within(voltage, kWindowLow * m, kWindowHigh * m) && !(gel && voltage == 0))
            return BatteryRuleFailure{number + 1, Text::VoltageOutOfWindow(), true};
    }
    return std::nullopt;
}

bool ValidateBatteryParameters(const QStringList &candidate, QObject *form,
                               MessageService &messages)
{
    const std::optional<BatteryRuleFailure> failure = FirstFailedBatteryRule(candidate);
    if (!failure)
        return true;
    if (failure->formBox)
        messages.info(form, failure->text);
    else
        messages.warning(failure->text);
    return false;
}
