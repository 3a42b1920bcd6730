#include "cli/cli.h"

#include "cli/climessageservice.h"
#include "cli/commandline.h"
#include "cli/loggingexchange.h"
#include "link/programmerlink.h"
#include "model/codepage.h"
#include "model/language.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/texts.h"
#include "programmer/blockverify.h"
#include "programmer/clockoperations.h"
#include "programmer/parameterfile.h"
#include "programmer/programmeroperations.h"
#include "programmer/registermap.h"
#include "rules/batteryrules.h"
#include "rules/blockdiff.h"
#include "rules/loadrules.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileDevice>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QThread>

#include <memory>

namespace {

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

int status(const CliMessageService &messages)
{
    return messages.failed() ? kCliFailure : kCliSuccess;
}

// Prints what the window would show of the result; true when the operation completed.
bool reported(const OperationResult &result, CliMessageService &messages)
{
    report(result, messages, nullptr);
    return result.completed();
}

// "导入参数" from the command line: the window's message, then where and why as the compilers
// say it, "FILE:LINE: reason" (or "FILE: reason" for the file as a whole).
bool importFile(const QString &file, ParameterSet &parameters, SelectionModel &selection,
                CliMessageService &messages)
{
    const ImportResult result = importParameterFile(parameters, selection, file);
    if (result.applied)
        return true;
    messages.warning(result.message);
    if (const std::optional<ParameterFileProblem> &problem = result.problem) {
        messages.detail(
            problem->line > 0
                ? QStringLiteral("%1:%2: %3").arg(file).arg(problem->line).arg(problem->text)
                : QStringLiteral("%1: %2").arg(file, problem->text));
    }
    return false;
}

// The link a programmer command runs over, opened as the window's port button opens it.
class Connection
{
public:
    Connection(CliMessageService &messages, const CliEnvironment &environment)
        : m_messages(messages), m_link(messages), m_exchange(m_link, messages)
    {
        m_link.setWaitScale(environment.waitScale);
    }

    bool open(const QString &port)
    {
        m_messages.progress(Text::cliOpeningPort(port));
        if (m_link.open(port))
            return true;
        m_messages.warning(Text::openPortFailed());
        return false;
    }

    ProgrammerExchange &exchange() { return m_exchange; }

