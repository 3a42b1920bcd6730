#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The programmer's real-time clock: three holding registers from REG_CLOCK, one binary byte per
// field: 0x9013 minute:second, 0x9014 day:hour, 0x9015 year:month (high:low).
inline constexpr quint16 REG_CLOCK = 0x9013;
inline constexpr int kClockRegisters = 3;

struct ClockFields
{
    int second = 0; // 0-59
    int minute = 0; // 0-59
    int hour = 0;   // 0-23
    int day = 1;    // 1-31
    int month = 1;  // 1-12
    int year = 0;   // 0-99, within 2000-2099
    friend bool operator==(const ClockFields &, const ClockFields &) = default;
};

// Complete frame texts, CRC text included.
QString readClockRequest();
// Empty when a field is outside its range.
QString writeClockRequest(const ClockFields &fields);

// The clock of a clock reply's bytes; empty when fewer than its 9 bytes (header and 6 data)
// arrived.
std::optional<ClockFields> clockFromReply(QByteArrayView reply);
