#include "support/printers.h"

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << bytes.toHex(' ').toUpper().toStdString();
}
