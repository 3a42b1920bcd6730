#pragma once

#include "programmer/clockframe.h"
#include "programmer/operationresult.h"

#include <QDate>
#include <QString>
#include <QTime>

class ProgrammerExchange;

// The clock as the user reads it: full year, month, day, three blanks, hour, minute, second,
// all without leading zeros ("2016/3/5   14:7:9"). The year is 2000 plus the year field.
QString clockText(const ClockFields &fields);

// The fields of a local date and time of day. Years outside 2000-2099 give a year field
// outside 0-99, which no request accepts.
ClockFields clockFieldsOf(QDate date, QTime time);

// A clock read: the result and, once completed, the time as clockText shows it.
struct ClockReading
{
    OperationResult result;
    QString time;
};

// Reads the programmer's clock ("读取成功！"); no reply or any reply that is not a valid answer to
// this request is "读取超时！".
ClockReading readProgrammerClock(ProgrammerExchange &link);

// Sets the programmer's clock ("写入成功！"), only when the programmer echoed this very write.
// A year outside 2000-2099 is "参数值超出范围！" and nothing is sent.
OperationResult writeProgrammerClock(ProgrammerExchange &link, const ClockFields &fields);
