#include "sim/programmermodel.h"
#include "sim/rtu.h"

#include <QDate>
#include <QTime>

#include <gtest/gtest.h>

using namespace sim;

namespace {

// A request or reply frame from hex text, with its CRC appended.
QByteArray frame(const char *hex)
{
    QByteArray f = QByteArray::fromHex(hex);
    appendCrc(f);
    return f;
}

struct FakeTime
{
    qint64 ms = 1'000'000;
    ProgrammerModel::MonotonicMs source()
    {
        return [this] { return ms; };
    }
};

class SimModel : public ::testing::Test
{
protected:
    FakeTime time;
    ProgrammerModel model{time.source(), QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))};
    QByteArray ask(const char *hex) { return model.answer(frame(hex)); }
};

} // namespace

// Vectors from outside our code.
TEST(SimCrc, MatchesPublishedVectorsAndChecksFrames)
{
    EXPECT_EQ(crc16("123456789"), 0x4B37);
    EXPECT_EQ(frame("010300120008").right(2), QByteArray::fromHex("E409"));

    EXPECT_EQ(checkFrame(frame("010392000001")), FrameStatus::Ok);
    EXPECT_EQ(checkFrame(frame("020392000001")), FrameStatus::OtherSlave);
    EXPECT_EQ(checkFrame(frame("000392000001")), FrameStatus::OtherSlave);
    QByteArray bad = frame("010392000001");
    bad[7] = static_cast<char>(bad[7] ^ 1);
    EXPECT_EQ(checkFrame(bad), FrameStatus::BadCrc);
    EXPECT_EQ(checkFrame(QByteArray::fromHex("0103B8")), FrameStatus::TooShort);
}

TEST_F(SimModel, BlockRegistersReadBackWhatWasWritten)
{
    // One write from the count through the name into the address table: one run of registers.
    EXPECT_EQ(ask("01 10 9200 000C 18 0015 ABCD 4241 4443 2045 0000 0000 0000 0000 0000 9000 9001"),
              frame("01 10 9200 000C"));
    EXPECT_EQ(ask("01 03 9200 0004"), frame("01 03 08 0015 ABCD 4241 4443"));
    EXPECT_EQ(ask("01 03 920A 0003"), frame("01 03 06 9000 9001 0000"));
    EXPECT_EQ(model.block().name[2], 0x2045);

    // Both table ends, full-width values.
    EXPECT_EQ(ask("01 10 9244 0001 02 FFFF"), frame("01 10 9244 0001"));
    EXPECT_EQ(ask("01 10 933A 0001 02 0200"), frame("01 10 933A 0001"));
    EXPECT_EQ(ask("01 03 933A 0001"), frame("01 03 02 0200"));
    EXPECT_EQ(model.block().addresses[58], 0xFFFF);
    EXPECT_EQ(ask("01 03 9300 003B").size(), 3 + 2 * 59 + 2);
}

TEST_F(SimModel, ClearCommandErasesTheWholeBlock)
{
    StoredBlock full;
    full.count = 0x3B;
    full.checksum = 0x1234;
    full.name.fill(0x4141);
    full.addresses.fill(0x9000);
    full.values.fill(7);
    model.setBlock(full);

    EXPECT_EQ(ask("01 10 9200 0001 02 5AA5"), frame("01 10 9200 0001"));
    EXPECT_EQ(model.block(), StoredBlock{});
    EXPECT_EQ(ask("01 03 9200 0001"), frame("01 03 02 0000"));

    // Registers after the clear command in the same request land in the empty block.
    model.setBlock(full);
    ask("01 10 9200 0002 04 5AA5 BEEF");
    StoredBlock expected;
    expected.checksum = 0xBEEF;
    EXPECT_EQ(model.block(), expected);
}

TEST_F(SimModel, CountWritesAreLimitedAndARefusedWriteChangesNothing)
{
    for (const char *ok : {"0000", "0017", "003B"}) {
        const QByteArray request = "01 10 9200 0001 02 " + QByteArray(ok);
        EXPECT_EQ(ask(request.constData()), frame("01 10 9200 0001")) << ok;
    }
    EXPECT_EQ(model.block().count, 0x3B);
    for (const char *refused : {"003C", "5AA4", "FFFF"}) {
        const QByteArray request = "01 10 9200 0003 06 " + QByteArray(refused) + " 1111 4241";
        EXPECT_EQ(ask(request.constData()), frame("01 90 03")) << refused;
    }
    EXPECT_EQ(model.block().count, 0x3B);
    EXPECT_EQ(model.block().checksum, 0);
    EXPECT_EQ(model.block().name[0], 0);
}

