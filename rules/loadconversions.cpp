#include "rules/loadconversions.h"

#include "model/valuetext.h"

#include <algorithm>

namespace Load {

QString TwoDecimals(const QString &storedHundredths)
{
    const qint64 value = LenientInt64(storedHundredths);
    const qint64 magnitude = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3")
        .arg(value < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString Hundredths(const QString &typed)
{
    return QString::number(HundredthsFromText(typed));
}

int ShownPercent(const QString &stored)
{
    return std::clamp(LenientInt(stored) / 100, 0, 100);
}

QString StoredPercent(int percent)
{
    return QString::number(percent * 100);
}

QTime TimeFromHourMinuteCode(const QString &stored)
{
    const int code = LenientInt(stored);
    const HourMinute time = HourMinuteFromCode(code);
    if (code < 0 || time.hours > 23 || time.minutes > 59)
        return QTime(0, 0);
    return QTime(time.hours, time.minutes);
}

QString HourMinuteCodeText(const QTime &time)
{
    return QString::number(HourMinuteCode(time.hour(), time.minute()));
}

QTime TimeOfDay(const QStringList &values, TimeOfDaySlots where)
{
    const int hour = LenientInt(values.at(where.hour));
    const int minute = LenientInt(values.at(where.minute));
    const int second = LenientInt(values.at(where.second));
    if (!QTime::isValid(hour, minute, second))
        return QTime(0, 0);
    return QTime(hour, minute, second);
}

void StoreTimeOfDay(QStringList &values, TimeOfDaySlots where, const QTime &time)
{
    values[where.hour] = QString::number(time.hour());
    values[where.minute] = QString::number(time.minute());
    values[where.second] = QString::number(time.second());
}

int ModeButton(std::span<const ModeCode> modes, const QString &mode, const QString &manual)
{
    int button = 0;
    for (const ModeCode &code : modes) {
        if (mode != QLatin1String(code.mode))
            continue;
        if (manual == QLatin1String(code.manual))
            return code.button;
        button = code.button;
    }
    return button;
}

void StoreMode(std::span<const ModeCode> modes, int checkedButton, QStringList &values)
{
    for (const ModeCode &code : modes) {
        if (code.button == checkedButton) {
            values[Slot::LoadControlMode] = QString::fromLatin1(code.mode);
            values[Slot::ManualDefaultOn] = QString::fromLatin1(code.manual);
        }
    }
}

} // namespace Load
