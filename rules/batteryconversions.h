#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Conversions between the battery slots' texts and what the battery form shows. Slots hold
// voltages in 10 mV units and the temperature coefficient as minus 100 times mV/°C/2V.

// The three lists, in list order; a list slot stores the item's position.
QStringList batteryTypeItems();
QStringList chargingModeItems();
QStringList ratedVoltageItems();

// Positions in batteryTypeItems() that the form treats specially.
namespace BatteryType {
enum : int
{
    UserDefined = 0,
    Sealed = 1,
    Gel = 2,
    Flooded = 3,
};
} // namespace BatteryType

// Default equalize and boost voltages of a battery type (12 V basis, 10 mV units, decimal
// text). Gel has no equalize stage ("0"). Nothing for a position outside the list.
struct TypeVoltages
{
    QString equalize;
    QString boost;
};
std::optional<TypeVoltages> batteryTypeVoltages(int type);

// Voltage slot text to volts with two decimals: "1460" -> "14.60".
QString voltageShown(const QString &slotText);
// A 12 V basis voltage as shown for the rated-voltage multiplier: ("1600", 2) -> "32.00".
QString defaultVoltageShown(const QString &basisText, int multiplier);
// As voltageShown, but a slot text of exactly "0" (no equalize stage) shows "--".
QString equalizeVoltageShown(const QString &slotText);
// Volts as typed to the slot text, exact to the hundredth and truncated toward zero:
// "14.409" -> "1440", "4.35" -> "435". "--" gives "0".
QString voltageCollected(const QString &shown);

// Temperature coefficient slot text to the shown whole number: "300" -> "-3", "350" -> "-3".
QString tempCompensationShown(const QString &slotText);
// Shown coefficient to the slot text: "-3" -> "300", "-3.7" -> "370", "5" -> "-500".
QString tempCompensationCollected(const QString &shown);

// Equalize duration in minutes: "--" stands for "0"; any other text is kept as it is.
QString equalizeDurationCollected(const QString &shown);

// The position a list slot names (its number, read leniently), nothing when it is outside the
// list, and the item at that position; empty when outside.
std::optional<int> listPosition(const QStringList &items, const QString &slotText);
QString listItemShown(const QStringList &items, const QString &slotText);
// The position text of the item whose name is exactly `shown`; nothing when no item matches,
// in which case the slot keeps its text.
std::optional<QString> listPositionCollected(const QStringList &items, const QString &shown);
