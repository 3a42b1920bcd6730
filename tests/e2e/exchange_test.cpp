#include "link/hexframe.h"
#include "link/programmerlink.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/simprocess.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

// How fast an exchange ends is measured in bench/; these tests check what it hands back.
namespace {

const QString kReadCount = withCrc("01 03 92 00 00 01");

// A simulator started with `args` and a link that has its port open, waiting generously.
struct Rig
{
    explicit Rig(const QStringList &args) : sim(args) {}
    bool open()
    {
        link.setWaitScale(kTestWaitScale);
        return sim.started() && link.open(sim.portPath());
    }
    SimProcess sim;
    MessageRecorder messages;
    ProgrammerLink link{messages};
};

} // namespace

TEST(Exchange, CompleteRepliesAreJudgedAgainstTheirRequest)
{
    // Paced: the reply comes byte by byte at the line's speed.
    Rig rig({"--pace"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    rig.link.setLongWait();
    EXPECT_TRUE(rig.link.exchange(withCrc("01 10 92 00 00 01 02 00 15")).valid());
    EXPECT_FALSE(rig.link.longWait());
    EXPECT_EQ(rig.link.replyText(), withCrc("011092000001"));

    const QString readTable = withCrc("01 03 92 0A 00 3B");
    EXPECT_TRUE(rig.link.exchange(readTable).valid());
    EXPECT_EQ(rig.link.reply().size(), 123);

    // Outside the register map: exception 02, 5 bytes.
    const ReplyCheck outside = rig.link.exchange(withCrc("01 03 91 00 00 01"));
    EXPECT_EQ(outside.kind, ReplyCheck::Exception);
    EXPECT_EQ(outside.exceptionCode, 2);
    EXPECT_TRUE(rig.messages.entries.isEmpty());
}

TEST(Exchange, SilenceGivesAnEmptyReplyAndUsesTheLongWaitOnce)
{
    Rig rig({"--no-answer"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    rig.link.setWaitScale(1);
    EXPECT_EQ(rig.link.exchange(kReadCount).kind, ReplyCheck::Invalid);
    EXPECT_TRUE(rig.link.reply().isEmpty());
    rig.link.setLongWait();
    EXPECT_EQ(rig.link.exchange(kReadCount).kind, ReplyCheck::Invalid);
    EXPECT_TRUE(rig.link.reply().isEmpty());
    EXPECT_FALSE(rig.link.longWait());
}

TEST(Exchange, OversizedReplyIsCutAt256Bytes)
{
    Rig rig({"--oversize", "300"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    rig.link.exchange(kReadCount);
    ASSERT_EQ(rig.link.replyText().size(), 512);
    EXPECT_EQ(rig.link.replyText().left(14), withCrc("0103020000"));
    EXPECT_EQ(checkReplyText(kReadCount, rig.link.replyText()).kind, ReplyCheck::Invalid);
}

TEST(Exchange, LateReplyIsLostAndNeverPairsWithTheNextRequest)
{
    // The late reply lands during the next exchange, or, cut to a fragment, before it while the
    // event loop runs.
    for (const bool fragment : {false, true}) {
        SCOPED_TRACE(fragment);
        // The first answer comes long after the program's 100 ms wait.
        QStringList args = {"--delay-ms", "600", "--fault-request", "1"};
        if (fragment)
            args << "--truncate"
                 << "3";
        Rig rig(args);
        ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
        rig.link.setWaitScale(1);
        EXPECT_FALSE(rig.link.exchange(kReadCount).valid());
        EXPECT_TRUE(rig.link.replyText().isEmpty());
        rig.link.setWaitScale(kTestWaitScale);
        if (fragment)
            QTest::qWait(900);

        EXPECT_TRUE(rig.link.exchange(withCrc("01 03 92 02 00 08")).valid());
        EXPECT_EQ(rig.link.replyText(), withCrc("010310" + QString(32, '0')));
        rig.link.exchange(kReadCount);
        EXPECT_EQ(rig.link.replyText(), withCrc("0103020000"));
    }
}

TEST(Exchange, AnAnswerRightBehindAnotherToTheSameRequestCounts)
{
    // A late answer to a repeated request lands just before the answer itself, both in one go:
    // the last is the reply. Anything else behind an answer still makes none.
    Rig rig({"--twice", "--fault-request", "1"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    EXPECT_TRUE(rig.link.exchange(kReadCount).valid());
    EXPECT_EQ(rig.link.replyText(), withCrc("0103020000"));
    EXPECT_TRUE(rig.link.exchange(kReadCount).valid());

    Rig tail({"--oversize", "9", "--fault-request", "1"});
    ASSERT_TRUE(tail.open()) << tail.sim.stderrText().toStdString();
    EXPECT_FALSE(tail.link.exchange(kReadCount).valid());
    EXPECT_EQ(tail.link.reply().size(), 9);
}

TEST(Exchange, PortThatDisappearsIsClosed)
{
    // Gone during an exchange: no reply, and the link closes the port and says so.
    Rig rig({"--close-after", "1"});
    ASSERT_TRUE(rig.open()) << rig.sim.stderrText().toStdString();
    QSignalSpy lost(&rig.link, &ProgrammerLink::portLost);
    rig.link.exchange(kReadCount);
    EXPECT_EQ(rig.link.replyText(), withCrc("0103020000"));
    ASSERT_TRUE(rig.sim.waitForExit(3000));
    EXPECT_FALSE(rig.link.exchange(kReadCount).valid());
    EXPECT_TRUE(rig.link.replyText().isEmpty());
    EXPECT_FALSE(rig.link.portOpen());
    EXPECT_EQ(lost.count(), 1);
    // Closed, it sends nothing and stays quiet.
    EXPECT_FALSE(rig.link.exchange(kReadCount).valid());
    EXPECT_EQ(lost.count(), 1);

    // Gone while idle: the event loop notices, and the port is closed before the next command.
    Rig idle({});
    ASSERT_TRUE(idle.open()) << idle.sim.stderrText().toStdString();
    QSignalSpy idleLost(&idle.link, &ProgrammerLink::portLost);
    idle.sim.stop();
    EXPECT_TRUE(idleLost.wait(5000));
    EXPECT_FALSE(idle.link.portOpen());
    EXPECT_TRUE(idle.messages.entries.isEmpty());
}

TEST(Open, IsExclusiveAndFailsForAMissingDevice)
{
    MessageRecorder messages;
    ProgrammerLink first(messages);
    ProgrammerLink second(messages);
    EXPECT_FALSE(first.open("/dev/velmora-no-such-port"));

    SimProcess sim;
    ASSERT_TRUE(sim.started()) << sim.stderrText().toStdString();
    ASSERT_TRUE(first.open(sim.portPath()));
    // Qt's lock file refuses the second open, for root too (TIOCEXCL does not stop root).
    EXPECT_FALSE(second.open(sim.portPath()));
    EXPECT_FALSE(second.portOpen());

    first.close();
    ASSERT_TRUE(second.open(sim.portPath()));
    second.exchange(kReadCount);
    EXPECT_EQ(second.replyText(), withCrc("0103020000"));
    EXPECT_TRUE(messages.entries.isEmpty());
}
