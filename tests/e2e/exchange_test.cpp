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

const QString kReadCount = WithCrc("01 03 92 00 00 01");

// A simulator started with `args` and a link that has its port open.
struct Rig
{
    explicit Rig(const QStringList &args) : sim(args) {}
    bool open() { return sim.started() && link.Open(sim.portPath()); }
    qint64 timed(const QString &frame)
    {
        QElapsedTimer timer;
        timer.start();
        link.Exchange(frame);
        return timer.elapsed();
    }
    SimProcess sim;
    MessageRecorder messages;
    ProgrammerLink link{messages};
};

} // namespace

TEST(Exchange, CompleteRepliesEndTheWaitEarly)
{
    // Paced: the reply comes byte by byte at the line's speed (123 bytes take 11 ms).
    Rig rig({"--pace"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    rig.link.setLongWait();
    EXPECT_LT(rig.timed(WithCrc("01 10 92 00 00 01 02 00 15")), 60);
    EXPECT_FALSE(rig.link.longWait());
    EXPECT_EQ(rig.link.replyText(), WithCrc("011092000001"));

    const QString readTable = WithCrc("01 03 92 0A 00 3B");
    EXPECT_LT(rig.timed(readTable), 60);
    EXPECT_EQ(rig.link.replyText().size(), 2 * 123);
    EXPECT_EQ(CheckReplyText(readTable, rig.link.replyText()).kind, ReplyCheck::Valid);

    // Outside the register map: exception 02, 5 bytes, also ends the wait.
    const QString outside = WithCrc("01 03 91 00 00 01");
    EXPECT_LT(rig.timed(outside), 60);
    EXPECT_EQ(CheckReplyText(outside, rig.link.replyText()).exceptionCode, 2);
    EXPECT_TRUE(rig.messages.entries.isEmpty());
}

TEST(Exchange, SilenceGivesAnEmptyReplyAfterTheWait)
{
    Rig rig({"--no-answer"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    qint64 ms = rig.timed(kReadCount);
    EXPECT_TRUE(rig.link.replyText().isEmpty());
    EXPECT_GE(ms, 95);
    EXPECT_LT(ms, 175);

    rig.link.setLongWait();
    ms = rig.timed(kReadCount);
    EXPECT_TRUE(rig.link.replyText().isEmpty());
    EXPECT_GE(ms, 175);
    EXPECT_LT(ms, 400);
    EXPECT_FALSE(rig.link.longWait());
    // The long wait was used once.
    EXPECT_LT(rig.timed(kReadCount), 175);
}

TEST(Exchange, OversizedReplyIsCutAt256Bytes)
{
    Rig rig({"--oversize", "300"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    rig.link.Exchange(kReadCount);
    ASSERT_EQ(rig.link.replyText().size(), 512);
    EXPECT_EQ(rig.link.replyText().left(14), WithCrc("0103020000"));
    EXPECT_EQ(CheckReplyText(kReadCount, rig.link.replyText()).kind, ReplyCheck::Invalid);
}

TEST(Exchange, LateReplyIsLostAndNeverPairsWithTheNextRequest)
{
    // The late reply lands during the next exchange, or, cut to a fragment, before it while the
    // event loop runs.
    for (const bool fragment : {false, true}) {
        SCOPED_TRACE(fragment);
        QStringList args = {"--delay-ms", "150", "--fault-request", "1"};
        if (fragment)
            args << "--truncate"
                 << "3";
        Rig rig(args);
        ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
        EXPECT_GE(rig.timed(kReadCount), 95);
        EXPECT_TRUE(rig.link.replyText().isEmpty());
        if (fragment)
            QTest::qWait(120);

        EXPECT_LT(rig.timed(WithCrc("01 03 92 02 00 08")), 100);
        EXPECT_EQ(rig.link.replyText(), WithCrc("010310" + QString(32, '0')));
        rig.link.Exchange(kReadCount);
        EXPECT_EQ(rig.link.replyText(), WithCrc("0103020000"));
    }
}

TEST(Exchange, PortThatDisappearsGivesEmptyReplies)
{
    Rig rig({"--close-after", "1"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    rig.link.Exchange(kReadCount);
    EXPECT_EQ(rig.link.replyText(), WithCrc("0103020000"));
    ASSERT_TRUE(rig.sim.waitForExit(3000));
    EXPECT_LT(rig.timed(kReadCount), 400);
    EXPECT_TRUE(rig.link.replyText().isEmpty());
}

TEST(Open, IsExclusiveAndFailsForAMissingDevice)
{
    MessageRecorder messages;
    ProgrammerLink first(messages);
    ProgrammerLink second(messages);
    EXPECT_FALSE(first.Open("/dev/velmora-no-such-port"));

    SimProcess sim;
    ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
    ASSERT_TRUE(first.Open(sim.portPath()));
    // Qt's lock file refuses the second open, for root too (TIOCEXCL does not stop root).
    EXPECT_FALSE(second.Open(sim.portPath()));
    EXPECT_FALSE(second.portOpen());

    first.Close();
    ASSERT_TRUE(second.Open(sim.portPath()));
    second.Exchange(kReadCount);
    EXPECT_EQ(second.replyText(), WithCrc("0103020000"));
    EXPECT_TRUE(messages.entries.isEmpty());
}
