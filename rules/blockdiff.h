#pragma once

#include "model/parameterset.h"

#include <QList>
#include <QString>
#include <QStringList>

// A parameter block as a comparison sees it: what a read found in the programmer, or what an
// update of the current parameters would write there.
struct StoredBlock
{
    QString productName; // as a read gives it back
    GroupSelection groups = GroupSelection::None;
    QStringList values; // all 59 slots; only the groups' slots count
};

// One parameter that differs, each side as the forms show it ("14.60", "02:30", "50 %").
struct BlockDifference
{
    QString parameter;
    QString programmer;
    QString current;
    friend bool operator==(const BlockDifference &, const BlockDifference &) = default;
};

// The differences in the order the forms list them by slot: the product name, the groups, then
// every parameter either block stores whose register word differs (a time of day, kept in three
// slots, is one parameter). A parameter only one block stores shows "—" on the other side. Where
// two different words show the same (a code no picker can show, a level between whole percents),
// the stored number follows in brackets.
QList<BlockDifference> blockDifferences(const StoredBlock &programmer, const StoredBlock &current);

// A block's value of one parameter as the forms show it; `slot` is the lowest slot of a time of
// day.
QString parameterShown(int slot, const StoredBlock &block);
