// velmora-programmer-sim on a stable path: what tests/e2e does not already cover.
#include "link/hexframe.h"
#include "link/programmerlink.h"
#include "support/messagerecorder.h"
#include "support/simprocess.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SimE2E, LinkedPathAnswersSlaveOneOnlyAndIsRemovedAtTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ttyVELMORA");
    SimProcess sim({"--link", path});
    ASSERT_TRUE(sim.started()) << sim.stderrText().constData();
    MessageRecorder messages;
    ProgrammerLink link(messages);
    ASSERT_TRUE(link.open(path));
    link.exchange(withCrc("02 03 92 00 00 01"));
    EXPECT_TRUE(link.replyText().isEmpty());
    link.exchange(withCrc("01 03 92 00 00 01"));
    EXPECT_EQ(link.replyText(), withCrc("0103020000"));
    sim.stop();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
}
