#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <variant>

// What a velmora-cli command line asks for, checked for form only: whether the port exists or
// the file holds a parameter set is for the command to find out.
struct CliCommand
{
    enum class Action
    {
        Help, // `topic` names the command, empty for the program
        Version,
        Ports,
        Read,
        Update,
        Clear,
        Clock,
        Check,
        Diff,
    };
    enum class ClockSet
    {
        None, // read the clock
        Now,  // the PC's local time when the frame is built
        At,   // `date` and `time`
    };

    Action action = Action::Help;
    QString topic;
    bool verbose = false;
    QString port;      // the first of `ports`
    QStringList ports; // update, clear, clock and diff take several, each run on its own
    bool json = false; // one JSON object a line and port on standard output
    // read: where the parameter file goes, empty or "-" for standard output;
    // update, check and diff: the parameter file to import.
    QString file;
    bool verify = false;
    ClockSet clockSet = ClockSet::None;
    QDate date;
    QTime time;
};

struct CliUsageError
{
    QString message; // what is wrong, one line
    QString usage;   // the usage line of the command, or of the program
};

// Parses the arguments after the program name. Options may come in any order after the command
// (--port P or --port=P, -o FILE or --output=FILE); "--" ends the options. -h/--help anywhere
// before "--" asks for the help of the command given, if any, whatever else is wrong.
std::variant<CliCommand, CliUsageError> parseCommandLine(const QStringList &args);

// "now", or "YYYY-MM-DD HH:MM:SS" (one or two digits for every field but the year, 'T' allowed
// for the blank) of a real date and time within 2000-2099. False for anything else.
bool parseClockSetting(const QString &text, CliCommand &command);

// The usage line and the help text of a command name ("" for the program).
QString usageLine(const QString &command);
QString helpText(const QString &command);
