#include "sim/responder.h"
#include "sim/rtu.h"
#include "sim/statefile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace sim;

namespace {

QByteArray frame(const char *hex)
{
    QByteArray f = QByteArray::fromHex(hex);
    appendCrc(f);
    return f;
}

const QByteArray kReadCount = frame("01 03 9200 0001");
const QByteArray kCountReply = frame("01 03 02 0000");

} // namespace

TEST(SimFramer, EndsFramesByLengthOrBySilence)
{
    RtuFramer framer;
    // Two reads back to back in one chunk.
    auto frames = framer.feed(kReadCount + frame("01 03 9013 0003"));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], kReadCount);
    EXPECT_FALSE(framer.hasPending());

    // A write arriving byte by byte ends exactly after 9 + byte count bytes.
    const QByteArray write = frame("01 10 9200 0002 04 0015 ABCD");
    for (qsizetype i = 0; i < write.size(); ++i) {
        frames = framer.feed(write.sliced(i, 1));
        EXPECT_EQ(frames.size(), i == write.size() - 1 ? 1u : 0u) << i;
    }
    EXPECT_EQ(frames.at(0), write);

    // Another function has no known length: only silence ends it.
    EXPECT_TRUE(framer.feed(frame("01 04 9200 0001")).empty());
    EXPECT_TRUE(framer.hasPending());
    EXPECT_EQ(framer.silence(), frame("01 04 9200 0001"));
    EXPECT_EQ(framer.silence(), std::nullopt);
}

TEST(SimFramer, GetsBackInStepAfterNoise)
{
    RtuFramer framer;
    // A cut-off request in front of a full one shifts it: the 8 bytes taken fail the CRC, and
    // the rest up to the silence is one frame that fails too. After it, framing is normal again.
    auto frames = framer.feed(QByteArray::fromHex("0103") + kReadCount);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(checkFrame(frames[0]), FrameStatus::BadCrc);
    EXPECT_TRUE(framer.feed(kReadCount).empty());
    EXPECT_EQ(checkFrame(framer.silence().value()), FrameStatus::BadCrc);
    EXPECT_EQ(framer.feed(kReadCount).size(), 1u);

    // An endless stream of unknown function is capped.
    EXPECT_TRUE(framer.feed(QByteArray(1000, '\x07')).empty());
    EXPECT_EQ(framer.silence()->size(), RtuFramer::kMaxFrame);
    EXPECT_EQ(framer.droppedBytes(), 1000 - RtuFramer::kMaxFrame);
}

TEST(SimResponder, CountsOnlyValidRequestsForSlaveOne)
{
    ProgrammerModel model;
    Responder responder(model, FaultOptions{});
    QByteArray bad = kReadCount;
    bad[2] = 0x00;
    EXPECT_EQ(responder.onFrame(bad).request, 0);
    EXPECT_EQ(responder.onFrame(frame("02 03 9200 0001")).request, 0);
    EXPECT_EQ(responder.onFrame(frame("00 10 9200 0001 02 5AA5")).request, 0);
    const Outcome o = responder.onFrame(kReadCount);
    EXPECT_EQ(o.request, 1);
    EXPECT_TRUE(o.answer);
    EXPECT_EQ(o.reply, kCountReply);
    // An exception reply is still a counted request.
    EXPECT_EQ(responder.onFrame(frame("01 04 0000 0001")).request, 2);
}

TEST(SimResponder, ReplyFaultsHitOnlyTheChosenRequest)
{
    ProgrammerModel model;
    FaultOptions f;
    f.faultRequest = 2;
    f.badCrc = true;
    f.oversize = 300;
    f.truncate = 200;
    f.delayMs = 150;
    Responder responder(model, f);
    EXPECT_EQ(responder.onFrame(kReadCount).reply, kCountReply);
    const Outcome o = responder.onFrame(kReadCount);
    EXPECT_TRUE(o.faulted);
    EXPECT_EQ(o.extraDelayMs, 150);
    ASSERT_EQ(o.reply.size(), 200); // padded to 300, then cut to 200
    EXPECT_EQ(o.reply.left(5), kCountReply.left(5));
    EXPECT_EQ(o.reply.mid(5, 2), QByteArray::fromHex("47BB")); // CRC B8 44 inverted
    const Outcome third = responder.onFrame(kReadCount);
    EXPECT_EQ(third.reply, kCountReply);
    EXPECT_EQ(third.extraDelayMs, 0);
}

