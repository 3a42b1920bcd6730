#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable failure messages for Qt's strings (found by GoogleTest through argument lookup).
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
