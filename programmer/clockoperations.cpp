#include "programmer/clockoperations.h"

#include "link/programmerexchange.h"
#include "model/messageservice.h"
#include "model/texts.h"

namespace {

constexpr int kCentury = 2000;

} // namespace

QString ClockText(const ClockFields &f)
{
    return QStringLiteral("%1/%2/%3   %4:%5:%6")
        .arg(kCentury + f.year)
        .arg(f.month)
        .arg(f.day)
        .arg(f.hour)
        .arg(f.minute)
        .arg(f.second);
}

ClockFields ClockFieldsOf(QDate date, QTime time)
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

std::optional<QString> ReadProgrammerClock(ProgrammerExchange &link, MessageService &messages)
{
    if (!link.portOpen()) {
        messages.warning(Text::PortUnavailable());
        return std::nullopt;
    }
    // A valid reply has exactly its 6 data bytes; anything else is as if nothing came.
    const std::optional<ClockFields> fields =
        link.Exchange(ReadClockRequest()).valid() ? ClockFromReply(link.reply()) : std::nullopt;
    if (!fields) {
        messages.warning(Text::ReadTimeout());
        return std::nullopt;
    }
    return ClockText(*fields);
}

bool WriteProgrammerClock(ProgrammerExchange &link, const ClockFields &fields,
                          MessageService &messages)
{
    if (!link.portOpen()) {
        messages.warning(Text::PortUnavailable());
        return false;
    }
    const QString request = WriteClockRequest(fields);
    if (request.isEmpty()) {
        messages.warning(Text::ValueOutOfRange());
        return false;
    }
    // Only the echo of this write's address and quantity acknowledges it; an exception does not.
    if (!link.Exchange(request).valid()) {
        messages.warning(Text::WriteTimeout());
        return false;
    }
    return true;
}
