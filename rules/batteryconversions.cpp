#include "rules/batteryconversions.h"

#include "model/texts.h"
#include "model/valuetext.h"

namespace {

QString voltsFromHundredths(double hundredths)
{
    // Adding 0.0 turns a negative zero into zero, so "-0" shows "0.00".
    return QString::number(hundredths / 100.0 + 0.0, 'f', 2);
}

} // namespace

QStringList batteryTypeItems()
{
    return {Text::batteryTypeUserDefined(), Text::batteryTypeSealed(), Text::batteryTypeGel(),
            Text::batteryTypeFlooded()};
}

QStringList chargingModeItems()
{
    return {Text::chargingModeCompensation(), Text::chargingModeSoc()};
}

QStringList ratedVoltageItems()
{
    return {Text::ratedVoltageAuto(), Text::ratedVoltage12(), Text::ratedVoltage24(),
            Text::ratedVoltage36(), Text::ratedVoltage48()};
}

std::optional<TypeVoltages> batteryTypeVoltages(int type)
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

QString voltageShown(const QString &slotText)
{
    return voltsFromHundredths(lenientDouble(slotText));
}

QString defaultVoltageShown(const QString &basisText, int multiplier)
{
    return voltsFromHundredths(lenientDouble(basisText) * multiplier);
}

QString equalizeVoltageShown(const QString &slotText)
{
    return slotText == QLatin1String("0") ? Text::noStage() : voltageShown(slotText);
}

QString voltageCollected(const QString &shown)
{
    if (shown == Text::noStage())
        return QStringLiteral("0");
    return QString::number(hundredthsFromText(shown));
}

QString tempCompensationShown(const QString &slotText)
{
    // Integer division truncates toward zero: "350" shows -3 like "300".
    return QString::number(lenientInt(slotText) / -100);
}

QString tempCompensationCollected(const QString &shown)
{
    return QString::number(-hundredthsFromText(shown));
}

QString equalizeDurationCollected(const QString &shown)
{
    return shown == Text::noStage() ? QStringLiteral("0") : shown;
}

std::optional<int> listPosition(const QStringList &items, const QString &slotText)
{
    const int position = lenientInt(slotText);
    if (position < 0 || position >= items.size())
        return std::nullopt;
    return position;
}

QString listItemShown(const QStringList &items, const QString &slotText)
{
    return items.value(listPosition(items, slotText).value_or(-1));
}

std::optional<QString> listPositionCollected(const QStringList &items, const QString &shown)
{
    const qsizetype position = items.indexOf(shown);
    if (position < 0)
        return std::nullopt;
    return QString::number(position);
}
