#include "sim/programmermodel.h"

#include "sim/rtu.h"

#include <QDate>
#include <QTime>

#include <chrono>

namespace sim {

namespace {

struct Range
{
    quint16 first;
    quint16 last;
};

// The registers that exist. A request must lie inside one of these; REG_COUNT up to the end of
// the address table is one run, so a write may go from REG_COUNT into the table.
constexpr Range kClockRange{REG_CLOCK, REG_CLOCK + 2};
constexpr Range kBlockRange{REG_COUNT, REG_ADDRESS_TABLE + kTableSize - 1};
constexpr Range kValueRange{REG_VALUE_TABLE, REG_VALUE_TABLE + kTableSize - 1};
constexpr Range kRanges[] = {kClockRange, kBlockRange, kValueRange};

const Range *rangeOf(quint16 start, int quantity)
{
    const int last = start + quantity - 1;
    for (const Range &r : kRanges) {
        if (start >= r.first && last <= r.last)
            return &r;
    }
    return nullptr;
}

constexpr qint64 kMsPerDay = 86'400'000;
constexpr qint64 kJulianDay1970 = 2'440'588; // QDate(1970, 1, 1).toJulianDay()

qint64 toMs(const QDate &date, const QTime &time)
{
    return (date.toJulianDay() - kJulianDay1970) * kMsPerDay + time.msecsSinceStartOfDay();
}

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

quint16 word(QByteArrayView bytes, qsizetype at)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) << 8 |
                                static_cast<quint8>(bytes[at + 1]));
}

void appendWord(QByteArray &out, quint16 w)
{
    out.append(static_cast<char>(w >> 8));
    out.append(static_cast<char>(w & 0xFF));
}

} // namespace

ProgrammerModel::ProgrammerModel(MonotonicMs now, const QDateTime &initialClock)
    : m_now(now ? std::move(now) : MonotonicMs(steadyMs))
{
    // The device has no time zone: it keeps the local date and time fields and counts on.
    m_clockBaseMs = toMs(initialClock.date(), initialClock.time());
    m_clockSetAt = m_now();
}

ClockFields ProgrammerModel::clock() const
{
    const qint64 ms = m_clockBaseMs + (m_now() - m_clockSetAt);
    const qint64 days = floorDiv(ms, kMsPerDay);
    const QDate date = QDate::fromJulianDay(kJulianDay1970 + days);
    const int secondOfDay = static_cast<int>((ms - days * kMsPerDay) / 1000);
    return {date.year(),        date.month(),          date.day(),
            secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60};
}

bool ProgrammerModel::isValid(const ClockFields &f)
{
    return QDate::isValid(f.year, f.month, f.day) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 &&
           f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

bool ProgrammerModel::setClock(const ClockFields &f)
{
    if (!isValid(f))
        return false;
    m_clockBaseMs = toMs(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second));
    m_clockSetAt = m_now();
    return true;
}

quint16 ProgrammerModel::registerValue(quint16 address) const
{
    if (address >= kClockRange.first && address <= kClockRange.last) {
        const ClockFields c = clock();
        switch (address - REG_CLOCK) {
        case 0:
            return static_cast<quint16>(c.minute << 8 | c.second);
        case 1:
            return static_cast<quint16>(c.day << 8 | c.hour);
        default:
            return static_cast<quint16>(c.year % 100 << 8 | c.month);
        }
    }
    if (address == REG_COUNT)
        return m_block.count;
    if (address == REG_CHECKSUM)
        return m_block.checksum;
    if (address >= REG_PRODUCT_NAME && address < REG_PRODUCT_NAME + kNameWords)
        return m_block.name[address - REG_PRODUCT_NAME];
    if (address >= REG_ADDRESS_TABLE && address < REG_ADDRESS_TABLE + kTableSize)
        return m_block.addresses[address - REG_ADDRESS_TABLE];
    return m_block.values[address - REG_VALUE_TABLE];
}

ExceptionCode ProgrammerModel::readRegisters(quint16 start, int quantity,
                                             std::vector<quint16> &out) const
{
    out.clear();
    if (quantity < 1)
        return kIllegalDataValue;
    if (!rangeOf(start, quantity))
        return kIllegalDataAddress;
    for (int i = 0; i < quantity; ++i)
        out.push_back(registerValue(static_cast<quint16>(start + i)));
    return kNoException;
}

