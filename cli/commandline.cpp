#include "cli/commandline.h"

#include "model/language.h"
#include "model/texts.h"

#include <QRegularExpression>

#include <optional>

namespace {

using Action = CliCommand::Action;

struct CommandInfo
{
    QLatin1String name;
    Action action;
    bool needsPort;
    bool needsFile; // exactly one file argument
    bool manyPorts; // --port may repeat and list several, comma-separated
    QLatin1String options[3];
};

const CommandInfo kCommands[] = {
    {QLatin1String("ports"), Action::Ports, false, false, false, {}},
    {QLatin1String("read"),
     Action::Read,
     true,
     false,
     false,
     {QLatin1String("--port"), QLatin1String("-o"), QLatin1String("--output")}},
    {QLatin1String("update"),
     Action::Update,
     true,
     true,
     true,
     {QLatin1String("--port"), QLatin1String("--verify")}},
    {QLatin1String("clear"), Action::Clear, true, false, true, {QLatin1String("--port")}},
    {QLatin1String("clock"),
     Action::Clock,
     true,
     false,
     true,
     {QLatin1String("--port"), QLatin1String("--set")}},
    {QLatin1String("check"), Action::Check, false, true, false, {}},
    {QLatin1String("diff"), Action::Diff, true, true, true, {QLatin1String("--port")}},
};

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &info : kCommands) {
        if (name == info.name)
            return &info;
    }
    return nullptr;
}

bool accepts(const CommandInfo &info, const QString &option)
{
    for (QLatin1String known : info.options) {
        if (!known.isEmpty() && option == known)
            return true;
    }
    return false;
}

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("-h") || arg == QLatin1String("--help");
}

bool isVerbose(const QString &arg)
{
    return arg == QLatin1String("-v") || arg == QLatin1String("--verbose");
}

bool takesValue(const QString &option)
{
    return option == QLatin1String("--port") || option == QLatin1String("-o") ||
           option == QLatin1String("--output") || option == QLatin1String("--set") ||
           option == QLatin1String("--lang");
}

// --lang en|zh or --lang=en|zh at args[i], for any command; runCli installs the language before
// the parse, which only checks it. Nothing when args[i] is something else; moves i past the value.
std::optional<std::optional<CliUsageError>> takeLanguage(const QStringList &args, qsizetype &i,
                                                         const QString &usageOf)
{
    const QString &arg = args.at(i);
    QString code;
    if (arg == QLatin1String("--lang")) {
        if (i + 1 == args.size())
            return CliUsageError{Text::cliMissingValue(arg), usageLine(usageOf)};
        code = args.at(++i);
    } else if (arg.startsWith(QLatin1String("--lang="))) {
        code = arg.mid(7);
    } else {
        return std::nullopt;
    }
    if (!languageFromCode(code))
        return CliUsageError{Text::cliBadLanguage(code), usageLine(usageOf)};
    return std::optional<CliUsageError>();
}

bool isOption(const QString &arg)
{
    // A lone "-" names standard output (or a file of that name), never an option.
    return arg.size() > 1 && arg.startsWith(u'-');
}

// Help wins over every other complaint: the command it is for is the first argument that is
// neither an option nor an option's value.
std::optional<QString> helpTopic(const QStringList &args)
{
    bool help = false;
    QString command;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--"))
            break;
        if (isHelp(arg))
            help = true;
        else if (takesValue(arg))
            ++i;
        else if (!isOption(arg) && command.isNull())
            command = arg;
    }
    if (!help)
        return std::nullopt;
    return findCommand(command) ? command : QString();
}

CliUsageError wrong(const QString &message, const QString &command = {})
{
    return {message, usageLine(command)};
}

} // namespace