    // A fresh set and selection for each operation: only the file or the programmer fills them.
    ProgrammerContext context(ParameterSet &parameters, SelectionModel &selection)
    {
        return {parameters, selection, m_exchange};
    }

private:
    CliMessageService &m_messages;
    ProgrammerLink m_link;
    LoggingExchange m_exchange;
};

int runPorts(QIODevice &out)
{
    QByteArray lines;
    const QStringList ports = ProgrammerLink::enumeratePorts();
    for (const QString &port : ports)
        lines += port.toUtf8() + '\n';
    return writeAll(out, lines) ? kCliSuccess : kCliFailure;
}

int runRead(const CliCommand &command, QIODevice &out, CliMessageService &messages,
            const CliEnvironment &environment)
{
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    ParameterSet parameters;
    SelectionModel selection;
    if (!reported(readProgrammer(connection.context(parameters, selection)), messages))
        return kCliFailure;

    // What "保存参数" writes after this read.
    const QByteArray bytes =
        formatParameterFile(parameters, selection.productName(), selection.currentGroupSelection());
    const bool toOutput = command.file.isEmpty() || command.file == QLatin1String("-");
    if (toOutput ? !writeAll(out, bytes) : !writeParameterFile(command.file, bytes)) {
        messages.warning(Text::fileSaveFailed());
        return kCliFailure;
    }
    if (!toOutput)
        messages.info(nullptr, Text::fileSaved());
    return kCliSuccess;
}

// Reads the block back after an update and compares it with what was written.
int runVerify(Connection &connection, const ParameterSet &parameters,
              const SelectionModel &selection, CliMessageService &messages)
{
    const auto encoded =
        encodeBlock(selection.productName(), parameters, selection.currentGroupSelection());
    const EncodedBlock *written = std::get_if<EncodedBlock>(&encoded);
    if (!written) // the update itself encoded the same block, so this cannot happen
        return kCliFailure;

    ParameterSet readSet;
    SelectionModel readSelection;
    if (!reported(readProgrammer(connection.context(readSet, readSelection)), messages))
        return kCliFailure;
    // The read takes the checksum as its closing handshake without keeping it: ask again.
    ProgrammerExchange &link = connection.exchange();
    if (!link.exchange(readChecksumRequest()).valid()) {
        messages.warning(Text::readTimeout());
        return kCliFailure;
    }
    const QString mismatch = blockMismatch(*written, readSelection.productName(), readSet,
                                           readSelection.currentGroupSelection(),
                                           quint16(replyRegister(link.reply(), 0)));
    if (!mismatch.isEmpty())
        messages.warning(mismatch);
    return status(messages);
}

int runUpdate(const CliCommand &command, CliMessageService &messages,
              const CliEnvironment &environment)
{
    // The file first: a refused file never reaches the port.
    ParameterSet parameters;
    SelectionModel selection;
    if (!importFile(command.file, parameters, selection, messages))
        return kCliFailure;

    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    if (!reported(updateProgrammer(connection.context(parameters, selection)), messages))
        return kCliFailure;
    return command.verify ? runVerify(connection, parameters, selection, messages) : kCliSuccess;
}

int runClear(const CliCommand &command, CliMessageService &messages,
             const CliEnvironment &environment)
{
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    ParameterSet parameters;
    SelectionModel selection;
    return reported(clearProgrammer(connection.context(parameters, selection)), messages)
               ? kCliSuccess
               : kCliFailure;
}

int runClock(const CliCommand &command, QIODevice &out, CliMessageService &messages,
             const CliEnvironment &environment)
{
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    if (command.clockSet == CliCommand::ClockSet::None) {
        const ClockReading reading = readProgrammerClock(connection.exchange());
        if (reading.result.completed() && !writeAll(out, (reading.time + u'\n').toUtf8()))
            return kCliFailure;
        return reported(reading.result, messages) ? kCliSuccess : kCliFailure;
    }

    // As the clock form writes its pickers: local date and time of day, to the second.
    ClockFields fields = clockFieldsOf(command.date, command.time);
    if (command.clockSet == CliCommand::ClockSet::Now) {
        const QDateTime now = environment.now ? environment.now() : QDateTime::currentDateTime();
        fields = clockFieldsOf(now.date(), now.time());
    }
    const OperationResult result = writeProgrammerClock(connection.exchange(), fields);
    // The form then shows the time written.
    if (result.completed() && !writeAll(out, (clockText(fields) + u'\n').toUtf8()))
        return kCliFailure;
    return reported(result, messages) ? kCliSuccess : kCliFailure;
}

int runCheck(const CliCommand &command, CliMessageService &messages)
{
    ParameterSet parameters;
    SelectionModel selection;
    if (!importFile(command.file, parameters, selection, messages))
        return kCliFailure;
    // The checks of "应用" in each form the file's groups are edited in, first failure only.
    const GroupSelection groups = selection.currentGroupSelection();
    if (selectionHasGroup(groups, SlotGroup::Battery)) {
        if (const std::optional<BatteryRuleFailure> failure =
                firstFailedBatteryRule(parameters.values)) {
            messages.warning(failure->text);
            return kCliFailure;
        }
    }
    if (selectionHasGroup(groups, SlotGroup::Load)) {
        // As the load form's "应用": a mode of the form first, then the ranges.
        if (!Load::hasFormMode(parameters.values, selection.generalLoad()))
            messages.warning(Text::chooseLoadMode());
        else if (const QString failure = Load::firstRangeFailure(parameters.values);
                 !failure.isEmpty())
            messages.warning(failure);
    }
    return status(messages);
}

// Compares the programmer with a file as "比较编程器" compares it with the window's parameters.
// Exit statuses as diff(1) has them.
int runDiff(const CliCommand &command, QIODevice &out, CliMessageService &messages,
            const CliEnvironment &environment)
{
    ParameterSet parameters;
    SelectionModel selection;
    if (!importFile(command.file, parameters, selection, messages))
        return kCliDiffTrouble;
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliDiffTrouble;
    const BlockReading reading = readProgrammerBlock(connection.exchange());
    if (!reported(reading.result, messages))
        return kCliDiffTrouble;
    const QList<BlockDifference> differences =
        blockDifferences({reading.productName, reading.groups, reading.parameters.values},
                         {storedProductName(selection.productName()),
                          selection.currentGroupSelection(), parameters.values});
    QByteArray lines;
    for (const BlockDifference &d : differences)
        lines += (QStringList{d.parameter, d.programmer, d.current}.join(u'\t') + u'\n').toUtf8();
    if (!writeAll(out, lines))
        return kCliDiffTrouble;
    return differences.isEmpty() ? kCliDiffSame : kCliDiffDifferent;
}

// A command that runs on one port, on the port `command.port` names.
int runOnPort(const CliCommand &command, QIODevice &out, CliMessageService &messages,
              const CliEnvironment &environment)
{
    switch (command.action) {
    case CliCommand::Action::Read:
        return runRead(command, out, messages, environment);
    case CliCommand::Action::Update:
        return runUpdate(command, messages, environment);
    case CliCommand::Action::Clear:
        return runClear(command, messages, environment);
    case CliCommand::Action::Clock:
        return runClock(command, out, messages, environment);
    default:
        return runDiff(command, out, messages, environment);
    }
}

// What one port's run gave: its exit status, the first warning, and what it printed.
struct PortRun
{
    QString port;
    int status = kCliSuccess;
    QString message;
    qint64 elapsedMs = 0;
    QByteArray data;
};

bool isDiff(const CliCommand &command)
{
    return command.action == CliCommand::Action::Diff;
}

bool succeeded(const CliCommand &command, const PortRun &run)
{
    return isDiff(command) ? run.status != kCliDiffTrouble : run.status == kCliSuccess;
}

// The data of a run as JSON: a read's parameter file as its lines, a clock's time, a diff's
// differences.
QJsonObject runJson(const CliCommand &command, const PortRun &run)
{
    const bool ok = succeeded(command, run);
    QJsonObject object{{QStringLiteral("port"), run.port},
                       {QStringLiteral("ok"), ok},
                       {QStringLiteral("message"), run.message},
                       {QStringLiteral("elapsed_ms"), run.elapsedMs}};
    if (!ok)
        return object;
    if (command.action == CliCommand::Action::Read && !run.data.isEmpty()) {
        QStringDecoder decoder = codePageDecoder();
        QStringList lines = QString(decoder.decode(run.data)).split(QStringLiteral("\r\n"));
        lines.removeLast(); // after the last line end
        object.insert(QStringLiteral("lines"), QJsonArray::fromStringList(lines));
    } else if (command.action == CliCommand::Action::Clock) {
        object.insert(QStringLiteral("time"), QString::fromUtf8(run.data).trimmed());
    } else if (isDiff(command)) {
        QJsonArray differences;
        for (const QString &line : QString::fromUtf8(run.data).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(u'\t');
            differences.append(QJsonObject{{QStringLiteral("parameter"), fields.value(0)},
                                           {QStringLiteral("programmer"), fields.value(1)},
                                           {QStringLiteral("current"), fields.value(2)}});
        }
        object.insert(QStringLiteral("differences"), differences);
    }
    return object;
}

// The line a run reports without --json: "PORT\tok", "PORT\tfailed\tmessage"; a diff says
// "same" or "different" and how many.
QString runLine(const CliCommand &command, const PortRun &run)
{
    QStringList fields{run.port};
    if (!succeeded(command, run))
        fields << QStringLiteral("failed") << run.message;
    else if (!isDiff(command))
        fields << QStringLiteral("ok");
    else if (run.status == kCliDiffSame)
        fields << QStringLiteral("same");
    else
        fields << QStringLiteral("different") << QString::number(run.data.count('\n'));
    for (QString &field : fields)
        field.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return fields.join(u'\t');
}

// Each port on a thread of its own, so that a silent or vanished programmer delays only
// itself; a port's line goes out as soon as it is done.
int runOnEveryPort(const CliCommand &command, QIODevice &out, QIODevice &err,
                   const CliEnvironment &environment)
{
    QMutex outLock;
    int worst = kCliSuccess;
    int good = 0;
    int bad = 0;
    std::vector<std::unique_ptr<QThread>> threads;
    for (const QString &port : command.ports) {
        threads.emplace_back(QThread::create([&, port] {
            CliCommand one = command;
            one.port = port;
            one.ports = {port};
            QBuffer data;
            data.open(QIODevice::WriteOnly);
            CliMessageService messages(err, command.verbose,
                                       command.ports.size() > 1 ? port : QString());
            QElapsedTimer timer;
            timer.start();
            const int status = runOnPort(one, data, messages, environment);
            const PortRun run{port, status, messages.firstWarning(), timer.elapsed(), data.data()};
            const QByteArray line =
                command.json ? QJsonDocument(runJson(command, run)).toJson(QJsonDocument::Compact)
                             : runLine(command, run).toUtf8();
            const QMutexLocker locker(&outLock);
            out.write(line + '\n');
            if (auto *file = qobject_cast<QFileDevice *>(&out))
                file->flush(); // a script reads each port's line as the port is done
            (succeeded(command, run) ? good : bad) += 1;
            worst = std::max(worst, run.status);
        }));
        threads.back()->start();
    }
    for (const auto &thread : threads)
        thread->wait();
    if (command.ports.size() > 1)
        err.write((Text::cliBatchSummary(good, bad) + u'\n').toUtf8());
    return worst;
}

} // namespace

