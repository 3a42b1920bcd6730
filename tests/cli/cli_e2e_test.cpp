#include "clirun.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "programmer/registermap.h"
#include "support/simprocess.h"

#include "support/printers.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The simulator's state file for a block of all 59 slots of "QM-XDJ", values 500 + slot.
// The parameter file "保存参数" writes after reading that block.
QByteArray fullBlockFile()
{
    ParameterSet set;
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        set.values[slot] = QString::number(500 + slot);
    return formatParameterFile(set, QStringLiteral("QM-XDJ"), GroupSelection::All);
}

class CliE2eTest : public ::testing::Test
{
protected:
    void start(QStringList args = {}, const QByteArray &state = {})
    {
        if (!state.isEmpty())
            write(statePath(), state);
        args << "--state" << statePath() << "--verbose";
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started());
    }
    QString port() const { return sim->portPath(); }

    // In process, as most tests call it.
    CliOutcome run(const QStringList &args)
    {
        CliEnvironment environment;
        environment.waitScale = kTestWaitScale;
        return runInProcess(args, environment);
    }
    // The real executable.
    CliOutcome exec(const QStringList &args, const QString &extraPorts = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELMORA_WAIT_SCALE", QString::number(kTestWaitScale));
        environment.insert("VELMORA_EXTRA_PORTS", extraPorts);
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(VELMORA_CLI_EXECUTABLE), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString file(const QByteArray &bytes) { return write(dir.filePath("params.txt"), bytes); }
    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString statePath() const { return dir.filePath("programmer.txt"); }
    int requestsSeen() { return int(sim->stderrText().count(" RX ")); }

    QTemporaryDir dir;
    std::unique_ptr<SimProcess> sim;
};

} // namespace

TEST_F(CliE2eTest, UpdatedFilesReadBackByteForByte)
{
    start();
    // An even-length name in code page 936 (8 bytes) comes back exactly.
    const QString name = QStringLiteral("太阳能QM");
    const GroupSelection selections[] = {GroupSelection::Battery, GroupSelection::Load,
                                         GroupSelection::LoadLed, GroupSelection::BatteryLoad,
                                         GroupSelection::All};
    for (GroupSelection selection : selections) {
        SCOPED_TRACE(slotCount(selection));
        ParameterSet set;
        for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
            set.values[slot] = QString::number(slotCount(selection) * 100 + slot * 7);
        const QByteArray bytes = formatParameterFile(set, name, selection);

        const CliOutcome update = run({"update", "--port", port(), "--verify", file(bytes)});
        EXPECT_EQ(update.status, 0);
        EXPECT_EQ(update.err, "");
        EXPECT_EQ(update.out, "");

        const CliOutcome back = run({"read", "--port", port()});
        EXPECT_EQ(back.status, 0);
        EXPECT_EQ(back.err, "");
        EXPECT_EQ(back.out, bytes);

        const QString output = dir.filePath("读回.txt");
        const CliOutcome toFile = run({"read", "--port", port(), "-o", output});
        EXPECT_EQ(toFile.status, 0);
        EXPECT_EQ(toFile.out, "");
        EXPECT_EQ(read(output), bytes); // exactly FILE: no ".txt" appended, none doubled
    }

    // An odd-length name is stored with its padding blank, which a read shows; the words agree.
    ParameterSet set;
    const CliOutcome odd = run({"update", "--port", port(), "--verify",
                                file(formatParameterFile(set, "ABCDE", GroupSelection::Battery))});
    EXPECT_EQ(odd.status, 0);
    EXPECT_EQ(odd.err, "");
    EXPECT_EQ(run({"read", "--port", port()}).out,
              formatParameterFile(set, "ABCDE ", GroupSelection::Battery));
}

TEST_F(CliE2eTest, ClearThenReadFindsNoData)
{
    start({}, fullBlockState());
    const CliOutcome clear = run({"clear", "--port", port()});
    EXPECT_EQ(clear.status, 0);
    EXPECT_EQ(clear.out, "");
    EXPECT_EQ(clear.err, "");

    const QString output = write(dir.filePath("kept.txt"), "previous");
    const CliOutcome empty = run({"read", "--port", port(), "-o", output});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "读取失败，设备无数据！\n");
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(read(output), "previous"); // a failed read writes nothing
}

