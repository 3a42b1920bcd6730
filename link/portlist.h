#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Natural order of port names: letters by text, digit runs by value (COM2 < COM10,
// ttyS1 < ttyUSB0 < ttyUSB2 < ttyUSB10).
bool PortNameLess(QStringView a, QStringView b);
QStringList SortPortNames(QStringList names);
// The port list: the platform's port names in natural order, then the entries of `extraPorts`
// (split by the platform's path-list separator, empty pieces skipped) as given.
QStringList PortListEntries(QStringList platformNames, const QString &extraPorts);