ExceptionCode ProgrammerModel::writeRegisters(quint16 start, const std::vector<quint16> &words)
{
    const int quantity = static_cast<int>(words.size());
    if (quantity < 1)
        return kIllegalDataValue;
    const Range *range = rangeOf(start, quantity);
    if (!range)
        return kIllegalDataAddress;

    if (range == &kRanges[0]) {
        // Registers not written keep the clock's current fields; the result must be a real
        // date and time, or nothing changes.
        std::array<quint16, 3> regs{};
        for (int i = 0; i < 3; ++i)
            regs[i] = registerValue(static_cast<quint16>(REG_CLOCK + i));
        for (int i = 0; i < quantity; ++i)
            regs[start - REG_CLOCK + i] = words[i];
        const int yearInCentury = regs[2] >> 8;
        if (yearInCentury > 99)
            return kIllegalDataValue;
        const ClockFields f{2000 + yearInCentury, regs[2] & 0xFF, regs[1] >> 8,
                            regs[1] & 0xFF,       regs[0] >> 8,   regs[0] & 0xFF};
        return setClock(f) ? kNoException : kIllegalDataValue;
    }

    // Refuse the whole request before changing anything.
    for (int i = 0; i < quantity; ++i) {
        if (start + i == REG_COUNT && words[i] != CLEAR_COMMAND && words[i] > kMaxWritableCount)
            return kIllegalDataValue;
    }
    // In ascending order: CLEAR_COMMAND erases the block, registers after it in the same
    // request are then written into the empty block.
    for (int i = 0; i < quantity; ++i) {
        const int address = start + i;
        const quint16 w = words[i];
        if (address == REG_COUNT) {
            if (w == CLEAR_COMMAND)
                eraseBlock();
            else
                m_block.count = w;
        } else if (address == REG_CHECKSUM) {
            m_block.checksum = w;
        } else if (address < REG_ADDRESS_TABLE) {
            m_block.name[address - REG_PRODUCT_NAME] = w;
        } else if (address < REG_ADDRESS_TABLE + kTableSize) {
            m_block.addresses[address - REG_ADDRESS_TABLE] = w;
        } else {
            m_block.values[address - REG_VALUE_TABLE] = w;
        }
    }
    return kNoException;
}

QByteArray ProgrammerModel::answer(QByteArrayView frame)
{
    if (frame.size() < 4)
        return {};
    const auto slave = static_cast<quint8>(frame[0]);
    const auto function = static_cast<quint8>(frame[1]);
    // Function code and data, without address and CRC.
    const QByteArrayView pdu = frame.sliced(1, frame.size() - 3);
    const auto fail = [&](ExceptionCode code) { return exceptionFrame(slave, function, code); };

    QByteArray reply;
    reply.append(static_cast<char>(slave));
    reply.append(static_cast<char>(function));
    switch (function) {
    case kReadHoldingRegisters: {
        // function, start (2), quantity (2)
        if (pdu.size() != 5)
            return fail(kIllegalDataValue);
        const quint16 start = word(pdu, 1);
        const int quantity = word(pdu, 3);
        if (quantity < 1 || quantity > 125)
            return fail(kIllegalDataValue);
        std::vector<quint16> words;
        if (const ExceptionCode code = readRegisters(start, quantity, words))
            return fail(code);
        reply.append(static_cast<char>(2 * quantity));
        for (const quint16 w : words)
            appendWord(reply, w);
        break;
    }
    case kWriteMultipleRegisters: {
        // function, start (2), quantity (2), byte count, 2 * quantity data bytes
        if (pdu.size() < 6)
            return fail(kIllegalDataValue);
        const quint16 start = word(pdu, 1);
        const int quantity = word(pdu, 3);
        const int byteCount = static_cast<quint8>(pdu[5]);
        if (quantity < 1 || quantity > 123 || byteCount != 2 * quantity ||
            pdu.size() != 6 + byteCount)
            return fail(kIllegalDataValue);
        std::vector<quint16> words;
        for (int i = 0; i < quantity; ++i)
            words.push_back(word(pdu, 6 + 2 * i));
        if (const ExceptionCode code = writeRegisters(start, words))
            return fail(code);
        appendWord(reply, start);
        appendWord(reply, static_cast<quint16>(quantity));
        break;
    }
    default:
        return fail(kIllegalFunction);
    }
    appendCrc(reply);
    return reply;
}

} // namespace sim
