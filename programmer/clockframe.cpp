#include "programmer/clockframe.h"

#include "link/hexframe.h"

namespace {

// A 0x03 reply's data starts after slave, function and byte count.
constexpr int kReplyDataByte = 3;

} // namespace

QString readClockRequest()
{
    return withCrc(QStringLiteral("01 03 90 13 00 03"));
}

QString writeClockRequest(const ClockFields &fields)
{
    const auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    if (!within(fields.second, 0, 59) || !within(fields.minute, 0, 59) ||
        !within(fields.hour, 0, 23) || !within(fields.day, 1, 31) || !within(fields.month, 1, 12) ||
        !within(fields.year, 0, 99))
        return {};
    QString text = QStringLiteral("01 10 90 13 00 03 06");
    for (int byte :
         {fields.minute, fields.second, fields.day, fields.hour, fields.year, fields.month})
        text += hex2Text(byte) + QLatin1Char(' ');
    return withCrc(text);
}

std::optional<ClockFields> clockFromReply(QByteArrayView bytes)
{
    if (bytes.size() < kReplyDataByte + 2 * kClockRegisters)
        return std::nullopt;
    const auto at = [&bytes](int i) { return int(quint8(bytes.at(kReplyDataByte + i))); };
    ClockFields fields;
    fields.minute = at(0);
    fields.second = at(1);
    fields.day = at(2);
    fields.hour = at(3);
    fields.year = at(4);
    fields.month = at(5);
    return fields;
}
