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

QByteArray formatParameterFile(const ParameterSet &parameters, const QString &productName,
                               GroupSelection selection)
{
    QString text = productName + kLineEnd;
    for (int slot : groupWalk(selection))
        text += registerText(slot) + u':' + parameters.values.at(slot) + kLineEnd;
    QStringEncoder encoder = codePageEncoder();
    return encoder.encode(text);
}

namespace {

bool isDecimalValue(QStringView value)
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

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

std::optional<ParameterFileContent> refuse(ParameterFileProblem *problem,
                                           ParameterFileProblem::Reason reason, QString text,
                                           int line = 0)
{
    if (problem)
        *problem = {reason, line, std::move(text)};
    return std::nullopt;
}

// The first line (1-based; the text after the last line end counts as one more) that does not
// decode on its own. CR and LF never hide inside a character of either encoding.
int firstUndecodableLine(QByteArrayView data, bool utf8)
{
    int line = 1;
    for (;;) {
        const qsizetype end = data.indexOf("\r\n");
        QStringDecoder decoder =
            utf8 ? QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
                 : codePageDecoder();
        // With its line end, as in the whole text: a lead byte cut off by it is an error there.
        // decode() is lazy: only the conversion to a QString decodes.
        const QString text = decoder.decode(end < 0 ? data : data.first(end + 2));
        if (decoder.hasError() || end < 0)
            return line;
        data = data.sliced(end + 2);
        ++line;
    }
}

// Why a slot line is not "register:value": four hex digits, ":", a decimal value or nothing.
std::optional<QString> slotLineFault(const QString &line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0)
        return Text::fileMissingColon();
    const QStringView address = QStringView(line).first(colon);
    if (address.size() != 4 || !std::all_of(address.begin(), address.end(), isHexDigit))
        return Text::fileBadAddress(address.toString());
    if (!isDecimalValue(QStringView(line).mid(colon + 1)))
        return Text::fileBadValue(line.mid(colon + 1));
    return std::nullopt;
}

} // namespace

std::optional<ParameterFileContent> parseParameterFile(const QByteArray &bytes,
                                                       ParameterFileProblem *problem)
{
    using Reason = ParameterFileProblem::Reason;
    if (bytes.size() > kMaxParameterFileSize)
        return refuse(problem, Reason::TooLong, Text::fileTooLong(int(kMaxParameterFileSize)));

    // The text ends at the first zero byte.
    QByteArrayView data(bytes);
    if (const qsizetype zero = data.indexOf('\0'); zero >= 0)
        data = data.first(zero);
    // Editors that re-save a file as UTF-8 put the mark in front; nothing else does.
    const QByteArrayView utf8Mark("\xEF\xBB\xBF");
    const bool utf8 = data.startsWith(utf8Mark);
    QStringDecoder decoder =
        utf8 ? QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless)
             : codePageDecoder();
    if (utf8)
        data = data.sliced(utf8Mark.size());
    const QString text = decoder.decode(data);
    if (decoder.hasError())
        return refuse(problem, Reason::Encoding, Text::fileBadEncoding(),
                      firstUndecodableLine(data, utf8));

    const qsizetype nameEnd = text.indexOf(kLineEnd);
    if (nameEnd < 0)
        return refuse(problem, Reason::NoLineEnd, Text::fileNoLineEnd());
    // Text after the last line end is not a line.
    QStringList lines = text.mid(nameEnd + kLineEnd.size()).split(QString(kLineEnd));
    lines.removeLast();

    ParameterFileContent content;
    content.selection = selectionFromSlotCount(lines.size());
    if (content.selection == GroupSelection::None)
        return refuse(problem, Reason::SlotCount, Text::fileSlotCount(int(lines.size())));

    // A file of another selection, cut or padded to a valid count, names the wrong registers:
    // each line must name the register of the slot it is about to fill.
    const QList<int> walk = groupWalk(content.selection);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QString &line = lines.at(k);
        const int fileLine = int(k) + 2;
        if (const std::optional<QString> fault = slotLineFault(line))
            return refuse(problem, Reason::SlotLine, *fault, fileLine);
        const QStringView address = QStringView(line).left(4);
        if (address.compare(registerText(walk.at(k)), Qt::CaseInsensitive) != 0)
            return refuse(problem, Reason::WrongSlot,
                          Text::fileWrongRegister(address.toString(), int(k) + 1), fileLine);
        content.values.append(line.mid(5));
    }
    content.productName = text.left(nameEnd);
    return content;
}

bool writeParameterFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Until commit() the data goes to a temporary file; a failure leaves the old file alone.
    // commit() ignores a failed flush (a full disk would give a short file), so flush first.
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           file.commit();
}

QString withTextExtension(const QString &path)
{
    const qsizetype nameStart = qMax(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
    if (path.mid(nameStart).contains(kTextExtension, Qt::CaseInsensitive))
        return path;
    return path + kTextExtension;
}

bool saveParameterFile(const ParameterSet &parameters, const SelectionModel &selection,
                       MessageService &messages, QObject *owner, const QString &path)
{
    if (path.isEmpty())
        return false;
    const GroupSelection groups = selection.currentGroupSelection();
    if (groups == GroupSelection::None) {
        messages.warning(Text::nothingSelectedForSave());
        return false;
    }

    if (!writeParameterFile(withTextExtension(path),
                            formatParameterFile(parameters, selection.productName(), groups))) {
        messages.warning(Text::fileSaveFailed());
        return false;
    }
    messages.info(owner, Text::fileSaved());
    return true;
}

ImportResult importParameterFile(ParameterSet &parameters, SelectionModel &selection,
                                 const QString &path)
{
    if (path.isEmpty())
        return {};
    if (!QFileInfo(path).isFile())
        return {false, Text::fileMissing(), std::nullopt};

    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(kMaxParameterFileSize + 1); // one byte more tells a file too long
    const bool readFailed = !file.isOpen() || file.error() != QFileDevice::NoError;
    file.close();

    ParameterFileProblem problem{ParameterFileProblem::Reason::Unreadable, 0,
                                 Text::fileUnreadable()};
    const std::optional<ParameterFileContent> content =
        readFailed ? std::nullopt : parseParameterFile(bytes, &problem);
    if (!content)
        return {false, Text::badConfigFile(), problem};

    applyParameterFile(*content, parameters, selection);
    return {true, QString(), std::nullopt};
}

void applyParameterFile(const ParameterFileContent &content, ParameterSet &parameters,
                        SelectionModel &selection)
{
    selection.setProductName(content.productName);
    selection.restoreGroupSelection(content.selection);
    const QList<int> walk = groupWalk(content.selection);
    for (qsizetype k = 0; k < walk.size(); ++k)
        parameters.values[walk.at(k)] = content.values.at(k);
}
