#include "cli/climessageservice.h"

#include <QIODevice>
#include <QMutex>

namespace {

// One line at a time from whichever thread writes.
QMutex lineLock;

} // namespace

CliMessageService::CliMessageService(QIODevice &err, bool verbose) : m_err(err), m_verbose(verbose)
{
}

CliMessageService::CliMessageService(QIODevice &err, bool verbose, const QString &port)
    : m_err(err), m_verbose(verbose), m_port(port), m_keepWarnings(true)
{
}

void CliMessageService::warning(const QString &text)
{
    m_failed = true;
    if (m_firstWarning.isEmpty())
        m_firstWarning = text;
    if (!m_keepWarnings || m_verbose)
        writeLine(text);
}

void CliMessageService::detail(const QString &text)
{
    // A port's report is one line: the detail follows the warning there.
    if (m_keepWarnings)
        m_firstWarning += u' ' + text;
    if (!m_keepWarnings || m_verbose)
        writeLine(text);
}

void CliMessageService::info(QObject *, const QString &text)
{
    if (m_verbose)
        writeLine(text);
}

void CliMessageService::progress(const QString &text)
{
    if (m_verbose)
        writeLine(text);
}

void CliMessageService::writeLine(const QString &text)
{
    // One message, one line, whatever a file's product name may have put into it.
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!m_port.isEmpty())
        line.prepend(m_port + QStringLiteral(": "));
    const QMutexLocker locker(&lineLock);
    m_err.write(line.toUtf8() + '\n');
}
