#pragma once

#include "model/parameterset.h"
#include "programmer/registermap.h"

#include <QString>

// Compares the block an update wrote with what a read then found, word by word in the order the
// programmer stores them: the name registers, the count, each stored parameter's value (the read
// has already refused addresses that are not the slots' registers) and the checksum register.
// The first difference as the message to show; empty when the programmer holds exactly what was
// written.
QString blockMismatch(const EncodedBlock &written, const QString &readName,
                      const ParameterSet &readSet, GroupSelection readSelection,
                      quint16 readChecksum);
