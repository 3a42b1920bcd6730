#include "cli/loggingexchange.h"

#include "cli/climessageservice.h"
#include "link/hexframe.h"
#include "model/texts.h"

#include <QElapsedTimer>

LoggingExchange::LoggingExchange(ProgrammerExchange &link, CliMessageService &messages)
    : m_link(link), m_messages(messages)
{
}

ReplyCheck LoggingExchange::exchange(const QString &frameText)
{
    if (!m_messages.verbose())
        return m_link.exchange(frameText);
    m_messages.progress(Text::cliSent(frameText));
    QElapsedTimer timer;
    timer.start();
    const ReplyCheck check = m_link.exchange(frameText);
    const qint64 ms = timer.elapsed();
    m_messages.progress(m_link.reply().isEmpty()
                            ? Text::cliNoReply(ms)
                            : Text::cliReceived(bytesToHexText(m_link.reply()), ms));
    return check;
}
