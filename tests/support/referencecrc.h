#pragma once

#include <QByteArray>

// CRC-16/MODBUS written out on its own in the tests, so frames and stored checksums are checked
// against a computation that shares no code with the program.
inline quint16 ReferenceCrc(const QByteArray &bytes)
{
    quint16 crc = 0xFFFF;
    for (char ch : bytes) {
        crc ^= quint8(ch);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}
