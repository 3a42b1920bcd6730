#include "cli/climessageservice.h"

#include <QIODevice>

CliMessageService::CliMessageService(QIODevice &err, bool verbose) : m_err(err), m_verbose(verbose)
{
}

void CliMessageService::warning(const QString &text)
{
    m_failed = true;
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
    m_err.write(line.toUtf8() + '\n');
}
