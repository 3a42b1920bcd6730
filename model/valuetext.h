#pragma once

#include <QString>

#include <optional>

// Number reading shared by every form and transfer. Lenient like the C library's atoi/atof:
// leading blanks and a sign are accepted, reading stops at the first character that does not
// fit, and a text without a number counts as 0.

// Signed 32-bit integer; saturates at the int range instead of overflowing.
int lenientInt(const QString &text);
// Like lenientInt but 64-bit, for callers that must see an out-of-range number as such.
qint64 lenientInt64(const QString &text);
// Floating-point number: digits, an optional fraction and an optional exponent.
double lenientDouble(const QString &text);
// A number typed in volts, amperes or percent, times 100 and truncated toward zero
// ("14.409" -> 1440, "-2.5" -> -250). The decimal text is scaled exactly, so a value
// such as "4.35" gives 435 and never lands one hundredth lower through binary rounding.
qint64 hundredthsFromText(const QString &text);

// The register word of a value text: its number as lenientInt64 reads it, if within 0..65535.
// What an update sends for the text, and what a read's text stands for.
std::optional<quint16> valueWord(const QString &valueText);

// Hour-minute code: hours * 256 + minutes ("512" is 02:00, 23:59 is 5947).
int hourMinuteCode(int hours, int minutes);
struct HourMinute
{
    int hours;
    int minutes;
};
// Signed division truncating toward zero, as the forms read the code back.
HourMinute hourMinuteFromCode(int code);

// Rated-voltage multiplier from the RatedVoltageLevel text: the level's number (1..4 for 12 V to
// 48 V), and 1 for exactly "0" (automatic), which counts as 12 V. Any other text gives its number
// ("00" and a text that is no number give 0), as the battery rules read it.
int ratedVoltageMultiplier(const QString &levelText);
