#include "fuzzsupport.h"

#include "cli/cli.h"
#include "cli/commandline.h"

#include <QBuffer>

// velmora-cli's argument parsing on any arguments (the input split at zero bytes). A command
// line is either a command whose required parts are all there, or one usage complaint with a
// usage line. Help and version run in process; commands that would open a port or touch a
// file are only parsed.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList args =
        bytes.isEmpty() ? QStringList() : QString::fromUtf8(bytes).split(QChar(u'\0'));
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);

    const std::variant<CliCommand, CliUsageError> parsed = parseCommandLine(args);
    if (const auto *wrong = std::get_if<CliUsageError>(&parsed)) {
        FUZZ_CHECK(!wrong->message.isEmpty() && !wrong->usage.isEmpty());
        FUZZ_CHECK(runCli(args, out, err) == kCliUsage);
        FUZZ_CHECK(out.data().isEmpty() && !err.data().isEmpty());
        return 0;
    }

    using Action = CliCommand::Action;
    const CliCommand &command = std::get<CliCommand>(parsed);
    if (QList{Action::Read, Action::Update, Action::Clear, Action::Clock}.contains(command.action))
        FUZZ_CHECK(!command.port.isEmpty());
    if (command.action == Action::Update || command.action == Action::Check)
        FUZZ_CHECK(!command.file.isEmpty());
    if (command.action == Action::Help || command.action == Action::Version)
        FUZZ_CHECK(runCommand(command, out, err) == kCliSuccess && !out.data().isEmpty());
    if (command.clockSet == CliCommand::ClockSet::At) {
        FUZZ_CHECK(command.action == Action::Clock && command.date.isValid() &&
                   command.time.isValid());
        FUZZ_CHECK(command.date.year() >= 2000 && command.date.year() <= 2099);
    }
    return 0;
}
