#pragma once

#include <QtGlobal>

#include <array>

// The 59 controller parameters the programmer stores, in slot order: the one place that says
// which register a slot is, which group it belongs to, how its value text is to be read and what
// a fresh set holds. Registers rise with the slot but leave gaps (900E -> 901E, 9065 -> 9067).

// "1" battery, "2" load, "3" LED load: the groups a file or a stored block holds.
enum class SlotGroup : quint8
{
    Battery = 1,
    Load = 2,
    Led = 3,
};

// What the number in a value text counts. The forms show it divided by the slot's scale.
enum class SlotUnit : quint8
{
    None, // a list position, a mode code or a flag
    Volt, // battery voltages: the default on a 12 V basis, scaled by the rated level
    Ampere,
    AmpereHour,
    Minute,
    Percent,
    Coefficient,   // temperature compensation, mV/℃/2V
    HourMinute,    // a duration as hours * 256 + minutes
    TimeOfDayPart, // the hour, minute or second of a time of day, one slot each
};

struct SlotInfo
{
    const char *name; // the Slot:: name the code uses for it
    quint16 reg;      // its controller register
    SlotGroup group;
    SlotUnit unit;
    int scale; // stored number = shown number * scale (hundredths: 100; the coefficient: -100)
    const char *defaultText;
};

inline constexpr int kSlotCount = 59;

// clang-format off
inline constexpr std::array<SlotInfo, kSlotCount> kSlotTable = {{
    {"BatteryType",                  0x9000, SlotGroup::Battery, SlotUnit::None,          1,    "1"},
    {"BatteryCapacity",              0x9001, SlotGroup::Battery, SlotUnit::AmpereHour,    1,    "200"},
    {"TempCompensation",             0x9002, SlotGroup::Battery, SlotUnit::Coefficient,   -100, "300"},
    {"OverVoltageDisconnect",        0x9003, SlotGroup::Battery, SlotUnit::Volt,          100,  "1600"},
    {"ChargeLimitVoltage",           0x9004, SlotGroup::Battery, SlotUnit::Volt,          100,  "1500"},
    {"OverVoltageReconnect",         0x9005, SlotGroup::Battery, SlotUnit::Volt,          100,  "1500"},
    {"EqualizeVoltage",              0x9006, SlotGroup::Battery, SlotUnit::Volt,          100,  "1460"},
    {"BoostVoltage",                 0x9007, SlotGroup::Battery, SlotUnit::Volt,          100,  "1440"},
    {"FloatVoltage",                 0x9008, SlotGroup::Battery, SlotUnit::Volt,          100,  "1380"},
    {"BoostReconnectVoltage",        0x9009, SlotGroup::Battery, SlotUnit::Volt,          100,  "1320"},
    {"LowVoltageReconnect",          0x900A, SlotGroup::Battery, SlotUnit::Volt,          100,  "1260"},
    {"UnderVoltageWarningReconnect", 0x900B, SlotGroup::Battery, SlotUnit::Volt,          100,  "1220"},
    {"UnderVoltageWarning",          0x900C, SlotGroup::Battery, SlotUnit::Volt,          100,  "1200"},
    {"LowVoltageDisconnect",         0x900D, SlotGroup::Battery, SlotUnit::Volt,          100,  "1110"},
    {"DischargeLimitVoltage",        0x900E, SlotGroup::Battery, SlotUnit::Volt,          100,  "1060"},
    {"LightOnVoltage",               0x901E, SlotGroup::Load,    SlotUnit::Volt,          100,  "500"},
    {"LightOnDelay",                 0x901F, SlotGroup::Load,    SlotUnit::Minute,        1,    "10"},
    {"LightOffVoltage",              0x9020, SlotGroup::Load,    SlotUnit::Volt,          100,  "600"},
    {"LightOffDelay",                0x9021, SlotGroup::Load,    SlotUnit::Minute,        1,    "10"},
    {"LoadControlMode",              0x903D, SlotGroup::Load,    SlotUnit::None,          1,    "0"},
    {"Mode2Period1",                 0x903E, SlotGroup::Load,    SlotUnit::HourMinute,    1,    "512"},
    {"Mode2Period2",                 0x903F, SlotGroup::Load,    SlotUnit::HourMinute,    1,    "512"},
    {"Mode2Period3",                 0x9040, SlotGroup::Led,     SlotUnit::HourMinute,    1,    "512"},
    {"TimerOn1Second",               0x9042, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOn1Minute",               0x9043, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOn1Hour",                 0x9044, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "10"},
    {"TimerOff1Second",              0x9045, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOff1Minute",              0x9046, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOff1Hour",                0x9047, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "19"},
    {"TimerOn2Second",               0x9048, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOn2Minute",               0x9049, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOn2Hour",                 0x904A, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "8"},
    {"TimerOff2Second",              0x904B, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOff2Minute",              0x904C, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "0"},
    {"TimerOff2Hour",                0x904D, SlotGroup::Load,    SlotUnit::TimeOfDayPart, 1,    "18"},
    {"Mode2Period1Percent",          0x905A, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Mode2Period2Percent",          0x905B, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Mode2Period3Percent",          0x905C, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"NightLength",                  0x9065, SlotGroup::Load,    SlotUnit::HourMinute,    1,    "2560"},
    {"RatedVoltageLevel",            0x9067, SlotGroup::Battery, SlotUnit::None,          1,    "0"},
    {"Timer2Enabled",                0x9069, SlotGroup::Load,    SlotUnit::None,          1,    "0"},
    {"ManualDefaultOn",              0x906A, SlotGroup::Load,    SlotUnit::None,          1,    "1"},
    {"EqualizeDuration",             0x906B, SlotGroup::Battery, SlotUnit::Minute,        1,    "120"},
    {"BoostDuration",                0x906C, SlotGroup::Battery, SlotUnit::Minute,        1,    "120"},
    {"DischargePercent",             0x906D, SlotGroup::Battery, SlotUnit::Percent,       1,    "30"},
    {"ChargePercent",                0x906E, SlotGroup::Battery, SlotUnit::Percent,       1,    "100"},
    {"ChargingMode",                 0x9070, SlotGroup::Battery, SlotUnit::None,          1,    "0"},
    {"UnderVoltageLimitEnabled",     0x9072, SlotGroup::Led,     SlotUnit::None,          1,    "0"},
    {"UnderVoltageLimitPercent",     0x9073, SlotGroup::Led,     SlotUnit::Percent,       100,  "5000"},
    {"LedRatedCurrent",              0x9078, SlotGroup::Led,     SlotUnit::Ampere,        100,  "200"},
    {"ManualOnPercent",              0x9079, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Mode1Period1",                 0x907A, SlotGroup::Led,     SlotUnit::HourMinute,    1,    "512"},
    {"Mode1Period2",                 0x907B, SlotGroup::Led,     SlotUnit::HourMinute,    1,    "512"},
    {"Mode1Period3",                 0x907C, SlotGroup::Led,     SlotUnit::HourMinute,    1,    "512"},
    {"Mode1Period1Percent",          0x907D, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Mode1Period2Percent",          0x907E, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Mode1Period3Percent",          0x907F, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Timer1Percent",                0x9080, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
    {"Timer2Percent",                0x9081, SlotGroup::Led,     SlotUnit::Percent,       100,  "10000"},
}};
// clang-format on
