// velmora-cli: the programmer operations of the window, from the command line. Run with --help.

#include "cli/cli.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    // Parameter files go to standard output byte for byte (CR LF stays CR LF); messages are UTF-8.
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
#endif
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);

    CliEnvironment environment;
    // For tests only: multiplies the link's waits so that a busy machine cannot turn a slow
    // answer into a time-out.
    environment.waitScale = qMax(1, qEnvironmentVariableIntValue("VELMORA_WAIT_SCALE"));

    const int status = runCli(app.arguments().mid(1), out, err, environment);
    out.flush();
    err.flush();
    return status;
}
