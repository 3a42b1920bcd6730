#pragma once

#include <QDateTime>
#include <QStringList>

#include <functional>

class QIODevice;
struct CliCommand;

// What the command line takes from its surroundings besides the arguments.
struct CliEnvironment
{
    // Multiplies the link's waits (ProgrammerLink::setWaitScale). 1 in use; tests raise it
    // (VELMORA_WAIT_SCALE) so that a busy machine cannot turn a slow answer into a time-out.
    int waitScale = 1;
    // The PC's local time for "clock --set now"; empty: the real clock.
    std::function<QDateTime()> now;
};

// Exit statuses.
enum CliStatus : int
{
    kCliSuccess = 0,
    kCliFailure = 1, // the operation failed; its message is on `err`
    kCliUsage = 2,   // wrong usage; the complaint and a usage line are on `err`
};
// diff's, as diff(1) has them; its usage errors are kCliUsage, the same 2.
enum CliDiffStatus : int
{
    kCliDiffSame = 0,
    kCliDiffDifferent = 1,
    kCliDiffTrouble = 2, // a refused file, a port that does not open, a failed read
};

// velmora-cli in process: `args` without the program name. Data (parameter files, port names,
// clock readings, help) goes to `out`; messages go to `err` as UTF-8 lines.
int runCli(const QStringList &args, QIODevice &out, QIODevice &err,
           const CliEnvironment &environment = {});
// One parsed command line.
int runCommand(const CliCommand &command, QIODevice &out, QIODevice &err,
               const CliEnvironment &environment = {});
