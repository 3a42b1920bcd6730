#include "link/portlist.h"

#include <QDir>

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype runEnd(QStringView text, qsizetype from)
{
    const bool digits = isDigit(text.at(from));
    while (from < text.size() && isDigit(text.at(from)) == digits)
        ++from;
    return from;
}

QStringView withoutLeadingZeros(QStringView digits)
{
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.sliced(1);
    return digits;
}

} // namespace

bool portNameLess(QStringView a, QStringView b)
{
    // Compare run by run: digit runs by value, letter runs by text; a digit run sorts first.
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitsA = isDigit(a.at(i));
        const bool digitsB = isDigit(b.at(j));
        if (digitsA != digitsB)
            return digitsA;
        const qsizetype endA = runEnd(a, i);
        const qsizetype endB = runEnd(b, j);
        QStringView runA = a.sliced(i, endA - i);
        QStringView runB = b.sliced(j, endB - j);
        if (digitsA) {
            runA = withoutLeadingZeros(runA);
            runB = withoutLeadingZeros(runB);
            if (runA.size() != runB.size())
                return runA.size() < runB.size();
        }
        if (const int c = runA.compare(runB, Qt::CaseInsensitive); c != 0)
            return c < 0;
        i = endA;
        j = endB;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size();
    return a.compare(b) < 0; // equal by value: COM01 vs COM1, com1 vs COM1
}

QStringList sortPortNames(QStringList names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return portNameLess(a, b); });
    return names;
}

QStringList portListEntries(QStringList platformNames, const QString &extraPorts)
{
    QStringList entries = sortPortNames(std::move(platformNames));
    entries += extraPorts.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return entries;
}

std::optional<PortListState> refreshedPortList(const PortListState &shown,
                                               const QStringList &enumerated)
{
    if (enumerated == shown.entries)
        return std::nullopt;
    PortListState next{enumerated, -1};
    if (shown.chosen < 0 || shown.chosen >= shown.entries.size())
        return next;
    // The same occurrence of the chosen name, should a path be listed twice.
    const QString &name = shown.entries.at(shown.chosen);
    const auto occurrence = shown.entries.mid(0, shown.chosen).count(name);
    for (qsizetype i = 0, seen = 0; i < enumerated.size(); ++i) {
        if (enumerated.at(i) == name && seen++ == occurrence) {
            next.chosen = int(i);
            break;
        }
    }
    return next;
}
