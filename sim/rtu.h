#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <vector>

// Modbus RTU primitives of the simulated programmer. Deliberately independent of the program's
// own link code (it links none of the program's libraries), so that a mistake shared by both
// cannot cancel itself out.
namespace sim {

constexpr quint8 kSlaveAddress = 1;
constexpr quint8 kReadHoldingRegisters = 0x03;
constexpr quint8 kWriteMultipleRegisters = 0x10;

// CRC-16/MODBUS (initial 0xFFFF, reflected polynomial 0xA001), table-driven.
// "123456789" gives 0x4B37.
quint16 crc16(QByteArrayView bytes);

// Appends the CRC as RTU sends it: low byte first.
void appendCrc(QByteArray &frame);

enum class FrameStatus
{
    Ok,       // for us, CRC valid
    TooShort, // fewer than 4 bytes (address, function, CRC)
    BadCrc,
    OtherSlave, // any address but ours, broadcast 0 included
};
FrameStatus checkFrame(QByteArrayView frame, quint8 slave = kSlaveAddress);
const char *frameStatusText(FrameStatus status);

// address, function | 0x80, code, CRC: 5 bytes.
QByteArray exceptionFrame(quint8 slave, quint8 function, quint8 code);

// Cuts a received byte stream into request frames.
// A frame ends when its length is reached, which the first bytes tell for the two functions the
// programmer knows (0x03: 8 bytes; 0x10: 9 + byte count, known from byte 6), or else after 1.75 ms
// without a byte (unknown functions, noise), which the caller signals with silence().
// A frame ended by its length whose CRC is wrong means the stream is out of step: everything
// up to the next silence is then collected as one frame (which will not check out either).
class RtuFramer
{
public:
    // Longest frame kept; bytes beyond it (before a silence) are dropped.
    static constexpr qsizetype kMaxFrame = 300;

    // Returns the frames completed by their length, in order.
    std::vector<QByteArray> feed(QByteArrayView bytes);
    // The line has been silent for 1.75 ms: whatever is pending is a frame.
    std::optional<QByteArray> silence();
    // Bytes are waiting for a silence to end them, or the framer waits for one to get in step.
    bool hasPending() const { return !m_buffer.isEmpty() || m_untilSilence; }
    qsizetype droppedBytes() const { return m_dropped; }

private:
    // The length of the frame in m_buffer when known, 0 while it is not (yet) known.
    qsizetype expectedLength() const;

    QByteArray m_buffer;
    bool m_untilSilence = false;
    qsizetype m_dropped = 0;
};

} // namespace sim
