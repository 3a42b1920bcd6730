#include "rules/batteryconversions.h"

#include "model/texts.h"
#include "model/valuetext.h"

namespace {

QString VoltsFromHundredths(double hundredths)
{
    // Adding 0.0 turns a negative zero into zero, so "-0" shows "0.00".
    return QString::number(hundredths / 100.0 + 0.0, 'f', 2);
}

} // namespace

QStringList BatteryTypeItems()
{
    return {Text::BatteryTypeUserDefined(), Text::BatteryTypeSealed(), Text::BatteryTypeGel(),
            Text::BatteryTypeFlooded()};
}

QStringList ChargingModeItems()
{
    return {Text::ChargingModeCompensation(), Text::ChargingModeSoc()};
}

QStringList RatedVoltageItems()
{
    return {Text::RatedVoltageAuto(), Text::RatedVoltage12(), Text::RatedVoltage24(),
            Text::RatedVoltage36(), Text::RatedVoltage48()};
}

std::optional<TypeVoltages> BatteryTypeVoltages(int type)
{
    switch (type) {
    case BatteryType::UserDefined:
    case BatteryType::Sealed:
        return TypeVoltages{QStringLiteral("1460"), QStringLiteral("1440")};
    case BatteryType::Gel:
        return TypeVoltages{QStringLiteral("0"), QStringLiteral("1420")};
    case BatteryType::Flooded:
        return TypeVoltages{QStringLiteral("1480"), QStringLiteral("1460")};
    default:
        return std::nullopt;
    }
}

QString VoltageShown(const QString &slotText)
{
    return VoltsFromHundredths(LenientDouble(slotText));
}

QString DefaultVoltageShown(const QString &basisText, int multiplier)
{
    return VoltsFromHundredths(LenientDouble(basisText) * multiplier);
}

QString EqualizeVoltageShown(const QString &slotText)
{
    return slotText == QLatin1String("0") ? Text::NoStage() : VoltageShown(slotText);
}

QString VoltageCollected(const QString &shown)
{
    if (shown == Text::NoStage())
        return QStringLiteral("0");
    return QString::number(HundredthsFromText(shown));
}

QString TempCompensationShown(const QString &slotText)
{
    // Integer division truncates toward zero: "350" shows -3 like "300".
    return QString::number(LenientInt(slotText) / -100);
}

QString TempCompensationCollected(const QString &shown)
{
    return QString::number(-HundredthsFromText(shown));
}

QString EqualizeDurationCollected(const QString &shown)
{
    return shown == Text::NoStage() ? QStringLiteral("0") : shown;
}

std::optional<int> ListPosition(const QStringList &items, const QString &slotText)
{
    const int position = LenientInt(slotText);
    if (position < 0 || position >= items.size())
        return std::nullopt;
    return position;
}

QString ListItemShown(const QStringList &items, const QString &slotText)
{
    return items.value(ListPosition(items, slotText).value_or(-1));
}

std::optional<QString> ListPositionCollected(const QStringList &items, const QString &shown)
{
    const qsizetype position = items.indexOf(shown);
    if (position < 0)
        return std::nullopt;
    return QString::number(position);
}
