#include "link/hexframe.h"
#include "link/programmerlink.h"
#include "support/messagerecorder.h"
#include "support/printers.h"
#include "support/simprocess.h"

#include <QTest>

#include <gtest/gtest.h>

// How fast an exchange ends is measured in bench/; these tests check what it hands back.
namespace {

const QString kReadCount = withCrc("01 03 92 00 00 01");

// A simulator started with `args` and a link that has its port open, waiting generously.
struct Rig
{
    explicit Rig(const QStringList &args) : sim(args)
    {
        link.setWaitScale(kTestWaitScale);
        EXPECT_TRUE(sim.started() && link.open(sim.portPath())) << sim.stderrText().toStdString();
    }
    SimProcess sim;
    MessageRecorder messages;
    ProgrammerLink link{messages};
};

} // namespace

TEST(Exchange, ALateFragmentIsLostAndNeverJoinsTheNextReply)
{
    // The first answer, cut short, comes long after the program's 100 ms wait, while nothing
    // is waiting for it. (Late answers that land in the next exchange's wait: the fault matrix.)
    Rig rig({"--delay-ms", "600", "--truncate", "3", "--fault-request", "1"});
    rig.link.setWaitScale(1);
    EXPECT_FALSE(rig.link.exchange(kReadCount).valid());
    EXPECT_TRUE(rig.link.replyText().isEmpty());
    rig.link.setWaitScale(kTestWaitScale);
    QTest::qWait(900);
    EXPECT_TRUE(rig.link.exchange(withCrc("01 03 92 02 00 08")).valid());
    EXPECT_EQ(rig.link.replyText(), withCrc("010310" + QString(32, '0')));
}

TEST(Exchange, TheReplyIsTheLastOfAnswersRightBehindOneAnotherAndNothingElse)
{
    // A late answer to a repeated request lands just before the answer itself, both in one go:
    // the last is the reply.
    Rig rig({"--twice", "--fault-request", "1"});
    EXPECT_TRUE(rig.link.exchange(kReadCount).valid());
    EXPECT_EQ(rig.link.replyText(), withCrc("0103020000"));
    EXPECT_TRUE(rig.link.exchange(kReadCount).valid());

    // Anything else behind an answer still makes none; what came is cut at 256 bytes.
    Rig tail({"--oversize", "300", "--fault-request", "1"});
    EXPECT_FALSE(tail.link.exchange(kReadCount).valid());
    EXPECT_EQ(tail.link.reply().size(), 256);
    EXPECT_TRUE(tail.link.replyText().startsWith(withCrc("0103020000")));
    EXPECT_EQ(checkReplyText(kReadCount, tail.link.replyText()).kind, ReplyCheck::Invalid);

    // Paced, the bytes of an answer come one by one at the line's speed: it is taken whole.
    Rig paced({"--pace"});
    EXPECT_TRUE(paced.link.exchange(withCrc("01 03 92 0A 00 3B")).valid());
    EXPECT_EQ(paced.link.reply().size(), 123);
}

TEST(Exchange, AnAnswerJustBeforeTheDeviceGoesStillCounts)
{
    // Then the port is closed, and a closed link sends nothing.
    Rig rig({"--close-after", "1"});
    EXPECT_TRUE(rig.link.exchange(kReadCount).valid());
    ASSERT_TRUE(rig.sim.waitForExit(3000));
    EXPECT_FALSE(rig.link.exchange(kReadCount).valid());
    EXPECT_FALSE(rig.link.portOpen());
    EXPECT_FALSE(rig.link.exchange(kReadCount).valid());
}
