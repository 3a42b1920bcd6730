#pragma once

#include "cli/cli.h"

#include <QBuffer>
#include <QString>

// velmora-cli in process: what it wrote to each stream and its exit status.
struct CliOutcome
{
    int status;
    QByteArray out;
    QString err;
};

inline CliOutcome runInProcess(const QStringList &args, const CliEnvironment &environment = {})
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = runCli(args, out, err, environment);
    return {status, out.data(), QString::fromUtf8(err.data())};
}
