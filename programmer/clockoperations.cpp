#include "programmer/clockoperations.h"

#include "link/programmerexchange.h"
#include "model/texts.h"

namespace {

constexpr int kCentury = 2000;

} // namespace

QString clockText(const ClockFields &f)
{
    return QStringLiteral("%1/%2/%3   %4:%5:%6")
        .arg(kCentury + f.year)
        .arg(f.month)
        .arg(f.day)
        .arg(f.hour)
        .arg(f.minute)
        .arg(f.second);
}

ClockFields clockFieldsOf(QDate date, QTime time)
{
    ClockFields f;
    f.second = time.second();
    f.minute = time.minute();
    f.hour = time.hour();
    f.day = date.day();
    f.month = date.month();
    f.year = date.year() - kCentury;
    return f;
}

ClockReading readProgrammerClock(ProgrammerExchange &link)
{
    using Outcome = OperationResult::Outcome;
    if (!link.portOpen())
        return {{Outcome::PortUnavailable, Text::portUnavailable()}, {}};
    // A valid reply has exactly its 6 data bytes; anything else is as if nothing came.
    const std::optional<ClockFields> fields =
        link.exchange(readClockRequest()).valid() ? clockFromReply(link.reply()) : std::nullopt;
    if (!fields)
        return {{Outcome::NoReply, Text::readTimeout()}, {}};
    return {{Outcome::Completed, Text::readSucceeded()}, clockText(*fields)};
}

OperationResult writeProgrammerClock(ProgrammerExchange &link, const ClockFields &fields)
{
    using Outcome = OperationResult::Outcome;
    if (!link.portOpen())
        return {Outcome::PortUnavailable, Text::portUnavailable()};
    const QString request = writeClockRequest(fields);
    if (request.isEmpty())
        return {Outcome::ValueOutOfRange, Text::valueOutOfRange()};
    // Only the echo of this write's address and quantity acknowledges it; an exception does not.
    if (!link.exchange(request).valid())
        return {Outcome::NoReply, Text::writeTimeout()};
    return {Outcome::Completed, Text::writeSucceeded()};
}
