#include "rules/loadconversions.h"

#include "model/valuetext.h"

#include <algorithm>

namespace Load {

QString twoDecimals(const QString &storedHundredths)
{
    const qint64 value = lenientInt64(storedHundredths);
    const qint64 magnitude = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3")
        .arg(value < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString hundredths(const QString &typed)
{
    return QString::number(hundredthsFromText(typed));
}

int shownPercent(const QString &stored)
{
    return std::clamp(lenientInt(stored) / 100, 0, 100);
}

QString storedPercent(int percent)
{
    return QString::number(percent * 100);
}

QTime timeFromHourMinuteCode(const QString &stored)
{
    const int code = lenientInt(stored);
    const HourMinute time = hourMinuteFromCode(code);
    if (code < 0 || time.hours > 23 || time.minutes > 59)
        return QTime(0, 0);
    return QTime(time.hours, time.minutes);
}

QString hourMinuteCodeText(const QTime &time)
{
    return QString::number(hourMinuteCode(time.hour(), time.minute()));
}

QTime timeOfDay(const QStringList &values, TimeOfDaySlots where)
{
    const int hour = lenientInt(values.at(where.hour));
    const int minute = lenientInt(values.at(where.minute));
    const int second = lenientInt(values.at(where.second));
    if (!QTime::isValid(hour, minute, second))
        return QTime(0, 0);
    return QTime(hour, minute, second);
}

void storeTimeOfDay(QStringList &values, TimeOfDaySlots where, const QTime &time)
{
    values[where.hour] = QString::number(time.hour());
    values[where.minute] = QString::number(time.minute());
    values[where.second] = QString::number(time.second());
}

int modeButton(std::span<const ModeCode> modes, const QString &mode, const QString &manual)
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

void storeMode(std::span<const ModeCode> modes, int checkedButton, QStringList &values)
{
    for (const ModeCode &code : modes) {
        if (code.button == checkedButton) {
            values[Slot::LoadControlMode] = QString::fromLatin1(code.mode);
            values[Slot::ManualDefaultOn] = QString::fromLatin1(code.manual);
        }
    }
}

} // namespace Load
