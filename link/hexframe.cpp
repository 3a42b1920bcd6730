#include "link/hexframe.h"

#include <algorithm>

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

HexParse parseHex(QStringView text)
{
    HexParse result;
    result.bytes.reserve(text.size() / 2);
    qsizetype p = 0;
    while (p < text.size()) {
        if (text.at(p) == u' ') {
            ++p;
            continue;
        }
        if (p + 1 >= text.size())
            break; // a lone trailing digit is dropped
        const int high = hexDigitValue(text.at(p));
        const int low = hexDigitValue(text.at(p + 1));
        if (high < 0 || low < 0) {
            result.badDigit = true;
            break;
        }
        result.bytes.append(char(high * 16 + low));
        p += 2;
    }
    return result;
}

std::array<quint8, 2> crc16(const quint8 *data, qsizetype count)
{
    count = std::clamp<qsizetype>(count, 0, 1024);
    quint16 crc = 0xFFFF;
    for (qsizetype i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            const bool lsb = crc & 1;
            crc >>= 1;
            if (lsb)
                crc ^= 0xA001;
        }
    }
    return {quint8(crc >> 8), quint8(crc & 0xFF)};
}

quint16 crc16Value(QByteArrayView bytes)
{
    const auto [high, low] = crc16(reinterpret_cast<const quint8 *>(bytes.data()), bytes.size());
    return quint16(high << 8 | low);
}

QString crcText(QStringView frameText)
{
    const QByteArray bytes = parseHex(frameText).bytes;
    const auto [high, low] =
        crc16(reinterpret_cast<const quint8 *>(bytes.constData()), bytes.size());
    return QStringLiteral("%1%2")
        .arg(low, 2, 16, QLatin1Char('0'))
        .arg(high, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString withCrc(const QString &frameText)
{
    return frameText + crcText(frameText);
}

QString bytesToHexText(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex().toUpper());
}

QString hex2Text(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

QString hex4Text(int word)
{
    return QStringLiteral("%1").arg(word, 4, 16, QLatin1Char('0')).toUpper();
}
