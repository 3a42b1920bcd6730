#include "rules/blockdiff.h"

#include "model/texts.h"
#include "model/valuetext.h"
#include "rules/batteryconversions.h"
#include "rules/loadconversions.h"

#include <algorithm>
#include <array>

namespace {

// The four times of day, each found by its lowest slot (the second).
constexpr std::array kTimes = {Load::kTimerOn1, Load::kTimerOff1, Load::kTimerOn2,
                               Load::kTimerOff2};

const Load::TimeOfDaySlots *timeAt(int slot)
{
    const auto it = std::ranges::find(kTimes, slot, &Load::TimeOfDaySlots::second);
    return it == kTimes.end() ? nullptr : &*it;
}

bool minuteOrHourOfATime(int slot)
{
    return std::ranges::any_of(kTimes, [slot](const Load::TimeOfDaySlots &t) {
        return t.minute == slot || t.hour == slot;
    });
}

// The slots a parameter keeps its value in.
QList<int> slotsOf(int slot)
{
    if (const Load::TimeOfDaySlots *t = timeAt(slot))
        return {t->hour, t->minute, t->second};
    return {slot};
}

// The number an update sends for a text, or the text itself when it sends none.
QString stored(const QString &value)
{
    const std::optional<quint16> word = valueWord(value);
    return word ? QString::number(*word) : value;
}

QString storedOf(int slot, const QStringList &values)
{
    QStringList parts;
    for (int s : slotsOf(slot))
        parts << stored(values.at(s));
    return parts.join(u':');
}

QString groupsShown(GroupSelection groups)
{
    QStringList names;
    if (selectionHasGroup(groups, SlotGroup::Battery))
        names << Text::batteryGroupName();
    if (selectionHasGroup(groups, SlotGroup::Led))
        names << Text::ledLoadCaption();
    else if (selectionHasGroup(groups, SlotGroup::Load))
        names << Text::generalLoadCaption();
    return names.isEmpty() ? Text::noGroups() : names.join(Text::groupSeparator());
}

QString listShown(const QStringList &items, const QString &value)
{
    const QString item = listItemShown(items, value);
    return item.isEmpty() ? value : item;
}

QString modeShown(const QString &code, bool ledForm)
{
    switch (lenientInt(code)) {
    case 0:
        return Text::modeManual();
    case 1:
        return ledForm ? Text::modeLight() : Text::modeLightOnly();
    case 2:
        return ledForm ? Text::lightPlusTimerMode2() : Text::modeLightTimer();
    case 3:
        return Text::modeTimer();
    case 4:
        if (ledForm)
            return Text::lightPlusTimerMode1();
        break;
    default:
        break;
    }
    return code;
}

} // namespace

QString parameterShown(int slot, const StoredBlock &block)
{
    const QString &v = block.values.at(slot);
    if (const Load::TimeOfDaySlots *t = timeAt(slot))
        return Load::timeOfDay(block.values, *t).toString(QStringLiteral("HH:mm:ss"));
    switch (slot) {
    case Slot::BatteryType:
        return listShown(batteryTypeItems(), v);
    case Slot::RatedVoltageLevel:
        return listShown(ratedVoltageItems(), v);
    case Slot::ChargingMode:
        return listShown(chargingModeItems(), v);
    case Slot::LoadControlMode:
        return modeShown(v, selectionHasGroup(block.groups, SlotGroup::Led));
    case Slot::EqualizeVoltage:
        return equalizeVoltageShown(v);
    case Slot::TempCompensation:
        return tempCompensationShown(v);
    case Slot::Timer2Enabled:
    case Slot::ManualDefaultOn:
        return v == u"1" ? Text::flagOn() : Text::flagOff();
    case Slot::UnderVoltageLimitEnabled:
        return v == u"65535" ? Text::flagOn() : Text::flagOff();
    default:
        break;
    }
    const SlotInfo &info = kSlotTable[slot];
    switch (info.unit) {
    case SlotUnit::Volt:
    case SlotUnit::Ampere:
        return Load::twoDecimals(v);
    case SlotUnit::HourMinute:
        return Load::timeFromHourMinuteCode(v).toString(QStringLiteral("HH:mm"));
    case SlotUnit::Percent:
        return QStringLiteral("%1 %").arg(info.scale == 100 ? QString::number(Load::shownPercent(v))
                                                            : stored(v));
    default:
        return stored(v);
    }
}

QList<BlockDifference> blockDifferences(const StoredBlock &programmer, const StoredBlock &current)
{
    QList<BlockDifference> rows;
    if (programmer.productName != current.productName)
        rows.append({Text::productNameParameter(), programmer.productName, current.productName});
    if (programmer.groups != current.groups)
        rows.append(
            {Text::groupsParameter(), groupsShown(programmer.groups), groupsShown(current.groups)});

    const QList<int> programmerWalk = groupWalk(programmer.groups);
    const QList<int> currentWalk = groupWalk(current.groups);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool inProgrammer = programmerWalk.contains(slot);
        const bool inCurrent = currentWalk.contains(slot);
        if ((!inProgrammer && !inCurrent) || minuteOrHourOfATime(slot))
            continue;
        const QString programmerStored = storedOf(slot, programmer.values);
        const QString currentStored = storedOf(slot, current.values);
        if (inProgrammer && inCurrent && programmerStored == currentStored)
            continue;
        BlockDifference row{Text::parameterName(slot),
                            inProgrammer ? parameterShown(slot, programmer) : Text::notStored(),
                            inCurrent ? parameterShown(slot, current) : Text::notStored()};
        if (inProgrammer && inCurrent && row.programmer == row.current) {
            row.programmer += QStringLiteral(" (%1)").arg(programmerStored);
            row.current += QStringLiteral(" (%1)").arg(currentStored);
        }
        rows.append(row);
    }
    return rows;
}
