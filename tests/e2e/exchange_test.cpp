#include "link/hexframe.h"
#include "link/programmerlink.h"
#include "support/messagerecorder.h"
#include "support/simprocess.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Timing bounds are loose: they tell an early end (a few ms) from a full wait (100 or 180 ms).
namespace {

QString ReadCount()
{
    return WithCrc("01 03 92 00 00 01");
}

QString ReadName()
{
    return WithCrc("01 03 92 02 00 08");
}

qint64 TimedExchange(ProgrammerLink &link, const QString &frame)
{
    QElapsedTimer timer;
    timer.start();
    link.Exchange(frame);
    return timer.elapsed();
}

} // namespace

TEST(Exchange, CompleteRepliesEndTheWaitEarly)
{
    for (const QStringList &args : {QStringList(), QStringList({"--pace"})}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        SimProcess sim(args);
        ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
        MessageRecorder messages;
        ProgrammerLink link(messages);
        ASSERT_TRUE(link.Open(sim.portPath()));
        EXPECT_TRUE(link.portOpen());

        const QString writeCount = WithCrc("01 10 92 00 00 01 02 00 15");
        link.setLongWait();
        EXPECT_LT(TimedExchange(link, writeCount), 60);
        EXPECT_FALSE(link.longWait());
        EXPECT_EQ(link.replyText(), WithCrc("011092000001"));

        EXPECT_LT(TimedExchange(link, ReadCount()), 60);
        EXPECT_EQ(link.replyText(), WithCrc("0103020015"));

        // 123 bytes, 11 ms on the wire when paced.
        const QString readTable = WithCrc("01 03 92 0A 00 3B");
        EXPECT_LT(TimedExchange(link, readTable), 60);
        EXPECT_EQ(link.replyText().size(), 2 * 123);
        EXPECT_EQ(CheckReplyText(readTable, link.replyText()).kind, ReplyCheck::Valid);

        // Outside the register map: exception 02.
        const QString outside = WithCrc("01 03 91 00 00 01");
        EXPECT_LT(TimedExchange(link, outside), 60);
        const ReplyCheck check = CheckReplyText(outside, link.replyText());
        EXPECT_EQ(check.kind, ReplyCheck::Exception);
        EXPECT_EQ(check.exceptionCode, 2);
        EXPECT_TRUE(messages.entries.isEmpty());
    }
}

TEST(Exchange, SilenceGivesAnEmptyReplyAfterTheWait)
{
    SimProcess sim({"--no-answer"});
    ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
    MessageRecorder messages;
    ProgrammerLink link(messages);
    ASSERT_TRUE(link.Open(sim.portPath()));

    qint64 ms = TimedExchange(link, ReadCount());
    EXPECT_TRUE(link.replyText().isEmpty());
    EXPECT_GE(ms, 95);
    EXPECT_LT(ms, 175);

    link.setLongWait();
    ms = TimedExchange(link, ReadCount());
    EXPECT_TRUE(link.replyText().isEmpty());
    EXPECT_GE(ms, 175);
    EXPECT_LT(ms, 400);
    EXPECT_FALSE(link.longWait());

    // The long wait was used once.
    ms = TimedExchange(link, ReadCount());
    EXPECT_GE(ms, 95);
    EXPECT_LT(ms, 175);
}

TEST(Exchange, OversizedReplyIsCutAt256Bytes)
{
    SimProcess sim({"--oversize", "300"});
    ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
    MessageRecorder messages;
    ProgrammerLink link(messages);
    ASSERT_TRUE(link.Open(sim.portPath()));

    for (int i = 0; i < 2; ++i) {
        link.Exchange(ReadCount());
        ASSERT_EQ(link.replyText().size(), 512);
        EXPECT_EQ(link.replyText().left(14), WithCrc("0103020000"));
        EXPECT_EQ(CheckReplyText(ReadCount(), link.replyText()).kind, ReplyCheck::Invalid);
    }
}

TEST(Exchange, LateReplyIsLostAndNeverPairsWithTheNextRequest)
{
    struct Case
    {
        int pauseMs;
        QStringList faults;
    };
    // The late reply lands during the next exchange, or, cut to a fragment, before it while the
    // event loop runs.
    const QList<Case> cases = {{0, {}}, {120, {"--truncate", "3"}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pauseMs);
        SimProcess sim(QStringList({"--delay-ms", "150", "--fault-request", "1"}) + c.faults);
        ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
        MessageRecorder messages;
        ProgrammerLink link(messages);
        ASSERT_TRUE(link.Open(sim.portPath()));

        EXPECT_GE(TimedExchange(link, ReadCount()), 95);
        EXPECT_TRUE(link.replyText().isEmpty());
        if (c.pauseMs > 0)
            QTest::qWait(c.pauseMs);

        EXPECT_LT(TimedExchange(link, ReadName()), 100);
        EXPECT_EQ(link.replyText(), WithCrc("010310" + QString(32, '0')));
        link.Exchange(ReadCount());
        EXPECT_EQ(link.replyText(), WithCrc("0103020000"));
    }
}

TEST(Exchange, PortThatDisappearsGivesEmptyReplies)
{
    SimProcess sim({"--close-after", "1"});
    ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
    MessageRecorder messages;
    ProgrammerLink link(messages);
    ASSERT_TRUE(link.Open(sim.portPath()));
    link.Exchange(ReadCount());
    EXPECT_EQ(CheckReplyText(ReadCount(), link.replyText()).kind, ReplyCheck::Valid);
    ASSERT_TRUE(sim.waitForExit(3000));

    for (int i = 0; i < 2; ++i) {
        EXPECT_LT(TimedExchange(link, ReadCount()), 400);
        EXPECT_TRUE(link.replyText().isEmpty());
    }
    EXPECT_TRUE(link.portOpen());
}

TEST(Open, IsExclusiveAndFailsForAMissingDevice)
{
    MessageRecorder messages;
    ProgrammerLink first(messages);
    ProgrammerLink second(messages);
    EXPECT_FALSE(first.Open("/dev/velmora-no-such-port"));
    EXPECT_FALSE(first.portOpen());

    SimProcess sim;
    ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
    ASSERT_TRUE(first.Open(sim.portPath()));
    // Qt's lock file refuses the second open, for root too (TIOCEXCL does not stop root).
    EXPECT_FALSE(second.Open(sim.portPath()));
    EXPECT_FALSE(second.portOpen());

    first.Close();
    ASSERT_TRUE(second.Open(sim.portPath()));
    second.Exchange(ReadCount());
    EXPECT_EQ(second.replyText(), WithCrc("0103020000"));
    EXPECT_TRUE(messages.entries.isEmpty());
}
