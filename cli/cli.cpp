#include "cli/cli.h"

#include "cli/climessageservice.h"
#include "cli/commandline.h"
#include "cli/loggingexchange.h"
#include "link/programmerlink.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/texts.h"
#include "programmer/blockverify.h"
#include "programmer/clockoperations.h"
#include "programmer/parameterfile.h"
#include "programmer/programmeroperations.h"
#include "programmer/registermap.h"
#include "rules/batteryrules.h"
#include "rules/loadrules.h"

#include <QElapsedTimer>
#include <QIODevice>

namespace {

bool WriteAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

int Status(const CliMessageService &messages)
{
    return messages.failed() ? kCliFailure : kCliSuccess;
}

// Prints what the window would show of the result; true when the operation completed.
bool Reported(const OperationResult &result, CliMessageService &messages)
{
    Report(result, messages, nullptr);
    return result.completed();
}

// "导入参数" from the command line: the window's message, then where and why as the compilers
// say it, "FILE:LINE: reason" (or "FILE: reason" for the file as a whole).
bool Import(const QString &file, ParameterSet &parameters, SelectionModel &selection,
            CliMessageService &messages)
{
    const ImportResult result = ImportParameterFile(parameters, selection, file);
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
        m_messages.progress(Text::CliOpeningPort(port));
        if (m_link.Open(port))
            return true;
        m_messages.warning(Text::OpenPortFailed());
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

int Ports(QIODevice &out)
{
    QByteArray lines;
    const QStringList ports = ProgrammerLink::EnumeratePorts();
    for (const QString &port : ports)
        lines += port.toUtf8() + '\n';
    return WriteAll(out, lines) ? kCliSuccess : kCliFailure;
}

int Read(const CliCommand &command, QIODevice &out, CliMessageService &messages,
         const CliEnvironment &environment)
{
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    ParameterSet parameters;
    SelectionModel selection;
    if (!Reported(ReadProgrammer(connection.context(parameters, selection)), messages))
        return kCliFailure;

    // What "保存参数" writes after this read.
    const QByteArray bytes =
        FormatParameterFile(parameters, selection.productName(), selection.CurrentGroupSelection());
    const bool toOutput = command.file.isEmpty() || command.file == QLatin1String("-");
    if (toOutput ? !WriteAll(out, bytes) : !WriteParameterFile(command.file, bytes)) {
        messages.warning(Text::FileSaveFailed());
        return kCliFailure;
    }
    if (!toOutput)
        messages.info(nullptr, Text::FileSaved());
    return kCliSuccess;
}

// Reads the block back after an update and compares it with what was written.
int Verify(Connection &connection, const ParameterSet &parameters, const SelectionModel &selection,
           CliMessageService &messages)
{
    const auto encoded =
        EncodeBlock(selection.productName(), parameters, selection.CurrentGroupSelection());
    const EncodedBlock *written = std::get_if<EncodedBlock>(&encoded);
    if (!written) // the update itself encoded the same block, so this cannot happen
        return kCliFailure;

    ParameterSet readSet;
    SelectionModel readSelection;
    if (!Reported(ReadProgrammer(connection.context(readSet, readSelection)), messages))
        return kCliFailure;
    // The read takes the checksum as its closing handshake without keeping it: ask again.
    ProgrammerExchange &link = connection.exchange();
    if (!link.Exchange(ReadChecksumRequest()).valid()) {
        messages.warning(Text::ReadTimeout());
        return kCliFailure;
    }
    const QString mismatch = BlockMismatch(*written, readSelection.productName(), readSet,
                                           readSelection.CurrentGroupSelection(),
                                           quint16(ReplyRegister(link.reply(), 0)));
    if (!mismatch.isEmpty())
        messages.warning(mismatch);
    return Status(messages);
}

int Update(const CliCommand &command, CliMessageService &messages,
           const CliEnvironment &environment)
{
    // The file first: a refused file never reaches the port.
    ParameterSet parameters;
    SelectionModel selection;
    if (!Import(command.file, parameters, selection, messages))
        return kCliFailure;

    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    if (!Reported(UpdateProgrammer(connection.context(parameters, selection)), messages))
        return kCliFailure;
    return command.verify ? Verify(connection, parameters, selection, messages) : kCliSuccess;
}

int Clear(const CliCommand &command, CliMessageService &messages, const CliEnvironment &environment)
{
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    ParameterSet parameters;
    SelectionModel selection;
    return Reported(ClearProgrammer(connection.context(parameters, selection)), messages)
               ? kCliSuccess
               : kCliFailure;
}

int Clock(const CliCommand &command, QIODevice &out, CliMessageService &messages,
          const CliEnvironment &environment)
{
    Connection connection(messages, environment);
    if (!connection.open(command.port))
        return kCliFailure;
    if (command.clockSet == CliCommand::ClockSet::None) {
        const ClockReading reading = ReadProgrammerClock(connection.exchange());
        if (reading.result.completed() && !WriteAll(out, (reading.time + u'\n').toUtf8()))
            return kCliFailure;
        return Reported(reading.result, messages) ? kCliSuccess : kCliFailure;
    }

    // As the clock form writes its pickers: local date and time of day, to the second.
    ClockFields fields = ClockFieldsOf(command.date, command.time);
    if (command.clockSet == CliCommand::ClockSet::Now) {
        const QDateTime now = environment.now ? environment.now() : QDateTime::currentDateTime();
        fields = ClockFieldsOf(now.date(), now.time());
    }
    const OperationResult result = WriteProgrammerClock(connection.exchange(), fields);
    // The form then shows the time written.
    if (result.completed() && !WriteAll(out, (ClockText(fields) + u'\n').toUtf8()))
        return kCliFailure;
    return Reported(result, messages) ? kCliSuccess : kCliFailure;
}

int Check(const CliCommand &command, CliMessageService &messages)
{
    ParameterSet parameters;
    SelectionModel selection;
    if (!Import(command.file, parameters, selection, messages))
        return kCliFailure;
    // The checks of "应用" in each form the file's groups are edited in, first failure only.
    const GroupSelection groups = selection.CurrentGroupSelection();
    if (selectionHasGroup(groups, SlotGroup::Battery)) {
        if (const std::optional<BatteryRuleFailure> failure =
                FirstFailedBatteryRule(parameters.values)) {
            messages.warning(failure->text);
            return kCliFailure;
        }
    }
    if (selectionHasGroup(groups, SlotGroup::Load)) {
        // As the load form's "应用": a mode of the form first, then the ranges.
        if (!Load::HasFormMode(parameters.values, selection.generalLoad()))
            messages.warning(Text::ChooseLoadMode());
        else if (const QString failure = Load::FirstRangeFailure(parameters.values);
                 !failure.isEmpty())
            messages.warning(failure);
    }
    return Status(messages);
}

} // namespace

int RunCli(const QStringList &args, QIODevice &out, QIODevice &err,
           const CliEnvironment &environment)
{
    const std::variant<CliCommand, CliUsageError> parsed = ParseCommandLine(args);
    if (const auto *wrong = std::get_if<CliUsageError>(&parsed)) {
        err.write((QStringLiteral("velmora-cli: ") + wrong->message + u'\n' + wrong->usage + u'\n')
                      .toUtf8());
        return kCliUsage;
    }
    return RunCommand(std::get<CliCommand>(parsed), out, err, environment);
}

int RunCommand(const CliCommand &command, QIODevice &out, QIODevice &err,
               const CliEnvironment &environment)
{
    using Action = CliCommand::Action;
    CliMessageService messages(err, command.verbose);
    QElapsedTimer timer;
    timer.start();
    int status = kCliSuccess;
    switch (command.action) {
    case Action::Help:
        status = WriteAll(out, HelpText(command.topic).toUtf8()) ? kCliSuccess : kCliFailure;
        break;
    case Action::Version:
        status = WriteAll(out, (Text::CliVersion() + u'\n').toUtf8()) ? kCliSuccess : kCliFailure;
        break;
    case Action::Ports:
        status = Ports(out);
        break;
    case Action::Read:
        status = Read(command, out, messages, environment);
        break;
    case Action::Update:
        status = Update(command, messages, environment);
        break;
    case Action::Clear:
        status = Clear(command, messages, environment);
        break;
    case Action::Clock:
        status = Clock(command, out, messages, environment);
        break;
    case Action::Check:
        status = Check(command, messages);
        break;
    }
    messages.progress(Text::CliElapsed(timer.elapsed()));
    return status;
}
