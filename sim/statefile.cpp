#include "sim/statefile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <span>

namespace sim {

namespace {

QString wordsText(std::span<const quint16> words)
{
    QStringList parts;
    for (const quint16 w : words)
        parts.append(QStringLiteral("%1").arg(w, 4, 16, QLatin1Char('0')).toUpper());
    return parts.join(QLatin1Char(' '));
}

// Reads up to out.size() words; the rest become 0.
bool parseWords(const QString &text, std::span<quint16> out, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() > static_cast<qsizetype>(out.size())) {
        *error = QStringLiteral("%1 words, at most %2").arg(parts.size()).arg(out.size());
        return false;
    }
    std::fill(out.begin(), out.end(), quint16{0});
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const uint value = parts[i].toUInt(&ok, 16);
        if (!ok || parts[i].size() > 4 || parts[i].startsWith(QLatin1Char('+'))) {
            *error = QStringLiteral("\"%1\" is not a hex word").arg(parts[i]);
            return false;
        }
        out[static_cast<size_t>(i)] = static_cast<quint16>(value);
    }
    return true;
}

} // namespace

QString stateText(const StoredBlock &b)
{
    QString text = QStringLiteral("# velmora-programmer-sim state (hex words)\n");
    text += QStringLiteral("count=") + wordsText({&b.count, 1}) + QLatin1Char('\n');
    text += QStringLiteral("checksum=") + wordsText({&b.checksum, 1}) + QLatin1Char('\n');
    text += QStringLiteral("name=") + wordsText(b.name) + QLatin1Char('\n');
    text += QStringLiteral("addresses=") + wordsText(b.addresses) + QLatin1Char('\n');
    text += QStringLiteral("values=") + wordsText(b.values) + QLatin1Char('\n');
    return text;
}

bool parseState(const QString &text, StoredBlock &out, QString *error)
{
    StoredBlock b;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed().replace(QLatin1Char('\t'), QLatin1Char(' '));
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = line.left(eq).trimmed();
        const QString words = line.mid(eq + 1);
        QString why;
        bool ok = eq > 0;
        if (!ok)
            why = QStringLiteral("expected key=words");
        else if (key == QLatin1String("count"))
            ok = parseWords(words, {&b.count, 1}, &why);
        else if (key == QLatin1String("checksum"))
            ok = parseWords(words, {&b.checksum, 1}, &why);
        else if (key == QLatin1String("name"))
            ok = parseWords(words, b.name, &why);
        else if (key == QLatin1String("addresses"))
            ok = parseWords(words, b.addresses, &why);
        else if (key == QLatin1String("values"))
            ok = parseWords(words, b.values, &why);
        else {
            ok = false;
            why = QStringLiteral("unknown item \"%1\"").arg(key);
        }
        if (!ok) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(n + 1).arg(why);
            return false;
        }
    }
    out = b;
    return true;
}

bool loadStateFile(const QString &path, StoredBlock &out, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return parseState(QString::fromUtf8(file.readAll()), out, error);
}

bool saveStateFile(const QString &path, const StoredBlock &block, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(stateText(block).toUtf8()) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace sim
