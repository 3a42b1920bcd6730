#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>

#include <array>
#include <functional>
#include <vector>

namespace sim {

// Registers of the programmer (all 16-bit holding registers).
constexpr quint16 REG_CLOCK = 0x9013;         // 3: minute|second, day|hour, year-2000|month
constexpr quint16 REG_COUNT = 0x9200;         // N stored parameters; CLEAR_COMMAND erases
constexpr quint16 REG_CHECKSUM = 0x9201;      // kept as written, never checked
constexpr quint16 REG_PRODUCT_NAME = 0x9202;  // 8
constexpr quint16 REG_ADDRESS_TABLE = 0x920A; // kTableSize
constexpr quint16 REG_VALUE_TABLE = 0x9300;   // kTableSize
constexpr quint16 CLEAR_COMMAND = 0x5AA5;
constexpr int kTableSize = 59;
constexpr int kNameWords = 8;
// Counts a write may store besides CLEAR_COMMAND: 0 to kTableSize. (A state file may hold any.)
constexpr quint16 kMaxWritableCount = kTableSize;

enum ExceptionCode : quint8
{
    kNoException = 0,
    kIllegalFunction = 0x01,
    kIllegalDataAddress = 0x02,
    kIllegalDataValue = 0x03,
};

// The stored block: everything the state file keeps.
struct StoredBlock
{
    quint16 count = 0;
    quint16 checksum = 0;
    std::array<quint16, kNameWords> name{};
    std::array<quint16, kTableSize> addresses{};
    std::array<quint16, kTableSize> values{};

    bool operator==(const StoredBlock &) const = default;
};

// A clock reading, without time zone: the device just counts seconds.
struct ClockFields
{
    int year = 2000; // full year
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const ClockFields &) const = default;
};

// The programmer's registers and its answers to requests. No I/O, no timing of its own: the
// monotonic time source is injected so tests can move time.
class ProgrammerModel
{
public:
    using MonotonicMs = std::function<qint64()>;

    // now: monotonic milliseconds (default: the steady clock). The clock starts at
    // initialClock's local date and time (default: the host's local time now).
    explicit ProgrammerModel(MonotonicMs now = {},
                             const QDateTime &initialClock = QDateTime::currentDateTime());

    // Answers one request frame that is for us and has a valid CRC (see checkFrame): returns
    // the reply frame, a normal reply or a 5-byte exception.
    QByteArray answer(QByteArrayView frame);

    // Register access, whole request or nothing. Return kNoException on success.
    ExceptionCode readRegisters(quint16 start, int quantity, std::vector<quint16> &out) const;
    ExceptionCode writeRegisters(quint16 start, const std::vector<quint16> &words);

    const StoredBlock &block() const { return m_block; }
    void setBlock(const StoredBlock &block) { m_block = block; }

    ClockFields clock() const;
    bool setClock(const ClockFields &fields); // false for an impossible date or time
    static bool isValid(const ClockFields &fields);

private:
    quint16 registerValue(quint16 address) const; // address inside a known range
    void eraseBlock() { m_block = StoredBlock{}; }

    MonotonicMs m_now;
    StoredBlock m_block;
    qint64 m_clockBaseMs = 0; // the clock's value when set, ms since 1970 read as UTC
    qint64 m_clockSetAt = 0;  // m_now() when set
};

} // namespace sim
