#include "programmer/parameterfile.h"

#include "model/codepage.h"
#include "model/messageservice.h"
#include "model/selectionmodel.h"
#include "model/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <utility>

namespace {

constexpr QLatin1String kLineEnd("\r\n");
constexpr QLatin1String kTextExtension(".txt");

} // namespace

// Code page 936's trail bytes start at 0x40, so CR, LF and ":" never hide inside a character
// and the text can be split after decoding.

QByteArray FormatParameterFile(const ParameterSet &parameters, const QString &productName,
                               GroupSelection selection)
{
    QString text = productName + kLineEnd;
    for (int slot : parameters.GroupWalk(selection))
        text += parameters.addresses.at(slot) + u':' + parameters.values.at(slot) + kLineEnd;
    QStringEncoder encoder = CodePageEncoder();
    return encoder.encode(text);
}

namespace {

bool IsDecimalValue(QStringView value)
{
    if (value.startsWith(u'+') || value.startsWith(u'-'))
        value = value.mid(1);
    else if (value.isEmpty())
        return true; // an empty edit field stores nothing
    if (value.isEmpty())
        return false;
    for (QChar c : value) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

std::optional<ParameterFileContent> Refuse(ParameterFileProblem *problem,
                                           ParameterFileProblem::Reason reason, int line = 0)
{
    if (problem)
        *problem = {reason, line};
    return std::nullopt;
}

} // namespace

std::optional<ParameterFileContent> ParseParameterFile(const QByteArray &bytes,
                                                       ParameterFileProblem *problem)
{
    using Reason = ParameterFileProblem::Reason;
    if (bytes.size() > kMaxParameterFileSize)
        return Refuse(problem, Reason::TooLong);

    // The text ends at the first zero byte.
    QByteArrayView data(bytes);
    if (const qsizetype zero = data.indexOf('\0'); zero >= 0)
        data = data.first(zero);
    // Editors that re-save a file as UTF-8 put the mark in front; nothing else does.
    const QByteArrayView utf8Mark("\xEF\xBB\xBF");
    QStringDecoder decoder =
        data.startsWith(utf8Mark)
            ? QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
            : CodePageDecoder();
    if (data.startsWith(utf8Mark))
        data = data.sliced(utf8Mark.size());
    const QString text = decoder.decode(data);
    if (decoder.hasError())
        return Refuse(problem, Reason::Encoding);

    const qsizetype nameEnd = text.indexOf(kLineEnd);
    if (nameEnd < 0)
        return Refuse(problem, Reason::NoLineEnd);
    // Text after the last line end is not a line.
    QStringList lines = text.mid(nameEnd + kLineEnd.size()).split(QString(kLineEnd));
    lines.removeLast();

    ParameterFileContent content;
    content.selection = SelectionFromSlotCount(lines.size());
    if (content.selection == GroupSelection::None)
        return Refuse(problem, Reason::SlotCount);

    // A file of another selection, cut or padded to a valid count, names the wrong registers:
    // each line must name the register of the slot it is about to fill.
    const ParameterSet fresh;
    const QList<int> walk = fresh.GroupWalk(content.selection);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QString &line = lines.at(k);
        const int fileLine = int(k) + 2;
        const QStringView address = QStringView(line).left(4);
        if (line.size() < 5 || line.at(4) != u':' ||
            !std::all_of(address.begin(), address.end(), IsHexDigit) ||
            !IsDecimalValue(QStringView(line).mid(5)))
            return Refuse(problem, Reason::SlotLine, fileLine);
        if (address.compare(fresh.addresses.at(walk.at(k)), Qt::CaseInsensitive) != 0)
            return Refuse(problem, Reason::WrongSlot, fileLine);
        content.addresses.append(fresh.addresses.at(walk.at(k)));
        content.values.append(line.mid(5));
    }
    content.productName = text.left(nameEnd);
    return content;
}

bool WriteParameterFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Until commit() the data goes to a temporary file; a failure leaves the old file alone.
    // commit() ignores a failed flush (a full disk would give a short file), so flush first.
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.commit();
}

QString WithTextExtension(const QString &path)
{
    const qsizetype nameStart = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
    if (path.mid(nameStart).contains(kTextExtension, Qt::CaseInsensitive))
        return path;
    return path + kTextExtension;
}

void SaveParameterFile(const ParameterSet &parameters, const SelectionModel &selection,
                       MessageService &messages, QObject *owner, const QString &path)
{
    if (path.isEmpty())
        return;
    const GroupSelection groups = selection.CurrentGroupSelection();
    if (groups == GroupSelection::None) {
        messages.warning(Text::NothingSelectedForSave());
        return;
    }

    if (!WriteParameterFile(WithTextExtension(path),
                            FormatParameterFile(parameters, selection.productName(), groups))) {
        messages.warning(Text::FileSaveFailed());
        return;
    }
    messages.info(owner, Text::FileSaved());
}

void ImportParameterFile(ParameterSet &parameters, SelectionModel &selection,
                         MessageService &messages, const QString &path)
{
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        messages.warning(Text::FileMissing());
        return;
    }

    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(kMaxParameterFileSize + 1); // one byte more tells a file too long
    const bool readFailed = !file.isOpen() || file.error() != QFileDevice::NoError;
    file.close();

    const std::optional<ParameterFileContent> content =
        readFailed ? std::nullopt : ParseParameterFile(bytes);
    if (!content) {
        messages.warning(Text::BadConfigFile());
        return;
    }

    ApplyParameterFile(*content, parameters, selection);
}

void ApplyParameterFile(const ParameterFileContent &content, ParameterSet &parameters,
                        SelectionModel &selection)
{
    selection.setProductName(content.productName);
    selection.RestoreGroupSelection(content.selection);
    const QList<int> walk = parameters.GroupWalk(content.selection);
    for (qsizetype k = 0; k < walk.size(); ++k) {
        parameters.addresses[walk.at(k)] = content.addresses.at(k);
        parameters.values[walk.at(k)] = content.values.at(k);
    }
}
