#pragma once

// Shared by the benchmarks: starting the simulated programmer, and medians.

#include <QDeadlineTimer>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>

// Starts the simulator and returns its port from the "PORT <path>" line, or an empty text.
inline QString StartSim(QProcess &sim, const QString &program, const QStringList &args)
{
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(program, args, QIODevice::ReadOnly);
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && sim.state() != QProcess::NotRunning) {
        if (sim.canReadLine()) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            if (line.startsWith(QLatin1String("PORT ")))
                return line.mid(5);
            continue;
        }
        sim.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return {};
}

inline double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
