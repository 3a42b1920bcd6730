#include "sim/rtu.h"

#include <array>
#include <utility>

namespace sim {

namespace {

constexpr std::array<quint16, 256> makeCrcTable()
{
    std::array<quint16, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? (crc >> 1) ^ 0xA001u : crc >> 1;
        table[i] = static_cast<quint16>(crc);
    }
    return table;
}

constexpr std::array<quint16, 256> kCrcTable = makeCrcTable();

} // namespace

quint16 crc16(QByteArrayView bytes)
{
    quint16 crc = 0xFFFF;
    for (const char c : bytes)
        crc = static_cast<quint16>((crc >> 8) ^ kCrcTable[(crc ^ static_cast<quint8>(c)) & 0xFF]);
    return crc;
}

void appendCrc(QByteArray &frame)
{
    const quint16 crc = crc16(frame);
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
}

FrameStatus checkFrame(QByteArrayView frame, quint8 slave)
{
    if (frame.size() < 4)
        return FrameStatus::TooShort;
    // A frame with its CRC appended has the CRC 0 ("zero residue").
    if (crc16(frame) != 0)
        return FrameStatus::BadCrc;
    if (static_cast<quint8>(frame[0]) != slave)
        return FrameStatus::OtherSlave;
    return FrameStatus::Ok;
}

const char *frameStatusText(FrameStatus status)
{
    switch (status) {
    case FrameStatus::Ok:
        return "ok";
    case FrameStatus::TooShort:
        return "too short";
    case FrameStatus::BadCrc:
        return "bad CRC";
    case FrameStatus::OtherSlave:
        return "other slave";
    }
    return "?";
}

QByteArray exceptionFrame(quint8 slave, quint8 function, quint8 code)
{
    QByteArray frame;
    frame.append(static_cast<char>(slave));
    frame.append(static_cast<char>(function | 0x80));
    frame.append(static_cast<char>(code));
    appendCrc(frame);
    return frame;
}

qsizetype RtuFramer::expectedLength() const
{
    if (m_untilSilence || m_buffer.size() < 2)
        return 0;
    switch (static_cast<quint8>(m_buffer[1])) {
    case kReadHoldingRegisters:
        return 8; // address, function, start (2), quantity (2), CRC (2)
    case kWriteMultipleRegisters:
        // address, function, start (2), quantity (2), byte count, data, CRC (2)
        return m_buffer.size() < 7 ? 0 : 9 + static_cast<quint8>(m_buffer[6]);
    default:
        return 0;
    }
}

std::vector<QByteArray> RtuFramer::feed(QByteArrayView bytes)
{
    std::vector<QByteArray> frames;
    for (const char c : bytes) {
        if (m_buffer.size() >= kMaxFrame) {
            // Only a frame of unknown length gets here: wait for the line to go quiet.
            ++m_dropped;
            continue;
        }
        m_buffer.append(c);
        const qsizetype expected = expectedLength();
        if (expected != 0 && m_buffer.size() == expected) {
            const bool ok = crc16(m_buffer) == 0;
            frames.push_back(std::exchange(m_buffer, {}));
            m_untilSilence = !ok;
        }
    }
    return frames;
}

std::optional<QByteArray> RtuFramer::silence()
{
    m_untilSilence = false;
    if (m_buffer.isEmpty())
        return std::nullopt;
    return std::exchange(m_buffer, {});
}

} // namespace sim
