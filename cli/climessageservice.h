#pragma once

#include "model/messageservice.h"

class QIODevice;

// The command line's message service: every warning becomes one UTF-8 line on standard error
// and marks the command failed; completions and progress show only with --verbose, so that
// standard output carries data alone.
class CliMessageService : public MessageService
{
public:
    CliMessageService(QIODevice &err, bool verbose);
    // For one port of several: warnings are kept for the port's report instead of written
    // (written with --verbose all the same), and every line written starts with "PORT: ".
    // Lines from several ports' threads never interleave.
    CliMessageService(QIODevice &err, bool verbose, const QString &port);

    void warning(const QString &text) override;
    void info(QObject *owner, const QString &text) override;
    // A progress line (frames, timing): only with --verbose.
    void progress(const QString &text);
    // A line that says more about the warning before it, such as where a file is wrong.
    void detail(const QString &text);

    bool verbose() const { return m_verbose; }
    // A warning has been shown: the operation stopped there.
    bool failed() const { return m_failed; }
    // The first warning: what the window would have shown of the failure.
    const QString &firstWarning() const { return m_firstWarning; }

private:
    void writeLine(const QString &text);

    QIODevice &m_err;
    bool m_verbose;
    bool m_failed = false;
    QString m_port;
    bool m_keepWarnings = false;
    QString m_firstWarning;
};
