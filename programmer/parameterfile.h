#pragma once

#include "model/parameterset.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class MessageService;
class QObject;
class SelectionModel;

// The parameter file: line 1 is the product name, then one "address:value" line per slot of a
// selection, in slot order. Every line ends in CR LF; code page 936, no byte-order mark. The
// number of slot lines (21, 22, 38, 43 or 59) is all that tells the selection.

// An import refuses longer files rather than cutting them short.
inline constexpr qsizetype kMaxParameterFileSize = 1023;

// What an accepted file holds, before it is applied.
struct ParameterFileContent
{
    QString productName;
    GroupSelection selection = GroupSelection::None;
    // One entry per slot of the selection's walk, in order; taken as they are, unchecked.
    QStringList addresses;
    QStringList values;
};

QByteArray FormatParameterFile(const ParameterSet &parameters, const QString &productName,
                               GroupSelection selection);
// nullopt when the file is refused: no line end, or a slot line count that is no selection's.
std::optional<ParameterFileContent> ParseParameterFile(const QByteArray &bytes);

// Replaces the file at `path` with `bytes` as a whole: the previous file stays until the new one
// is complete. False when it could not be written.
bool WriteParameterFile(const QString &path, const QByteArray &bytes);

// The path with ".txt" appended unless its file name already contains it, in any case.
QString WithTextExtension(const QString &path);

// "保存参数": writes the product name and the current selection's slots to `path` (which gets
// ".txt" if it lacks it) and confirms with a box owned by `owner`. The previous file is replaced
// only by a complete new one. An empty path (a cancelled dialog) does nothing.
void SaveParameterFile(const ParameterSet &parameters, const SelectionModel &selection,
                       MessageService &messages, QObject *owner, const QString &path);

// "导入参数": reads `path` into the parameter set and restores the label, the group boxes and
// the load form that belong to it. A refused file changes nothing. An empty path does nothing.
void ImportParameterFile(ParameterSet &parameters, SelectionModel &selection,
                         MessageService &messages, const QString &path);
