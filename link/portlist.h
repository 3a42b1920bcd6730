#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Natural order of port names: letters by text, digit runs by value (COM2 < COM10,
// ttyS1 < ttyUSB0 < ttyUSB2 < ttyUSB10).
bool portNameLess(QStringView a, QStringView b);
QStringList sortPortNames(QStringList names);
// The port list: the platform's port names in natural order, then the entries of `extraPorts`
// (split by the platform's path-list separator, empty pieces skipped) as given.
QStringList portListEntries(QStringList platformNames, const QString &extraPorts);

// A port list as shown: its entries and the row the user chose (-1: none).
struct PortListState
{
    QStringList entries;
    int chosen = -1;
    friend bool operator==(const PortListState &, const PortListState &) = default;
};
// The list after enumerating again (`enumerated` comes in the list's order): the enumerated
// entries, with the user's entry still chosen while it is there and none chosen once it has
// gone. Empty when the same entries came back, so that nothing changes.
std::optional<PortListState> refreshedPortList(const PortListState &shown,
                                               const QStringList &enumerated);
