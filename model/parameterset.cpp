#include "model/parameterset.h"

ParameterSet::ParameterSet()
{
    for (const SlotInfo &slot : kSlotTable)
        values.append(QString::fromLatin1(slot.defaultText));
}

QList<int> groupWalk(GroupSelection selection)
{
    QList<int> walk;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (selectionHasGroup(selection, kSlotTable[slot].group))
            walk.append(slot);
    }
    return walk;
}

QString registerText(int slot)
{
    return QString::number(kSlotTable[slot].reg, 16).toUpper();
}

QString defaultValue(int slot)
{
    return QString::fromLatin1(kSlotTable[slot].defaultText);
}

GroupSelection selectionFromBoxes(bool batteryBox, bool loadBox, bool generalLoad)
{
    if (batteryBox && loadBox)
        return generalLoad ? GroupSelection::BatteryLoad : GroupSelection::All;
    if (batteryBox)
        return GroupSelection::Battery;
    if (loadBox)
        return generalLoad ? GroupSelection::Load : GroupSelection::LoadLed;
    return GroupSelection::None;
}

int slotCount(GroupSelection selection)
{
    switch (selection) {
    case GroupSelection::None:
        return 0;
    case GroupSelection::Battery:
        return 21;
    case GroupSelection::Load:
        return 22;
    case GroupSelection::LoadLed:
        return 38;
    case GroupSelection::BatteryLoad:
        return 43;
    case GroupSelection::All:
        return 59;
    }
    return 0;
}

GroupSelection selectionFromSlotCount(qsizetype count)
{
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        if (slotCount(s) == count)
            return s;
    }
    return GroupSelection::None;
}

bool selectionHasGroup(GroupSelection selection, SlotGroup group)
{
    switch (group) {
    case SlotGroup::Battery:
        return selection == GroupSelection::Battery || selection == GroupSelection::BatteryLoad ||
               selection == GroupSelection::All;
    case SlotGroup::Load:
        return selection != GroupSelection::None && selection != GroupSelection::Battery;
    case SlotGroup::Led:
        return selection == GroupSelection::LoadLed || selection == GroupSelection::All;
    }
    return false;
}
