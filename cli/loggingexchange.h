#pragma once

#include "link/programmerexchange.h"

class CliMessageService;

// Passes every exchange on to the link and, with --verbose, shows the request, the reply and
// how long the exchange took.
class LoggingExchange : public ProgrammerExchange
{
public:
    LoggingExchange(ProgrammerExchange &link, CliMessageService &messages);

    bool portOpen() const override { return m_link.portOpen(); }
    void setLongWait(bool on = true) override { m_link.setLongWait(on); }
    ReplyCheck exchange(const QString &frameText) override;
    const QByteArray &reply() const override { return m_link.reply(); }

private:
    ProgrammerExchange &m_link;
    CliMessageService &m_messages;
};
