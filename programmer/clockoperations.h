#pragma once

#include "programmer/clockframe.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

class MessageService;
class ProgrammerExchange;

// The clock as the user reads it: full year, month, day, three blanks, hour, minute, second,
// all without leading zeros ("2016/3/5   14:7:9"). The year is 2000 plus the year field.
QString ClockText(const ClockFields &fields);

// The fields of a local date and time of day. Years outside 2000-2099 give a year field
// outside 0-99, which no request accepts.
ClockFields ClockFieldsOf(QDate date, QTime time);

// Reads the programmer's clock: its text, or empty after reporting why ("串口不可用或未打开！",
// "读取超时！" for no reply or any reply that is not a valid answer to this request).
// The completion is the caller's to report, once it has shown the text.
std::optional<QString> ReadProgrammerClock(ProgrammerExchange &link, MessageService &messages);

// Sets the programmer's clock. True only when the programmer echoed this very write; otherwise
// the failure has been reported ("串口不可用或未打开！", "参数值超出范围！" with nothing sent,
// "写入超时！"). The completion is the caller's to report.
bool WriteProgrammerClock(ProgrammerExchange &link, const ClockFields &fields,
                          MessageService &messages);
