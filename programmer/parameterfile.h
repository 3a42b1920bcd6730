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
// number of slot lines (21, 22, 38, 43 or 59) tells the selection.
//
// A file is read as UTF-8 when it starts with the UTF-8 byte-order mark (an editor re-saved it),
// otherwise as code page 936. It is accepted only when every slot line is the register of the
// slot it lands in (four hex digits), ":" and a value a form could have stored: decimal digits
// with an optional sign, or nothing. Files this program writes always pass.

// An import refuses longer files rather than cutting them short.
inline constexpr qsizetype kMaxParameterFileSize = 1023;

// What an accepted file holds, before it is applied.
struct ParameterFileContent
{
    QString productName;
    GroupSelection selection = GroupSelection::None;
    // One entry per slot of the selection's walk, in order.
    QStringList values;
};

// Why a file is refused; the first reason found, in this order.
struct ParameterFileProblem
{
    enum class Reason
    {
        Unreadable, // could not be opened or read
        TooLong,    // more than kMaxParameterFileSize bytes
        Encoding,   // not valid in its encoding
        NoLineEnd,  // no CR LF at all: not even a name line
        SlotCount,  // a slot line count that is no selection's
        SlotLine,   // a slot line that is not "register:value"
        WrongSlot,  // a register that is not the one of the slot the line lands in
    };
    Reason reason = Reason::NoLineEnd;
    int line = 0; // 1-based line of the file where one is at fault; 0 for the file as a whole
    QString text; // the reason as the user reads it, without the line: "缺少“:”"
};

QByteArray formatParameterFile(const ParameterSet &parameters, const QString &productName,
                               GroupSelection selection);
// The content of an acceptable file, or nullopt and (when asked) why it is refused. The text
// ends at the first zero byte.
std::optional<ParameterFileContent> parseParameterFile(const QByteArray &bytes,
                                                       ParameterFileProblem *problem = nullptr);

// Puts an accepted file into the parameter set and restores the label, the group boxes and the
// load form that belong to it.
void applyParameterFile(const ParameterFileContent &content, ParameterSet &parameters,
                        SelectionModel &selection);

// Replaces the file at `path` with `bytes` as a whole: the previous file stays until the new one
// is complete. False when it could not be written.
bool writeParameterFile(const QString &path, const QByteArray &bytes);

// The path with ".txt" appended unless its file name already contains it, in any case.
QString withTextExtension(const QString &path);

// "保存参数": writes the product name and the current selection's slots to `path` (which gets
// ".txt" if it lacks it) and confirms with a box owned by `owner`. The previous file is replaced
// only by a complete new one. An empty path (a cancelled dialog) does nothing. True when the
// file was written.
bool saveParameterFile(const ParameterSet &parameters, const SelectionModel &selection,
                       MessageService &messages, QObject *owner, const QString &path);

// What "导入参数" did. A refused file changes nothing.
struct ImportResult
{
    bool applied = false;
    QString message; // the warning to show ("文件不存在！", ...); empty when applied or cancelled
    std::optional<ParameterFileProblem> problem; // why a file was refused
};

// "导入参数": reads `path` into the parameter set and restores the label, the group boxes and
// the load form that belong to it. An empty path (a cancelled dialog) does nothing.
ImportResult importParameterFile(ParameterSet &parameters, SelectionModel &selection,
                                 const QString &path);
