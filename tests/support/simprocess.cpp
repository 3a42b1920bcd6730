#include "support/simprocess.h"

#include "model/parameterset.h"

#include <QDeadlineTimer>
#include <QFile>

#include <gtest/gtest.h>

SimProcess::SimProcess(const QStringList &args, const QString &program)
    : m_process(std::make_unique<QProcess>())
{
    m_stderr.open(); // creates the file; the sim writes it through its own handle
    m_process->setStandardErrorFile(m_stderr.fileName());
    m_process->setProgram(program.isEmpty() ? executable() : program);
    m_process->setArguments(args);
    m_process->start(QIODevice::ReadOnly);

    const QDeadlineTimer deadline(5000);
    while (m_port.isEmpty() && !deadline.hasExpired()) {
        if (m_process->canReadLine()) {
            const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
            if (line.startsWith(QLatin1String("PORT ")))
                m_port = line.mid(5);
            continue;
        }
        if (m_process->state() == QProcess::NotRunning)
            break;
        m_process->waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    }
}

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::started() const
{
    return !m_port.isEmpty();
}

QString SimProcess::portPath() const
{
    return m_port;
}

void SimProcess::stop()
{
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(3000)) {
            m_process->kill();
            m_process->waitForFinished(3000);
        }
    }
    // Under the sanitizers a report ends the simulator; the test that ran it fails.
    if (!m_checked) {
        m_checked = true;
        const QByteArray log = stderrText();
        if (log.contains("Sanitizer") || log.contains("runtime error:"))
            ADD_FAILURE() << "velmora-programmer-sim:\n" << log.toStdString();
    }
}

QByteArray SimProcess::stderrText()
{
    QFile file(m_stderr.fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString SimProcess::executable()
{
    return QString::fromUtf8(VELMORA_SIM_EXECUTABLE);
}

bool SimProcess::waitForExit(int msecs)
{
    return m_process->state() == QProcess::NotRunning || m_process->waitForFinished(msecs);
}

int SimProcess::exitCode() const
{
    return m_process->state() == QProcess::NotRunning &&
                   m_process->exitStatus() == QProcess::NormalExit
               ? m_process->exitCode()
               : -1;
}

QByteArray fullBlockState(const QString &count)
{
    QStringList registers;
    QStringList values;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        registers << registerText(slot);
        values << QStringLiteral("%1").arg(500 + slot, 4, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("count=%1\nchecksum=1234\nname=4D51 582D 4A44 0000 0000 0000 0000 0000\n"
                          "addresses=%2\nvalues=%3\n")
        .arg(count, registers.join(' '), values.join(' '))
        .toLatin1();
}
