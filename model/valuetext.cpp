#include "model/valuetext.h"

#include <cmath>
#include <limits>

namespace {

struct Cursor
{
    const QString &text;
    qsizetype pos = 0;

    bool atDigit() const
    {
        return pos < text.size() && text.at(pos).isDigit() && text.at(pos).unicode() < 128;
    }
    int digit() const { return text.at(pos).unicode() - '0'; }
    bool at(char c) const { return pos < text.size() && text.at(pos) == QLatin1Char(c); }

    void skipBlanks()
    {
        while (pos < text.size() &&
               (text.at(pos) == QLatin1Char(' ') || text.at(pos) == QLatin1Char('\t') ||
                text.at(pos) == QLatin1Char('\n') || text.at(pos) == QLatin1Char('\r') ||
                text.at(pos) == QLatin1Char('\v') || text.at(pos) == QLatin1Char('\f')))
            ++pos;
    }

    // Returns -1 for a minus sign, +1 otherwise.
    int sign()
    {
        if (at('-')) {
            ++pos;
            return -1;
        }
        if (at('+'))
            ++pos;
        return 1;
    }
};

constexpr qint64 kMagnitudeCap = qint64(1) << 62;

} // namespace

qint64 lenientInt64(const QString &text)
{
    Cursor c{text};
    c.skipBlanks();
    const int sign = c.sign();
    qint64 magnitude = 0;
    // Saturates at the cap: any number that long is out of every range.
    while (c.atDigit()) {
        magnitude = magnitude < kMagnitudeCap / 10 ? magnitude * 10 + c.digit() : kMagnitudeCap;
        ++c.pos;
    }
    return sign * magnitude;
}

int lenientInt(const QString &text)
{
    const qint64 value = lenientInt64(text);
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

double lenientDouble(const QString &text)
{
    Cursor c{text};
    c.skipBlanks();
    const qsizetype start = c.pos;
    c.sign();
    bool digits = false;
    while (c.atDigit()) {
        ++c.pos;
        digits = true;
    }
    if (c.at('.')) {
        ++c.pos;
        while (c.atDigit()) {
            ++c.pos;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    qsizetype end = c.pos;
    if (c.at('e') || c.at('E')) {
        ++c.pos;
        c.sign();
        if (c.atDigit()) {
            while (c.atDigit())
                ++c.pos;
            end = c.pos;
        }
    }
    return text.mid(start, end - start).toDouble();
}

qint64 hundredthsFromText(const QString &text)
{
    Cursor c{text};
    c.skipBlanks();
    const qsizetype start = c.pos;
    const int sign = c.sign();
    qint64 whole = 0;
    bool digits = false;
    while (c.atDigit()) {
        whole = whole < kMagnitudeCap / 1000 ? whole * 10 + c.digit() : kMagnitudeCap / 100;
        ++c.pos;
        digits = true;
    }
    int fraction = 0;
    int fractionDigits = 0;
    if (c.at('.')) {
        ++c.pos;
        while (c.atDigit()) {
            if (fractionDigits < 2) {
                fraction = fraction * 10 + c.digit();
                ++fractionDigits;
            }
            ++c.pos;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (c.at('e') || c.at('E')) {
        // Rare in a form; an exponent moves the decimal point, so fall back to the double.
        const double scaled = lenientDouble(text.mid(start)) * 100.0;
        if (!std::isfinite(scaled) || std::fabs(scaled) >= double(kMagnitudeCap))
            return scaled < 0 ? -kMagnitudeCap : kMagnitudeCap;
        return qint64(scaled);
    }
    while (fractionDigits < 2) {
        fraction *= 10;
        ++fractionDigits;
    }
    return sign * (whole * 100 + fraction);
}

int hourMinuteCode(int hours, int minutes)
{
    return hours * 256 + minutes;
}

HourMinute hourMinuteFromCode(int code)
{
    return {code / 256, code % 256};
}

int ratedVoltageMultiplier(const QString &levelText)
{
    return levelText == QLatin1String("0") ? 1 : lenientInt(levelText);
}

std::optional<quint16> valueWord(const QString &valueText)
{
    const qint64 value = lenientInt64(valueText);
    if (value < 0 || value > 0xFFFF)
        return std::nullopt;
    return quint16(value);
}
