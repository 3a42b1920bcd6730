#pragma once

#include <QByteArray>

// CRC-16/MODBUS written out on its own in the tests, so frames and stored checksums are checked
// against a computation that shares no code with the program.
inline quint16 referenceCrc(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (char ch : bytes) {
        crc ^= quint8(ch);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

#include <QString>

// The frame text with its CRC text (low byte first); fromHex skips the blanks.
inline QString referenceFramed(const QString &text)
{
    const quint16 crc = referenceCrc(QByteArray::fromHex(text.toLatin1()));
    return text + QString::asprintf("%02X%02X", crc & 0xFF, crc >> 8);
}

// The bytes of a 0x03 reply from slave 1 carrying `data`.
inline QByteArray referenceReadReply(const QByteArray &data)
{
    QByteArray frame = QByteArray::fromHex("0103") + char(data.size()) + data;
    const quint16 crc = referenceCrc(frame);
    return frame + char(crc & 0xFF) + char(crc >> 8);
}