TEST_F(CliE2eTest, SilenceAndExceptionsFailWithTheWindowsMessages)
{
    const QString good = file(formatParameterFile(ParameterSet(), "QM-X", GroupSelection::Battery));
    const std::tuple<QStringList, QStringList, const char *> cases[] = {
        {{"--no-answer"}, {"read"}, "读取超时！"},
        {{"--no-answer"}, {"update", good}, "写入超时！"},
        {{"--no-answer"}, {"clear"}, "写入超时！"},
        {{"--exception", "2"}, {"read"}, "读取超时！"},
        {{"--exception", "4", "--fault-request", "3"}, {"update", good}, "写入超时！"},
        {{"--truncate", "20", "--fault-request", "4"}, {"read"}, "读取超时！"},
        // The update goes through; the read back for --verify does not.
        {{"--no-answer-from", "6"}, {"update", "--verify", good}, "读取超时！"},
    };
    for (const auto &[faults, args, message] : cases) {
        SCOPED_TRACE((faults + args).join(' ').toStdString());
        start(faults, fullBlockState());
        const CliOutcome r = run(args + QStringList{"--port", port()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, QString::fromUtf8(message) + "\n");
        EXPECT_EQ(r.out, "");
        sim.reset();
    }
}

TEST_F(CliE2eTest, ARefusedFileSendsNothing)
{
    start({}, fullBlockState());
    const QByteArray before = read(statePath());
    // One line more than all 59 slots.
    const QByteArray extra =
        formatParameterFile(ParameterSet(), "QM-X", GroupSelection::All) + "\r\n";
    const CliOutcome r = run({"update", "--port", port(), "--verify", file(extra)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("导入失败！错误的配置文件！\n"));
    EXPECT_EQ(requestsSeen(), 0);
    EXPECT_EQ(read(statePath()), before);

    // Values the programmer cannot hold are refused by the update before the first frame.
    ParameterSet set;
    set.values[Slot::BatteryCapacity] = "70000";
    const CliOutcome range = run(
        {"update", "--port", port(), file(formatParameterFile(set, "QM-X", GroupSelection::All))});
    EXPECT_EQ(range.status, 1);
    EXPECT_EQ(range.err, "参数值超出范围！\n");
    EXPECT_EQ(requestsSeen(), 0);
}

TEST_F(CliE2eTest, AFileThatCannotBeWrittenFails)
{
    start({}, fullBlockState());
    const CliOutcome r = run({"read", "--port", port(), "-o", dir.filePath("no/such/dir/out.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "文件保存失败！\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(CliE2eTest, TheExecutableKeepsDataAndMessagesApart)
{
    start({}, fullBlockState());

    const CliOutcome ports = exec({"ports"}, port());
    EXPECT_EQ(ports.status, 0);
    EXPECT_TRUE(ports.out.endsWith((port() + "\n").toUtf8()));

    const CliOutcome readOut = exec({"read", "--port", port()});
    EXPECT_EQ(readOut.status, 0);
    EXPECT_EQ(readOut.out, fullBlockFile());
    EXPECT_EQ(readOut.err, "");

    // --verbose: frames, completion and timing on standard error, the data unchanged.
    const CliOutcome verbose = exec({"--verbose", "read", "--port", port()});
    EXPECT_EQ(verbose.status, 0);
    EXPECT_EQ(verbose.out, fullBlockFile());
    EXPECT_TRUE(verbose.err.contains("发送 " + readProductNameRequest() + "\n"));
    EXPECT_TRUE(verbose.err.contains("读取完成！\n"));
    EXPECT_TRUE(verbose.err.contains("用时 "));

    const QString one = file("QM-X\r\n9000:1\r\n");
    const CliOutcome refused = exec({"update", "--port", port(), one});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "导入失败！错误的配置文件！\n" + one +
                               ": 有 1 行参数，应为 21、22、38、43 或 59 行\n");

    const CliOutcome usage = exec({"clear"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_TRUE(usage.err.startsWith("velmora-cli: 缺少 --port\n用法: "));
}

TEST_F(CliE2eTest, ClockReadsAndSetsAsTheClockForm)
{
    start();
    const CliOutcome set = run({"clock", "--port", port(), "--set", "2016-03-05 14:07:09"});
    EXPECT_EQ(set.status, 0);
    EXPECT_EQ(set.out, "2016/3/5   14:7:9\n");
    EXPECT_EQ(set.err, "");

    // The programmer's clock runs on from the time written.
    const CliOutcome read = run({"clock", "--port", port()});
    EXPECT_EQ(read.status, 0);
    EXPECT_TRUE(read.out.startsWith("2016/3/5   14:7:")) << read.out.toStdString();
    EXPECT_TRUE(read.out.endsWith("\n"));
    EXPECT_EQ(read.err, "");

    // "now" is the PC's local time when the frame is built.
    CliEnvironment environment;
    environment.waitScale = kTestWaitScale;
    environment.now = [] { return QDateTime(QDate(2031, 12, 31), QTime(23, 59, 58, 999)); };
    EXPECT_EQ(runInProcess({"clock", "--set", "now", "--port", port()}, environment).out,
              "2031/12/31   23:59:58\n");
}

TEST_F(CliE2eTest, ClockFailuresAreReported)
{
    const std::tuple<QStringList, QStringList, const char *> cases[] = {
        {{"--no-answer"}, {}, "读取超时！"},
        {{"--no-answer"}, {"--set", "now"}, "写入超时！"},
        {{"--exception", "3"}, {"--set", "2016-03-05 14:07:09"}, "写入超时！"},
        {{"--truncate", "8"}, {}, "读取超时！"},
    };
    for (const auto &[faults, args, message] : cases) {
        SCOPED_TRACE((faults + args).join(' ').toStdString());
        start(faults);
        const CliOutcome r = run(QStringList{"clock", "--port", port()} + args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, QString::fromUtf8(message) + "\n");
        EXPECT_EQ(r.out, "");
        sim.reset();
    }
}
