#include "cli/loggingexchange.h"

#include "cli/climessageservice.h"
#include "link/hexframe.h"
#include "model/texts.h"

#include <QElapsedTimer>

LoggingExchange::LoggingExchange(ProgrammerExchange &link, CliMessageService &messages)
    : m_link(link), m_messages(messages)
{
}

ReplyCheck LoggingExchange::Exchange(const QString &frameText)
{
    if (!m_messages.verbose())
        return m_link.Exchange(frameText);
    m_messages.progress(Text::CliSent(frameText));
    QElapsedTimer timer;
    timer.start();
    const ReplyCheck check = m_link.Exchange(frameText);
    const qint64 ms = timer.elapsed();
    m_messages.progress(m_link.reply().isEmpty()
                            ? Text::CliNoReply(ms)
                            : Text::CliReceived(BytesToHexText(m_link.reply()), ms));
    return check;
}
