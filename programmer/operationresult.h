#pragma once

#include <QString>

class MessageService;
class QObject;

// What an operation on the programmer did: it completed, or which failure stopped it, with the
// text the user reads (the window shows a completion in a plain box and a failure as a warning;
// the command line prints it). Whatever the steps before a failure changed stays changed.
struct OperationResult
{
    enum class Outcome
    {
        Completed,
        PortUnavailable, // the port is not open; nothing was sent
        NoReply,         // a step got no valid answer: silence, a bad frame or an exception
        NoData,          // the programmer holds no block
        NotABlock,       // a stored count or address table that no update writes
        ValueOutOfRange, // a value that is no register word; nothing was sent
        NoProduct,       // no product name to write; nothing was sent
        NothingSelected, // no group selected; nothing was sent
    };

    Outcome outcome = Outcome::Completed;
    QString message;

    bool completed() const { return outcome == Outcome::Completed; }
};

// Tells the user: a completion in a plain box owned by `owner`, a failure as a warning.
void report(const OperationResult &result, MessageService &messages, QObject *owner);