TEST(SimResponder, LostRepliesStillExecuteAndExceptionsRefuse)
{
    ProgrammerModel model;
    const QByteArray setCount = frame("01 10 9200 0001 02 0015");
    {
        FaultOptions f;
        f.noAnswerFrom = 2;
        f.closeAfter = 2;
        Responder responder(model, f);
        EXPECT_TRUE(responder.onFrame(kReadCount).answer);
        const Outcome o = responder.onFrame(setCount);
        EXPECT_FALSE(o.answer);
        EXPECT_TRUE(o.closeAfter);
        EXPECT_TRUE(o.blockChanged);
        EXPECT_EQ(model.block().count, 0x15);
    }
    {
        FaultOptions f;
        f.exceptionCode = 4;
        Responder responder(model, f);
        const Outcome o = responder.onFrame(frame("01 10 9200 0001 02 5AA5"));
        EXPECT_FALSE(o.executed);
        EXPECT_EQ(o.reply, frame("01 90 04"));
        EXPECT_EQ(model.block().count, 0x15);
    }
    {
        FaultOptions f;
        f.garbage = 7;
        f.noAnswer = true;
        f.faultRequest = 1;
        Responder responder(model, f);
        const Outcome o = responder.onFrame(kReadCount);
        EXPECT_FALSE(o.answer);
        EXPECT_EQ(o.reply.size(), 7);
        EXPECT_TRUE(responder.onFrame(kReadCount).answer);
    }
}

// Whatever arrives, the simulator neither crashes nor sends a malformed reply.
TEST(SimRobustness, RandomInputNeverCrashes)
{
    std::mt19937 rng(12345);
    ProgrammerModel model;
    Responder responder(model, FaultOptions{});
    RtuFramer framer;
    const auto checkReply = [](const Outcome &o) {
        if (o.status == FrameStatus::Ok) {
            EXPECT_EQ(crc16(o.reply), 0);
        }
    };
    for (int round = 0; round < 20000; ++round) {
        QByteArray chunk;
        const int kind = static_cast<int>(rng() % 4);
        if (kind == 0) {
            chunk.resize(static_cast<qsizetype>(rng() % 40));
            for (char &c : chunk)
                c = static_cast<char>(rng());
        } else {
            // A frame with a valid CRC around our registers, of a random (often wrong) shape.
            static const char functions[] = {0x03, 0x10, 0x10, 0x06};
            chunk.append('\x01');
            chunk.append(functions[rng() % 4]);
            const quint16 start = static_cast<quint16>(0x9000 + rng() % 0x400);
            chunk.append(static_cast<char>(start >> 8));
            chunk.append(static_cast<char>(start));
            const int extra = static_cast<int>(rng() % 20);
            for (int i = 0; i < extra; ++i)
                chunk.append(static_cast<char>(rng() % (i < 2 ? 3 : 256)));
            appendCrc(chunk);
        }
        for (const QByteArray &f : framer.feed(chunk))
            checkReply(responder.onFrame(f));
        if (rng() % 3 == 0) {
            if (const auto f = framer.silence())
                checkReply(responder.onFrame(*f));
        }
    }
    EXPECT_GT(responder.requestCount(), 1000);
}

TEST(SimState, PresetsRoundTripAndErrors)
{
    StoredBlock b;
    ASSERT_TRUE(parseState("# preset\ncount=17\r\n\nname=4241 4443\naddresses=9000 9001\n"
                           "values=0001 00c8\nchecksum=ABCD\n",
                           b, nullptr));
    EXPECT_EQ(b.count, 0x17);
    EXPECT_EQ(b.checksum, 0xABCD);
    EXPECT_EQ(b.name[1], 0x4443);
    EXPECT_EQ(b.name[2], 0);
    EXPECT_EQ(b.addresses[1], 0x9001);
    EXPECT_EQ(b.values[1], 200);
    EXPECT_EQ(b.values[58], 0);

    QTemporaryDir dir;
    const QString path = dir.filePath("state.txt");
    ASSERT_TRUE(saveStateFile(path, b, nullptr));
    StoredBlock loaded;
    ASSERT_TRUE(loadStateFile(path, loaded, nullptr));
    EXPECT_EQ(loaded, b);

    for (const char *bad : {"count 0015", "size=0015", "count=12345", "count=00G1",
                            "name=1 2 3 4 5 6 7 8 9", "count=-1"}) {
        QString error;
        StoredBlock untouched = b;
        EXPECT_FALSE(parseState(QString::fromLatin1(bad), untouched, &error)) << bad;
        EXPECT_TRUE(error.startsWith("line 1: ")) << bad;
        EXPECT_EQ(untouched, b);
    }
}