TEST_F(SimModel, ExceptionCodes)
{
    // 01: any function but 0x03 and 0x10.
    EXPECT_EQ(ask("01 04 9200 0001"), frame("01 84 01"));
    EXPECT_EQ(ask("01 06 9200 0001"), frame("01 86 01"));
    EXPECT_EQ(ask("01 2B 0E 01 00"), frame("01 AB 01"));

    // 02: a register that does not exist, a gap, or past the end of a run.
    for (const char *read : {"01 03 0012 0008", "01 03 9012 0001", "01 03 9016 0001",
                             "01 03 9013 0004", "01 03 9245 0001", "01 03 9244 0002",
                             "01 03 9300 003C", "01 03 91FF 0002", "01 03 FFFF 0002"})
        EXPECT_EQ(ask(read), frame("01 83 02")) << read;
    EXPECT_EQ(ask("01 10 933A 0002 04 0001 0002"), frame("01 90 02"));
    EXPECT_EQ(model.block().values[58], 0);

    // 03: quantity, byte count or frame length wrong.
    for (const char *read : {"01 03 9200 0000", "01 03 9300 007E", "01 03 9200 00"})
        EXPECT_EQ(ask(read), frame("01 83 03")) << read;
    for (const char *write : {"01 10 9200 0001 01 00", "01 10 9200 0001 04 0000 0000",
                              "01 10 9200 0002 04 0000", "01 10 9200 0000 00", "01 10 92"})
        EXPECT_EQ(ask(write), frame("01 90 03")) << write;
    QByteArray tooMany = "01 10 9300 007C F8";
    tooMany += QByteArray(4 * 124, '0'); // 124 registers
    EXPECT_EQ(ask(tooMany.constData()), frame("01 90 03"));
}

TEST_F(SimModel, ClockRunsOnFromTheValueLastWritten)
{
    // Starts at the given local time: 2023-12-31 23:59:58 (binary fields, not BCD).
    EXPECT_EQ(ask("01 03 9013 0003"), frame("01 03 06 3B3A 1F17 170C"));
    time.ms += 2500;
    EXPECT_EQ(model.clock(), (ClockFields{2024, 1, 1, 0, 0, 0}));

    // 2016-03-05 14:07:09
    EXPECT_EQ(ask("01 10 9013 0003 06 0709 050E 1003"), frame("01 10 9013 0003"));
    EXPECT_EQ(ask("01 03 9013 0003"), frame("01 03 06 0709 050E 1003"));
    time.ms += 61'999;
    EXPECT_EQ(model.clock(), (ClockFields{2016, 3, 5, 14, 8, 10}));

    // Leap day, then a write of the year and month alone keeps the other fields.
    ask("01 10 9013 0003 06 3B3B 1C17 1802");
    time.ms += 1000;
    EXPECT_EQ(model.clock(), (ClockFields{2024, 2, 29, 0, 0, 0}));
    ask("01 10 9015 0001 02 1907");
    EXPECT_EQ(model.clock(), (ClockFields{2025, 7, 29, 0, 0, 0}));
}

TEST_F(SimModel, ImpossibleClockValuesAreRefused)
{
    ask("01 10 9013 0003 06 0709 050E 1003");
    // minute|second, day|hour, year|month
    for (const char *bad :
         {"0000 1E00 1702", "0000 1D00 1702", "0000 0118 1701", "3C00 0100 1701", "003C 0100 1701",
          "0000 0100 1700", "0000 0100 170D", "0000 0000 1701", "0000 0100 6401"}) {
        const QByteArray request = "01 10 9013 0003 06 " + QByteArray(bad);
        EXPECT_EQ(ask(request.constData()), frame("01 90 03")) << bad;
    }
    EXPECT_EQ(model.clock(), (ClockFields{2016, 3, 5, 14, 7, 9}));
    EXPECT_EQ(ask("01 10 9013 0003 06 0000 1D00 1802"), frame("01 10 9013 0003")); // 2024-02-29
}