int runCli(const QStringList &args, QIODevice &out, QIODevice &err,
           const CliEnvironment &environment)
{
    // The language first, so that even a usage error speaks the one asked for; the parse
    // below checks the option itself.
    Language language = startLanguage();
    for (qsizetype i = 0; i < args.size() && args.at(i) != QLatin1String("--"); ++i) {
        const QString &arg = args.at(i);
        const std::optional<Language> named =
            arg == QLatin1String("--lang")             ? languageFromCode(args.value(i + 1))
            : arg.startsWith(QLatin1String("--lang=")) ? languageFromCode(arg.mid(7))
                                                       : std::nullopt;
        language = named.value_or(language);
    }
    installLanguage(language);

    const std::variant<CliCommand, CliUsageError> parsed = parseCommandLine(args);
    if (const auto *wrong = std::get_if<CliUsageError>(&parsed)) {
        err.write((QStringLiteral("velmora-cli: ") + wrong->message + u'\n' + wrong->usage + u'\n')
                      .toUtf8());
        return kCliUsage;
    }
    return runCommand(std::get<CliCommand>(parsed), out, err, environment);
}

int runCommand(const CliCommand &command, QIODevice &out, QIODevice &err,
               const CliEnvironment &environment)
{
    using Action = CliCommand::Action;
    const bool programmer = command.action == Action::Read || command.action == Action::Update ||
                            command.action == Action::Clear || command.action == Action::Clock ||
                            command.action == Action::Diff;
    if (programmer && (command.json || command.ports.size() > 1))
        return runOnEveryPort(command, out, err, environment);

    // With --json the warnings go into the object, not to standard error.
    std::unique_ptr<CliMessageService> service =
        command.json ? std::make_unique<CliMessageService>(err, command.verbose, QString())
                     : std::make_unique<CliMessageService>(err, command.verbose);
    CliMessageService &messages = *service;
    QElapsedTimer timer;
    timer.start();
    int status = kCliSuccess;
    QBuffer ports;
    ports.open(QIODevice::WriteOnly);
    switch (command.action) {
    case Action::Help:
        status = writeAll(out, helpText(command.topic).toUtf8()) ? kCliSuccess : kCliFailure;
        break;
    case Action::Version:
        status = writeAll(out, (Text::cliVersion() + u'\n').toUtf8()) ? kCliSuccess : kCliFailure;
        break;
    case Action::Ports:
        status = runPorts(command.json ? static_cast<QIODevice &>(ports) : out);
        break;
    case Action::Check:
        status = runCheck(command, messages);
        break;
    default:
        status = runOnPort(command, out, messages, environment);
        break;
    }
    if (command.json && (command.action == Action::Ports || command.action == Action::Check)) {
        QJsonObject object{{QStringLiteral("ok"), status == kCliSuccess},
                           {QStringLiteral("message"), messages.firstWarning()},
                           {QStringLiteral("elapsed_ms"), timer.elapsed()}};
        if (command.action == Action::Ports) {
            object.insert(QStringLiteral("ports"),
                          QJsonArray::fromStringList(
                              QString::fromUtf8(ports.data()).split(u'\n', Qt::SkipEmptyParts)));
        } else {
            object.insert(QStringLiteral("file"), command.file);
        }
        writeAll(out, QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    }
    messages.progress(Text::cliElapsed(timer.elapsed()));
    return status;
}
