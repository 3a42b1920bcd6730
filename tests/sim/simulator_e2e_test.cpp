// velmora-programmer-sim over a real pseudo-terminal, through SimProcess and QSerialPort.
#include "support/simprocess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// CRC-16/MODBUS bit by bit: the test's own, shared with neither the program nor the simulator.
quint16 crc(QByteArrayView bytes)
{
    quint16 c = 0xFFFF;
    for (const char byte : bytes) {
        c ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? static_cast<quint16>((c >> 1) ^ 0xA001) : static_cast<quint16>(c >> 1);
    }
    return c;
}

QByteArray withCrc(const char *hex)
{
    QByteArray f = QByteArray::fromHex(hex);
    const quint16 c = crc(f);
    f.append(static_cast<char>(c & 0xFF));
    f.append(static_cast<char>(c >> 8));
    return f;
}

// The host side of the line, blocking, no event loop.
class Line
{
public:
    explicit Line(const QString &path)
    {
        m_port.setPortName(path);
        if (m_port.open(QIODevice::ReadWrite))
            m_port.setBaudRate(QSerialPort::Baud115200);
    }
    bool isOpen() const { return m_port.isOpen(); }

    // Sends the request and collects the reply until `expected` bytes or `waitMs` have passed.
    QByteArray exchange(const QByteArray &request, qsizetype expected, int waitMs = 1000)
    {
        m_port.clear(QSerialPort::Input);
        m_port.write(request);
        m_port.waitForBytesWritten(1000);
        QByteArray reply;
        const QDeadlineTimer deadline(waitMs);
        while (reply.size() < expected && !deadline.hasExpired()) {
            if (m_port.waitForReadyRead(
                    static_cast<int>(qMax<qint64>(1, deadline.remainingTime()))))
                reply += m_port.readAll();
        }
        return reply;
    }

private:
    QSerialPort m_port;
};

const QByteArray kReadCount = withCrc("01 03 9200 0001");

} // namespace

TEST(SimE2E, AnswersRawRequestsAndKeepsTheStateFile)
{
    // Vectors from outside our code.
    ASSERT_EQ(crc("123456789"), 0x4B37);
    const QByteArray vector = QByteArray::fromHex("01 03 00 12 00 08 E4 09");
    ASSERT_EQ(withCrc("01 03 00 12 00 08"), vector);

    QTemporaryDir dir;
    const QString state = dir.filePath("state.txt");
    QFile preset(state);
    ASSERT_TRUE(preset.open(QIODevice::WriteOnly));
    preset.write("count=0017\n"); // not one of the codes the program knows: only a preset gets it
    preset.close();

    SimProcess sim({"--state", state, "--verbose"});
    ASSERT_TRUE(sim.started()) << sim.stderrText().constData();
    Line line(sim.portPath());
    ASSERT_TRUE(line.isOpen());

    EXPECT_EQ(line.exchange(vector, 5), withCrc("01 83 02")); // no register 0x0012
    EXPECT_EQ(line.exchange(kReadCount, 7), withCrc("01 03 02 0017"));
    EXPECT_EQ(line.exchange(withCrc("01 10 9200 0001 02 5AA5"), 8), withCrc("01 10 9200 0001"));
    EXPECT_EQ(line.exchange(kReadCount, 7), withCrc("01 03 02 0000"));

    QFile saved(state);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("count=0000\n"));
    EXPECT_TRUE(sim.stderrText().contains("RX 01 03 00 12 00 08 E4 09  #1"));
}

TEST(SimE2E, FaultSwitchesOnTheWire)
{
    SimProcess sim(
        {"--fault-request", "2", "--bad-crc", "--no-answer-from", "4", "--close-after", "4"});
    ASSERT_TRUE(sim.started()) << sim.stderrText().constData();
    Line line(sim.portPath());
    ASSERT_TRUE(line.isOpen());

    const QByteArray good = withCrc("01 03 02 0000");
    EXPECT_EQ(line.exchange(kReadCount, 7), good);
    // Ignored and not counted: another slave.
    EXPECT_TRUE(line.exchange(withCrc("02 03 9200 0001"), 1, 200).isEmpty());
    const QByteArray flipped = line.exchange(kReadCount, 7);
    EXPECT_EQ(flipped.left(5), good.left(5));
    EXPECT_NE(crc(flipped), 0);
    EXPECT_EQ(line.exchange(kReadCount, 7), good);
    EXPECT_TRUE(line.exchange(kReadCount, 1, 300).isEmpty());
    EXPECT_TRUE(sim.waitForExit(3000));
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(SimE2E, PacedRepliesTakeTheWireTimeOnALinkedPort)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyVELMORA");
    SimProcess sim({"--link", link, "--pace", "--turnaround-us", "0"});
    ASSERT_TRUE(sim.started()) << sim.stderrText().constData();
    EXPECT_EQ(sim.portPath(), link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    {
        Line line(link);
        ASSERT_TRUE(line.isOpen());
        QElapsedTimer timer;
        timer.start();
        const QByteArray reply = line.exchange(withCrc("01 03 9300 003B"), 123);
        const qint64 ns = timer.nsecsElapsed();
        EXPECT_EQ(reply.size(), 123);
        EXPECT_EQ(crc(reply), 0);
        // The last byte cannot leave before 122 byte times (86.8 us each) after the first.
        EXPECT_GE(ns, 122 * 86'806);
    }
    sim.stop();
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}
