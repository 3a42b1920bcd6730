#pragma once

#include "cli/cli.h"

#include <QBuffer>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

// velmora-cli in process: what it wrote to each stream and its exit status.
struct CliOutcome
{
    int status;
    QByteArray out;
    QString err;
    friend bool operator==(const CliOutcome &, const CliOutcome &) = default;
};

inline void PrintTo(const CliOutcome &o, std::ostream *os)
{
    *os << o.status << " | " << o.out.toStdString() << " | " << o.err.toStdString();
}

inline CliOutcome runInProcess(const QStringList &args, const CliEnvironment &environment = {})
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = runCli(args, out, err, environment);
    return {status, out.data(), QString::fromUtf8(err.data())};
}

// Writes `bytes` to the file at `path` and gives the path back.
inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
}
