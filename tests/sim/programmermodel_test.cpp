// Register semantics of the simulated programmer, in-process. Its framing and fault switches are
// exercised over a pseudo-terminal by tests/e2e.
#include "sim/programmermodel.h"
#include "sim/responder.h"
#include "sim/rtu.h"
#include "sim/statefile.h"

#include <QDate>
#include <QTemporaryDir>
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

class SimModel : public ::testing::Test
{
protected:
    qint64 ms = 1'000'000;
    ProgrammerModel model{[this] { return ms; }, QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))};
    QByteArray ask(const char *hex) { return model.answer(frame(hex)); }
    QByteArray ask(const QByteArray &hex) { return ask(hex.constData()); }
};

StoredBlock fullBlock()
{
    StoredBlock b;
    b.count = 0x3B;
    b.checksum = 0x1234;
    b.name.fill(0x4141);
    b.addresses.fill(0x9000);
    b.values.fill(7);
    return b;
}

} // namespace

TEST_F(SimModel, ClearErasesTheBlockAndCountWritesAreLimited)
{
    model.setBlock(fullBlock());
    EXPECT_EQ(ask("01 10 9200 0001 02 5AA5"), frame("01 10 9200 0001"));
    EXPECT_EQ(model.block(), StoredBlock{});
    EXPECT_EQ(ask("01 03 9200 0001"), frame("01 03 02 0000"));
    // Registers after the clear command in the same request land in the empty block.
    model.setBlock(fullBlock());
    ask("01 10 9200 0002 04 5AA5 BEEF");
    StoredBlock cleared;
    cleared.checksum = 0xBEEF;
    EXPECT_EQ(model.block(), cleared);

    EXPECT_EQ(ask("01 10 9200 0001 02 003B"), frame("01 10 9200 0001"));
    // A refused count refuses the whole request.
    for (const char *refused : {"003C", "5AA4", "FFFF"}) {
        EXPECT_EQ(ask("01 10 9200 0002 04 " + QByteArray(refused) + " 1111"), frame("01 90 03"))
            << refused;
    }
    EXPECT_EQ(model.block().count, 0x3B);
    EXPECT_EQ(model.block().checksum, 0xBEEF);
}

TEST_F(SimModel, UnknownFunctionsAndRegistersGiveExceptions)
{
    EXPECT_EQ(ask("01 04 9200 0001"), frame("01 84 01"));
    EXPECT_EQ(ask("01 06 9200 0001"), frame("01 86 01"));
    // A register that does not exist, a gap between runs, or past the end of a run.
    for (const char *read : {"01 03 0012 0008", "01 03 9016 0001", "01 03 9013 0004",
                             "01 03 9244 0002", "01 03 9300 003C", "01 03 91FF 0002"})
        EXPECT_EQ(ask(read), frame("01 83 02")) << read;
    EXPECT_EQ(ask("01 10 933A 0002 04 0001 0002"), frame("01 90 02"));
    EXPECT_EQ(model.block().values[58], 0);
    EXPECT_EQ(ask("01 03 9300 003B").size(), 5 + 2 * 59);
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

TEST(SimState, FileRoundTripAndErrors)
{
    StoredBlock b;
    ASSERT_TRUE(parseState("# preset\ncount=17\r\n\nname=4241 4443\naddresses=9000 9001\n"
                           "values=0001 00c8\nchecksum=ABCD\n",
                           b, nullptr));
    EXPECT_EQ(b.count, 0x17);
    EXPECT_EQ(b.checksum, 0xABCD);
    EXPECT_EQ(b.name[1], 0x4443);
    EXPECT_EQ(b.values[1], 200);

    QTemporaryDir dir;
    const QString path = dir.filePath("state.txt");
    ASSERT_TRUE(saveStateFile(path, fullBlock(), nullptr));
    ASSERT_TRUE(loadStateFile(path, b, nullptr));
    EXPECT_EQ(b, fullBlock());

    QString error;
    EXPECT_FALSE(parseState("count=12345", b, &error));
    EXPECT_TRUE(error.startsWith("line 1: "));
    EXPECT_FALSE(loadStateFile(dir.filePath("missing.txt"), b, &error));
    EXPECT_EQ(b, fullBlock());
}

TEST_F(SimModel, RepliesReaddressedOrPrecededByNoiseKeepTheirFrame)
{
    const QByteArray request = frame("010392000001");
    const QByteArray normal = ask("010392000001");

    FaultOptions other;
    other.replySlave = 2;
    Responder readdressed(model, other);
    const QByteArray fromTwo = readdressed.onFrame(request).reply;
    EXPECT_EQ(fromTwo.mid(1, normal.size() - 3), normal.mid(1, normal.size() - 3));
    EXPECT_EQ(checkFrame(fromTwo, 2), FrameStatus::Ok);

    FaultOptions noisy;
    noisy.noiseBefore = 7;
    noisy.truncate = 5; // cuts the reply, never the noise
    Responder noise(model, noisy);
    const QByteArray reply = noise.onFrame(request).reply;
    ASSERT_EQ(reply.size(), 7 + 5);
    EXPECT_EQ(reply.mid(7), normal.left(5));
}
