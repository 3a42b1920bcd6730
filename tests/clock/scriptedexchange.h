#pragma once

#include "link/programmerexchange.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// An in-process programmer: answers each request with the next scripted reply (nothing once the
// script is used up) and judges it as the serial link does.
class ScriptedExchange : public ProgrammerExchange
{
public:
    bool portOpen() const override { return open; }
    void setLongWait(bool) override {}
    ReplyCheck Exchange(const QString &frameText) override
    {
        requests.append(frameText);
        m_reply = replies.isEmpty() ? QByteArray() : replies.takeFirst();
        return CheckReply(QByteArray::fromHex(frameText.toLatin1()), m_reply);
    }
    const QByteArray &reply() const override { return m_reply; }

    bool open = true;
    QList<QByteArray> replies;
    QStringList requests;

private:
    QByteArray m_reply;
};
