#pragma once

#include "sim/programmermodel.h"

#include <QString>

// The state file keeps the stored block between runs (not the clock). Plain text, one item a
// line, hex words of 1 to 4 digits separated by blanks:
//
//   # comment
//   count=003B
//   checksum=ABCD
//   name=4241 4443 0045 0000 0000 0000 0000 0000      (up to 8 words)
//   addresses=9000 9001 9002 ...                        (up to 59 words)
//   values=0001 00C8 ...                                (up to 59 words)
//
// Blank lines and lines starting with '#' are skipped; an item or word left out is 0000.
// Any count may be given here, also one that a write would refuse. Unknown items are errors.
namespace sim {

QString stateText(const StoredBlock &block);
bool parseState(const QString &text, StoredBlock &out, QString *error);

// The file must exist and parse; out is untouched on failure.
bool loadStateFile(const QString &path, StoredBlock &out, QString *error);
// Writes a temporary file and renames it over path, so a reader never sees half a file.
bool saveStateFile(const QString &path, const StoredBlock &block, QString *error);

} // namespace sim
