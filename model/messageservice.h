#pragma once

#include <QString>

class QObject;

// How operations report to the user. Operations never show widgets themselves; the program
// passes a Qt implementation, tests pass a recorder.
class MessageService
{
public:
    virtual ~MessageService() = default;
    // Failures and refusals: exclamation icon, caption "KTX", OK.
    virtual void warning(const QString &text) = 0;
    // Completions: a plain box owned by the window or form that ran the operation, caption
    // "KTX", no icon, OK. `owner` is that window (a QWidget in the program).
    virtual void info(QObject *owner, const QString &text) = 0;
};
