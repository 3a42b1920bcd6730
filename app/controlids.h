#pragma once

// Numeric ids of the main window's controls, shared by the command dispatch and the tests.
namespace MainWindowId {
enum : int
{
    PortList = 1000,
    PortButton = 1001,
    ProductSelector = 1003,
    BatteryGroupBox = 1004,
    BatteryGroupButton = 1005,
    LoadGroupBox = 1006,
    LoadGroupButton = 1007,
    SaveButton = 1008,
    ImportButton = 1009,
    ClearButton = 1051,
    TimeSyncButton = 1052,
    ReadButton = 1053,
    UpdateButton = 1054,
    ProductPrompt = 1119,
    ProductNameLabel = 1120,
};
} // namespace MainWindowId

// System command id of the About entry (the low four bits are reserved for the system).
inline constexpr unsigned kAboutCommandId = 0x0010;