std::variant<CliCommand, CliUsageError> parseCommandLine(const QStringList &args)
{
    CliCommand command;
    if (const std::optional<QString> topic = helpTopic(args)) {
        command.action = Action::Help;
        command.topic = *topic;
        return command;
    }

    qsizetype i = 0;
    for (; i < args.size() && isOption(args.at(i)); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--version")) {
            command.action = Action::Version;
            return command;
        }
        if (arg == QLatin1String("--json")) {
            command.json = true;
            continue;
        }
        if (const auto language = takeLanguage(args, i, {})) {
            if (*language)
                return **language;
            continue;
        }
        if (!isVerbose(arg))
            return wrong(Text::cliUnknownOption(arg));
        command.verbose = true;
    }
    if (i == args.size())
        return wrong(Text::cliNoCommand());
    const CommandInfo *info = findCommand(args.at(i));
    if (!info)
        return wrong(Text::cliUnknownCommand(args.at(i)));
    const QString name = args.at(i);
    command.action = info->action;

    QStringList files;
    QStringList seen;
    bool optionsEnded = false;
    for (++i; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !isOption(arg)) {
            files.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (isVerbose(arg)) {
            command.verbose = true;
            continue;
        }
        if (arg == QLatin1String("--json")) {
            command.json = true;
            continue;
        }
        if (const auto language = takeLanguage(args, i, name)) {
            if (*language)
                return **language;
            continue;
        }
        if (arg == QLatin1String("--version")) {
            command = CliCommand();
            command.action = Action::Version;
            return command;
        }

        // --name=value for long options; -o takes its value from the next argument only.
        QString option = arg;
        std::optional<QString> value;
        if (const qsizetype equals = arg.indexOf(u'=');
            arg.startsWith(QLatin1String("--")) && equals > 2) {
            option = arg.left(equals);
            value = arg.mid(equals + 1);
        }
        if (!accepts(*info, option) || (value && !takesValue(option)))
            return wrong(Text::cliUnknownOption(arg), name);
        // -o and --output are one option.
        const QString key = option == QLatin1String("-o") ? QStringLiteral("--output") : option;
        if (seen.contains(key) && !(key == QLatin1String("--port") && info->manyPorts))
            return wrong(Text::cliRepeatedOption(option), name);
        seen.append(key);
        if (!takesValue(option)) {
            command.verify = true; // the only flag a command has
            continue;
        }
        if (!value) {
            if (i + 1 == args.size())
                return wrong(Text::cliMissingValue(option), name);
            value = args.at(++i);
        }
        if (value->isEmpty())
            return wrong(Text::cliMissingValue(option), name);
        if (key == QLatin1String("--port")) {
            const QStringList listed = info->manyPorts ? value->split(u',') : QStringList{*value};
            for (const QString &port : listed) {
                if (port.isEmpty())
                    return wrong(Text::cliMissingValue(option), name);
                if (!command.ports.contains(port))
                    command.ports.append(port);
            }
            command.port = command.ports.constFirst();
        } else if (key == QLatin1String("--output")) {
            command.file = *value;
        } else if (!parseClockSetting(*value, command)) {
            return wrong(Text::cliBadTime(*value), name);
        }
    }

    if (files.size() > (info->needsFile ? 1 : 0))
        return wrong(Text::cliExtraArgument(files.at(info->needsFile ? 1 : 0)), name);
    if (info->needsPort && command.port.isEmpty())
        return wrong(Text::cliMissingPort(), name);
    if (info->needsFile) {
        if (files.isEmpty() || files.constFirst().isEmpty())
            return wrong(Text::cliMissingFile(), name);
        command.file = files.constFirst();
    }
    return command;
}

bool parseClockSetting(const QString &text, CliCommand &command)
{
    if (text == QLatin1String("now")) {
        command.clockSet = CliCommand::ClockSet::Now;
        return true;
    }
    // [0-9], not \d: \d would take any script's digits.
    // Anchored as a whole: "$" alone would let a final line end through.
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral(
        "([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})[ T]([0-9]{1,2}):([0-9]{1,2}):([0-9]{1,2})")));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const auto field = [&match](int n) { return match.capturedView(n).toInt(); };
    // The programmer keeps the year within the century as 20yy.
    const QDate date(field(1), field(2), field(3));
    const QTime time(field(4), field(5), field(6));
    if (!date.isValid() || !time.isValid() || date.year() < 2000 || date.year() > 2099)
        return false;
    command.clockSet = CliCommand::ClockSet::At;
    command.date = date;
    command.time = time;
    return true;
}

QString usageLine(const QString &command)
{
    const CommandInfo *info = findCommand(command);
    switch (info ? info->action : Action::Help) {
    case Action::Ports:
        return Text::cliPortsUsage();
    case Action::Read:
        return Text::cliReadUsage();
    case Action::Update:
        return Text::cliUpdateUsage();
    case Action::Clear:
        return Text::cliClearUsage();
    case Action::Clock:
        return Text::cliClockUsage();
    case Action::Check:
        return Text::cliCheckUsage();
    case Action::Diff:
        return Text::cliDiffUsage();
    default:
        return Text::cliUsage();
    }
}

QString helpText(const QString &command)
{
    const CommandInfo *info = findCommand(command);
    if (!info)
        return Text::cliProgramHelp();
    QString description;
    QString options;
    switch (info->action) {
    case Action::Ports:
        description = Text::cliPortsHelp();
        break;
    case Action::Read:
        description = Text::cliReadHelp();
        options = Text::cliReadOptions();
        break;
    case Action::Update:
        description = Text::cliUpdateHelp();
        options = Text::cliUpdateOptions();
        break;
    case Action::Clear:
        description = Text::cliClearHelp();
        break;
    case Action::Clock:
        description = Text::cliClockHelp();
        options = Text::cliClockOptions();
        break;
    case Action::Diff:
        description = Text::cliDiffHelp();
        break;
    default:
        description = Text::cliCheckHelp();
        break;
    }
    const QString portOption = !info->needsPort  ? QString()
                               : info->manyPorts ? Text::cliPortsOptionHelp()
                                                 : Text::cliPortOptionHelp();
    return usageLine(command) + u'\n' + u'\n' + description + u'\n' + portOption + options +
           Text::cliVerboseOptionHelp() + Text::cliJsonOptionHelp();
}
