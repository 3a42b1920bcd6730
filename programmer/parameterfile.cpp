#include "programmer/parameterfile.h"

#include "model/codepage.h"
#include "model/messageservice.h"
#include "model/selectionmodel.h"
#include "model/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

std::optional<ParameterFileContent> ParseParameterFile(const QByteArray &bytes)
{
    // The text ends at the first zero byte.
    const qsizetype zero = bytes.indexOf('\0');
    QStringDecoder decoder = CodePageDecoder();
    const QString text = decoder.decode(zero < 0 ? bytes : bytes.left(zero));

    const qsizetype nameEnd = text.indexOf(kLineEnd);
    if (nameEnd < 0)
        return std::nullopt;
    // Text after the last line end is not a line.
    QStringList lines = text.mid(nameEnd + kLineEnd.size()).split(QString(kLineEnd));
    lines.removeLast();

    ParameterFileContent content;
    content.selection = SelectionFromSlotCount(lines.size());
    if (content.selection == GroupSelection::None)
        return std::nullopt;
    content.productName = text.left(nameEnd);
    for (const QString &line : std::as_const(lines)) {
        // A line without ":" is all value and no address.
        const qsizetype colon = line.indexOf(u':');
        content.addresses.append(colon < 0 ? QString() : line.left(colon));
        content.values.append(colon < 0 ? line : line.mid(colon + 1));
    }
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
        readFailed || bytes.size() > kMaxParameterFileSize ? std::nullopt
                                                           : ParseParameterFile(bytes);
    if (!content) {
        messages.warning(Text::BadConfigFile());
        return;
    }

    selection.setProductName(content->productName);
    selection.RestoreGroupSelection(content->selection);
    const QList<int> walk = parameters.GroupWalk(content->selection);
    for (qsizetype k = 0; k < walk.size(); ++k) {
        parameters.addresses[walk.at(k)] = content->addresses.at(k);
        parameters.values[walk.at(k)] = content->values.at(k);
    }
}
