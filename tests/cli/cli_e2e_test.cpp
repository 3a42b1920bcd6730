#include "clirun.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "programmer/registermap.h"
#include "support/printers.h"
#include "support/simprocess.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace {

class CliE2eTest : public ::testing::Test
{
protected:
    // The simulator, holding all 59 slots of "QM-XDJ" (values 500 + slot).
    void start(QStringList args = {})
    {
        sim.reset();
        args << "--state" << writeFile(dir.filePath("programmer.txt"), fullBlockState());
        sim = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim->started());
    }
    // In process on the simulator's port, the PC's clock stopped.
    CliOutcome run(const QStringList &args)
    {
        CliEnvironment environment;
        environment.waitScale = kTestWaitScale;
        environment.now = [] { return QDateTime(QDate(2031, 12, 31), QTime(23, 59, 58, 999)); };
        return runInProcess(args + QStringList{"--port", sim->portPath()}, environment);
    }
    // The real executable.
    CliOutcome exec(const QStringList &args)
    {
        QProcess process;
        process.setEnvironment(QProcess::systemEnvironment()
                               << QStringLiteral("VELMORA_WAIT_SCALE=%1").arg(kTestWaitScale)
                               << "VELMORA_EXTRA_PORTS=" + sim->portPath());
        process.start(QString::fromUtf8(VELMORA_CLI_EXECUTABLE), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    std::unique_ptr<SimProcess> sim;
};

} // namespace

TEST_F(CliE2eTest, UpdatedFileReadsBackByteForByteAndClearLeavesNoData)
{
    start();
    // An even-length name in code page 936 (8 bytes) comes back exactly.
    ParameterSet set;
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        set.values[slot] = QString::number(100 + slot * 7);
    const QByteArray bytes = formatParameterFile(set, "太阳能QM", GroupSelection::LoadLed);
    const QString input = writeFile(dir.filePath("in.txt"), bytes);
    const QString output = dir.filePath("读回.txt");
    EXPECT_EQ(run({"update", "--verify", input}), (CliOutcome{0, "", ""}));
    EXPECT_EQ(run({"read", "--output=-"}), (CliOutcome{0, bytes, ""}));
    EXPECT_EQ(run({"read", "-o", output}), (CliOutcome{0, "", ""}));
    EXPECT_EQ(read(output), bytes); // exactly FILE: no ".txt" appended, none doubled
    EXPECT_EQ(run({"read", "-o", dir.filePath("no/out.txt")}),
              (CliOutcome{1, "", "文件保存失败！\n"}));

    EXPECT_EQ(run({"clear"}), (CliOutcome{0, "", ""}));
    EXPECT_EQ(run({"read", "-o", output}), (CliOutcome{1, "", "读取失败，设备无数据！\n"}));
    EXPECT_EQ(read(output), bytes); // a failed read writes nothing

    // The update's five requests are answered, the read back for --verify is not, nor anything
    // after it.
    start({"--no-answer-from", "6"});
    EXPECT_EQ(run({"update", "--verify", input}), (CliOutcome{1, "", "读取超时！\n"}));
    EXPECT_EQ(run({"update", input}), (CliOutcome{1, "", "写入超时！\n"}));
    // An answer that came just before the device went still counts.
    start({"--close-after", "1"});
    EXPECT_EQ(run({"clear"}), (CliOutcome{0, "", ""}));
}

