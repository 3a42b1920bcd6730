// Register semantics of the simulated programmer, in-process. Its framing, fault switches and
// state file are exercised over a pseudo-terminal by tests/e2e.
#include "sim/programmermodel.h"
#include "sim/rtu.h"
#include "sim/statefile.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

// A request or reply frame from hex text, with its CRC appended.
QByteArray frame(const QByteArray &hex)
{
    QByteArray f = QByteArray::fromHex(hex);
    appendCrc(f);
    return f;
}

struct SimModel : ::testing::Test
{
    qint64 ms = 1'000'000;
    ProgrammerModel model{[this] { return ms; }, QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))};
    QByteArray ask(const QByteArray &hex) { return model.answer(frame(hex)); }
};

} // namespace

TEST_F(SimModel, RefusedRequestsChangeNothingAndAClearGoesFirst)
{
    StoredBlock full{5};
    full.values.fill(7);
    model.setBlock(full);
    // A refused count refuses the whole request.
    for (const char *refused : {"003C", "5AA4", "FFFF"})
        EXPECT_EQ(ask("01 10 9200 0002 04 " + QByteArray(refused) + " 1111"), frame("01 90 03"));
    EXPECT_EQ(ask("01 06 9200 0001"), frame("01 86 01"));
    // A register that does not exist, a gap between runs, or past the end of a run.
    for (const char *read : {"01 03 0012 0008", "01 03 9016 0001", "01 03 9013 0004",
                             "01 03 9244 0002", "01 03 9300 003C", "01 03 91FF 0002"})
        EXPECT_EQ(ask(read), frame("01 83 02")) << read;
    EXPECT_EQ(ask("01 10 933A 0002 04 0001 0002"), frame("01 90 02"));
    EXPECT_EQ(model.block(), full);
    EXPECT_EQ(ask("01 10 9200 0001 02 003B"), frame("01 10 9200 0001")); // the largest count

    // Registers after the clear command in the same request land in the empty block.
    EXPECT_EQ(ask("01 10 9200 0002 04 5AA5 BEEF"), frame("01 10 9200 0002"));
    EXPECT_EQ(model.block(), (StoredBlock{0, 0xBEEF}));
}

TEST_F(SimModel, ClockRunsOnFromTheValueLastWritten)
{
    // Binary fields: minute|second, day|hour, year-2000|month.
    EXPECT_EQ(ask("01 03 9013 0003"), frame("01 03 06 3B3A 1F17 170C"));
    ms += 2500;
    EXPECT_EQ(model.clock(), (ClockFields{2024, 1, 1, 0, 0, 0}));

    EXPECT_EQ(ask("01 10 9013 0003 06 0709 050E 1003"), frame("01 10 9013 0003"));
    ms += 61'999;
    EXPECT_EQ(ask("01 03 9013 0003"), frame("01 03 06 080A 050E 1003"));
    // An impossible date (February 30th) changes nothing.
    EXPECT_EQ(ask("01 10 9013 0003 06 0000 1E00 1702"), frame("01 90 03"));
    EXPECT_EQ(model.clock(), (ClockFields{2016, 3, 5, 14, 8, 10}));
}

TEST(SimState, AnErrorNamesItsLineAndChangesNothing)
{
    StoredBlock b{0x17};
    QString error;
    EXPECT_FALSE(parseState("# preset\r\ncount=12345", b, &error));
    EXPECT_TRUE(error.startsWith("line 2: "));
    EXPECT_FALSE(loadStateFile("/nonexistent/state.txt", b, &error));
    EXPECT_EQ(b.count, 0x17);
}
