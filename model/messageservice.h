#pragma once

#include <QString>
#include <QtGlobal>

class QObject;

// How operations report to the user. Operations never show widgets themselves; the program
// passes a Qt implementation, tests pass a recorder.
class MessageService
{
public:
    // The three answers of a question box, named for their place: the action ("保存",
    // "应用"), the refusal of it ("不保存", "不应用") and "取消", which stays where the user was.
    enum class Answer
    {
        Accept,
        Decline,
        Cancel,
    };

    virtual ~MessageService() = default;
    // Failures and refusals: exclamation icon, caption "KTX", OK.
    virtual void warning(const QString &text) = 0;
    // Completions: a plain box owned by the window or form that ran the operation, caption
    // "KTX", no icon, OK. `owner` is that window (a QWidget in the program).
    virtual void info(QObject *owner, const QString &text) = 0;
    // A question box owned by `owner`, caption "KTX", with the buttons `accept`, `decline` and
    // "取消"; Esc and the close box answer Cancel. A service without a user to ask (the command
    // line) answers Cancel: nothing is left or thrown away unasked.
    virtual Answer question(QObject *owner, const QString &text, const QString &accept,
                            const QString &decline)
    {
        Q_UNUSED(owner);
        Q_UNUSED(text);
        Q_UNUSED(accept);
        Q_UNUSED(decline);
        return Answer::Cancel;
    }
};