TEST_F(CliE2eTest, TheExecutableKeepsDataOnStandardOutputAndMessagesOnStandardError)
{
    start();
    EXPECT_TRUE(exec({"ports"}).out.endsWith((sim->portPath() + "\n").toUtf8()));

    // --verbose: frames, completion and timing on standard error, the data as read in process.
    const CliOutcome verbose = exec({"--verbose", "read", "--port", sim->portPath()});
    EXPECT_EQ(verbose.out, run({"read"}).out);
    EXPECT_TRUE(verbose.err.contains("发送 " + readProductNameRequest() + "\n"));
    EXPECT_TRUE(verbose.err.contains("读取完成！\n") && verbose.err.contains("用时 "));

    const CliOutcome usage = exec({"clear"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.startsWith("velmora-cli: 缺少 --port\n用法: "));
}

TEST_F(CliE2eTest, ClockSetsAndReadsAsTheClockForm)
{
    start();
    EXPECT_EQ(run({"clock", "--set", "2016-3-5T14:07:09"}),
              (CliOutcome{0, "2016/3/5   14:7:9\n", ""}));
    // The programmer's clock runs on from the time written.
    const CliOutcome read = run({"clock"});
    EXPECT_TRUE(read.out.startsWith("2016/3/5   14:7:") && read.out.endsWith("\n"))
        << read.out.toStdString();
    // "now" is the PC's local time when the frame is built.
    EXPECT_EQ(run({"clock", "--set", "now"}).out, "2031/12/31   23:59:58\n");
}

TEST_F(CliE2eTest, DiffTellsEachDifferenceAndExitsAsDiffDoes)
{
    start();
    ParameterSet set;
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        set.values[slot] = QString::number(500 + slot);
    const QString same = writeFile(dir.filePath("same.txt"),
                                   formatParameterFile(set, "QM-XDJ", GroupSelection::All));
    set.values[Slot::EqualizeVoltage] = "1460";
    const QString other = writeFile(dir.filePath("other.txt"),
                                    formatParameterFile(set, "QM-XDJ", GroupSelection::All));
    EXPECT_EQ(run({"diff", same}), (CliOutcome{0, "", ""}));
    EXPECT_EQ(run({"diff", other}), (CliOutcome{1, "均衡充电电压(V)\t5.06\t14.60\n", ""}));
    // --json: one object, the differences and the data of the other commands in it.
    const CliOutcome json = run({"--json", "diff", other});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(json.out.startsWith(
        R"j({"differences":[{"current":"14.60","parameter":"均衡充电电压(V)","programmer":"5.06"}],)j"))
        << json.out.toStdString();
    EXPECT_TRUE(run({"read", "--json"}).out.contains(R"j("lines":["QM-XDJ","9000:500",)j"));
    // Trouble is 2, whatever it is: a refused file, a port that does not open.
    EXPECT_EQ(run({"diff", dir.filePath("missing.txt")}), (CliOutcome{2, "", "文件不存在！\n"}));
    sim->stop();
    EXPECT_EQ(run({"diff", same}).status, 2);
}

// Eight programmers in one run, one silent and one that goes after its third request: each
// port says how it went, the six others hold the block, and the run fails.
TEST(CliRack, UpdateWithVerifyOnEightPortsEachOnItsOwn)
{
    QTemporaryDir dir;
    std::vector<std::unique_ptr<SimProcess>> sims;
    QStringList ports;
    for (int i = 0; i < 8; ++i) {
        QStringList args{"--state", dir.filePath(QString::number(i))};
        if (i == 2)
            args << "--no-answer-from"
                 << "1";
        if (i == 5)
            args << "--no-answer"
                 << "--close-after"
                 << "3"
                 << "--fault-request"
                 << "3";
        sims.push_back(std::make_unique<SimProcess>(args));
        ASSERT_TRUE(sims.back()->started());
        ports << sims.back()->portPath();
    }
    ParameterSet set;
    const QByteArray bytes = formatParameterFile(set, "QM-XDJ", GroupSelection::All);
    const QString file = writeFile(dir.filePath("block.txt"), bytes);
    CliEnvironment environment;
    environment.waitScale = kTestWaitScale;
    const CliOutcome run = runInProcess({"update", "--verify", "--port", ports.mid(0, 4).join(','),
                                         "--port", ports.mid(4).join(','), file},
                                        environment);
    EXPECT_EQ(run.status, 1);
    QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
    lines.sort();
    QStringList expected;
    for (int i = 0; i < 8; ++i)
        expected << ports[i] + (i == 2 || i == 5 ? "\tfailed\t写入超时！" : "\tok");
    expected.sort();
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(run.err, "6 台成功，2 台失败\n");
    for (int i : {0, 1, 3, 4, 6, 7})
        EXPECT_EQ(runInProcess({"read", "--port", ports[i]}, environment).out, bytes) << i;
}
