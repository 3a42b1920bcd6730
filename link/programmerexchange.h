#pragma once

#include "link/replycheck.h"

#include <QByteArray>
#include <QString>

// One request and its reply: what the programmer operations need of a link. ProgrammerLink is
// the serial implementation; tests script one in process.
class ProgrammerExchange
{
public:
    virtual ~ProgrammerExchange() = default;

    virtual bool portOpen() const = 0;
    // The next exchange waits the long time (the checksum write of an update), once.
    virtual void setLongWait(bool on = true) = 0;
    // Sends a frame text (its CRC text appended) and judges what came back against it. The
    // reply stays in reply() until the next exchange.
    virtual ReplyCheck exchange(const QString &frameText) = 0;
    // The bytes of the last reply, at most MaxReplyBytes; empty when nothing arrived.
    virtual const QByteArray &reply() const = 0;
    // A user command starts; the exchanges that follow are its own. For a log; nothing else
    // depends on it.
    virtual void beginOperation(const QString &name) { Q_UNUSED(name) }
};
