#pragma once

#include "model/messageservice.h"

#include <QObject>
#include <QStringList>

// Records every message an operation shows, in order, so tests can assert the exact texts.
// Questions are recorded too (not as warnings) and take their answers from `answers`, in order;
// with none left the answer is Cancel.
class MessageRecorder : public MessageService
{
public:
    struct Entry
    {
        bool warning;
        QObject *owner;
        QString text;
    };

    void warning(const QString &text) override { entries.append({true, nullptr, text}); }
    void info(QObject *owner, const QString &text) override
    {
        entries.append({false, owner, text});
    }
    Answer question(QObject *owner, const QString &text, const QString &, const QString &) override
    {
        entries.append({false, owner, text});
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Entry &e : entries)
            all.append(e.text);
        return all;
    }
    void clear() { entries.clear(); }

    QList<Entry> entries;
    QList<Answer> answers;
};
