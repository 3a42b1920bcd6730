#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <memory>

// Tests that expect an answer wait this many times the program's waits for it, so a busy
// machine cannot turn a slow answer into a time-out (ProgrammerLink::setWaitScale).
inline constexpr int kTestWaitScale = 10;

// A simulator state file as an update of all 59 slots of "QM-XDJ" leaves it (values 500 +
// slot), for presetting the programmer; `count` may name another selection.
QByteArray fullBlockState(const QString &count = QStringLiteral("003B"));

// Runs velmora-programmer-sim for a test: starts it, learns its pseudo-terminal from the
// "PORT <path>" line and ends it again. Its stderr goes to a temporary file, so a verbose sim
// can never block on a full pipe while a test is not reading it.
class SimProcess
{
public:
    // Starts the sim (`program`, else the one built with the tests), waits up to 5 s for PORT.
    explicit SimProcess(const QStringList &args = {}, const QString &program = {});
    ~SimProcess(); // terminates it (SIGTERM, then kill), waits
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    bool started() const;     // PORT line seen
    QString portPath() const; // path to open with QSerialPort
    // As the destructor, early. Fails the running test if the simulator's log holds a sanitizer
    // report.
    void stop();
    QByteArray stderrText(); // what it logged so far
    static QString executable();

    // For --close-after: true once the sim has ended by itself within msecs.
    bool waitForExit(int msecs);
    int exitCode() const;

private:
    std::unique_ptr<QProcess> m_process;
    QTemporaryFile m_stderr;
    QString m_port;
    bool m_checked = false; // its log searched for sanitizer reports
};
