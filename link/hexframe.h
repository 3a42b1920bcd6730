#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

// Modbus RTU frames are composed as hex text: two hex digits per byte, blanks (0x20 only)
// allowed where a byte begins, e.g. "01 03 92 02 00 08". Replies come back as two upper-case
// digits per byte without separators.

// 0-15 for '0'-'9', 'A'-'F', 'a'-'f'; -1 for anything else.
int hexDigitValue(QChar c);

struct HexParse
{
    QByteArray bytes; // the bytes converted before any bad digit
    bool badDigit = false;
};
// Converts a frame text. Stops at the first character that is neither a blank where a byte
// begins nor a hex digit (badDigit is set, the bytes before it stay); a lone trailing digit is
// dropped silently.
HexParse parseHex(QStringView text);

// CRC-16/MODBUS (initial 0xFFFF, reflected polynomial 0xA001), bit by bit.
// Returns {high byte, low byte}. At most 1024 bytes are taken.
std::array<quint8, 2> crc16(const quint8 *data, qsizetype count);
quint16 crc16Value(QByteArrayView bytes);

// The four-character CRC text of a frame text: low byte first, as Modbus RTU transmits it
// ("01 03 00 12 00 08" -> "E409"). A bad digit gives the CRC of the bytes before it.
QString crcText(QStringView frameText);

// The frame text with its CRC text appended, without a blank.
QString withCrc(const QString &frameText);

// A byte as two, a word as four upper-case hex digits.
QString hex2Text(int byte);
QString hex4Text(int word);

// Two upper-case hex digits per byte, no separators.
QString bytesToHexText(QByteArrayView bytes);
