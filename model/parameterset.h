#pragma once

#include "model/slottable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The groups a save, read or update covers. Each selection covers a distinct number of slots
// (21, 22, 38, 43, 59), which is how files and the programmer identify it.
enum class GroupSelection
{
    None,        // neither group box checked
    Battery,     // group 1                 21 slots
    Load,        // group 2                 22 slots
    LoadLed,     // groups 2, 3             38 slots
    BatteryLoad, // groups 1, 2             43 slots
    All,         // groups 1, 2, 3          59 slots
};

// The selection that the two group check boxes and the current load form make.
GroupSelection selectionFromBoxes(bool batteryBox, bool loadBox, bool generalLoad);
// Number of slots a selection covers; 0 for None.
int slotCount(GroupSelection selection);
// The selection covering exactly `count` slots, or None when no selection has that count.
GroupSelection selectionFromSlotCount(qsizetype count);
bool selectionHasGroup(GroupSelection selection, SlotGroup group);
// Slot numbers of the selection's groups, ascending. The k-th slot pairs with the k-th line of
// a file or the k-th register of a transfer.
QList<int> groupWalk(GroupSelection selection);

// A slot's register as files show it: four upper-case hex digits ("900A").
QString registerText(int slot);
// What a fresh set holds in the slot (voltages on a 12 V basis).
QString defaultValue(int slot);

// The product types in the order the window lists them; the index is the ProductType.
struct ProductType
{
    const char *name;
    bool generalLoad; // false: its load is edited in the LED form
};
inline constexpr std::array<ProductType, 11> kProductTypes = {{
    {"QM-X", true},
    {"QM-XD", true},
    {"QM-XDJ", false},
    {"QM-XDJU", false},
    {"QM-MDJU", false},
    {"ZR-XW", true},
    {"Korvel-XW", true},
    {"Korvel-XD", true},
    {"Korvel-MDJ", false},
    {"Korvel-MDJU", false},
    {"HWKT-GNF", false},
}};

// The value texts of the 59 slots: decimal integer text, what files and transfers carry. One
// set lives for the whole run; every part of the program reads and writes it in place.
struct ParameterSet
{
    static constexpr int kSlotCount = ::kSlotCount;

    // A fresh set: every slot at its default.
    ParameterSet();

    QStringList values;
};

// Slot numbers of the parameters that code refers to by name.
namespace Slot {
enum : int
{
    BatteryType = 0,
    BatteryCapacity = 1,
    TempCompensation = 2,
    OverVoltageDisconnect = 3,
    ChargeLimitVoltage = 4,
    OverVoltageReconnect = 5,
    EqualizeVoltage = 6,
    BoostVoltage = 7,
    FloatVoltage = 8,
    BoostReconnectVoltage = 9,
    LowVoltageReconnect = 10,
    UnderVoltageWarningReconnect = 11,
    UnderVoltageWarning = 12,
    LowVoltageDisconnect = 13,
    DischargeLimitVoltage = 14,
    LightOnVoltage = 15,
    LightOnDelay = 16,
    LightOffVoltage = 17,
    LightOffDelay = 18,
    LoadControlMode = 19,
    Mode2Period1 = 20,
    Mode2Period2 = 21,
    Mode2Period3 = 22,
    TimerOn1Second = 23,
    TimerOn1Minute = 24,
    TimerOn1Hour = 25,
    TimerOff1Second = 26,
    TimerOff1Minute = 27,
    TimerOff1Hour = 28,
    TimerOn2Second = 29,
    TimerOn2Minute = 30,
    TimerOn2Hour = 31,
    TimerOff2Second = 32,
    TimerOff2Minute = 33,
    TimerOff2Hour = 34,
    Mode2Period1Percent = 35,
    Mode2Period2Percent = 36,
    Mode2Period3Percent = 37,
    NightLength = 38,
    RatedVoltageLevel = 39,
    Timer2Enabled = 40,
    ManualDefaultOn = 41,
    EqualizeDuration = 42,
    BoostDuration = 43,
    DischargePercent = 44,
    ChargePercent = 45,
    ChargingMode = 46,
    UnderVoltageLimitEnabled = 47,
    UnderVoltageLimitPercent = 48,
    LedRatedCurrent = 49,
    ManualOnPercent = 50,
    Mode1Period1 = 51,
    Mode1Period2 = 52,
    Mode1Period3 = 53,
    Mode1Period1Percent = 54,
    Mode1Period2Percent = 55,
    Mode1Period3Percent = 56,
    Timer1Percent = 57,
    Timer2Percent = 58,
};
} // namespace Slot
