#pragma once

#include "link/programmerexchange.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// An in-process programmer for the operations: each exchange records the request and answers
// with the next scripted reply (bytes as they would arrive; empty for silence). Once the script
// runs out, every further request goes unanswered.
class ScriptedExchange : public ProgrammerExchange
{
public:
    void script(const QList<QByteArray> &replies) { m_replies = replies; }
    void append(const QByteArray &reply) { m_replies.append(reply); }
    void setPortOpen(bool open) { m_open = open; }

    bool portOpen() const override { return m_open; }
    void setLongWait(bool on = true) override { m_longWait = on; }
    ReplyCheck exchange(const QString &frameText) override;
    const QByteArray &reply() const override { return m_reply; }

    // The frame texts sent, in order, and whether each went with the long wait.
    QStringList requests;
    QList<bool> longWaits;

private:
    QList<QByteArray> m_replies;
    QByteArray m_reply;
    bool m_open = true;
    bool m_longWait = false;
};

// The normal answers a programmer gives: a 0x03 reply with `words`, a 0x10 echo of a request.
QByteArray readReplyBytes(const QList<quint16> &words);
QByteArray writeEchoBytes(const QString &requestText);
