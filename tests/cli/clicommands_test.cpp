#include "clirun.h"
#include "model/parameterset.h"
#include "programmer/blockverify.h"
#include "programmer/parameterfile.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliCommandsTest : public ::testing::Test
{
protected:
    CliOutcome run(const QStringList &args) { return runInProcess(args); }

    // Each call a new file.
    QString file(const QByteArray &bytes)
    {
        QFile f(dir.filePath(QStringLiteral("p%1.txt").arg(++m_files)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString file(const ParameterSet &set, GroupSelection selection)
    {
        return file(formatParameterFile(set, QStringLiteral("QM-X"), selection));
    }

    QTemporaryDir dir;

private:
    int m_files = 0;
};

} // namespace

TEST_F(CliCommandsTest, CheckRunsTheFormsRulesOnTheGroupsTheFileHolds)
{
    const ParameterSet shipped;
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        const CliOutcome ok = run({"check", file(shipped, s)});
        EXPECT_EQ(ok.status, 0) << slotCount(s);
        EXPECT_EQ(ok.out, "");
        EXPECT_EQ(ok.err, "");
    }

    // The four load ranges, in the forms' order: only the first failure is shown.
    ParameterSet load;
    load.values[Slot::LightOffDelay] = "100";
    load.values[Slot::LightOffVoltage] = "3401";
    EXPECT_EQ(run({"check", file(load, GroupSelection::LoadLed)}).err,
              "光控关闭电压不在范围内！\n");
    load.values[Slot::LightOffVoltage] = "3400";
    const CliOutcome delay = run({"check", file(load, GroupSelection::BatteryLoad)});
    EXPECT_EQ(delay.status, 1);
    EXPECT_EQ(delay.out, "");
    EXPECT_EQ(delay.err, "光控关闭延时不在范围内！(0~99)\n");

    // A mode the file's load form lacks comes first: an LED mode in a general block.
    load.values[Slot::LoadControlMode] = "4";
    EXPECT_EQ(run({"check", file(load, GroupSelection::LoadLed)}).err,
              "光控关闭延时不在范围内！(0~99)\n");
    EXPECT_EQ(run({"check", file(load, GroupSelection::Load)}).err, "请选择负载控制模式！\n");

    // A battery file holds no load slots: what the set would have there is not the file's.
    EXPECT_EQ(run({"check", file(load, GroupSelection::Battery)}).status, 0);

    // The battery rules come first, as the battery group does, and stop at their first failure.
    ParameterSet battery = load;
    battery.values[Slot::ChargePercent] = "39";
    battery.values[Slot::OverVoltageDisconnect] = "1500";
    const CliOutcome rule = run({"check", file(battery, GroupSelection::All)});
    EXPECT_EQ(rule.status, 1);
    EXPECT_EQ(rule.err, "蓄电池充放电应满足：蓄电池充电≥蓄电池放电+10%\n");
    battery.values[Slot::ChargePercent] = "40";
    EXPECT_EQ(run({"check", file(battery, GroupSelection::Battery)}).err,
              "蓄电池电压应满足：超压断开电压＞充电限制电压\n");
    // At 24 V the window is 18.00 to 34.00 V: shipped 12 V voltages fall outside it.
    ParameterSet level = ParameterSet();
    level.values[Slot::RatedVoltageLevel] = "2";
    EXPECT_EQ(run({"check", file(level, GroupSelection::BatteryLoad)}).err,
              "电压参数不在允许范围内！\n");
}

TEST_F(CliCommandsTest, CheckAndUpdateRefuseFilesAsTheImportDoes)
{
    const ParameterSet shipped;
    // 60 slot lines: no selection has that many.
    QByteArray extraLine = formatParameterFile(shipped, "QM-X", GroupSelection::All) + "\r\n";
    QByteArray wrongRegister = formatParameterFile(shipped, "QM-X", GroupSelection::Battery);
    wrongRegister.replace("9003:", "9013:");
    const std::pair<QString, QString> refused[] = {
        {file(extraLine), ": 有 60 行参数，应为 21、22、38、43 或 59 行"},
        {file("QM-X"), ": 没有以 CR LF 结尾的行"},
        {file(QByteArray(1024, 'x') + "\r\n"), ": 文件超过 1023 字节"},
        {file(wrongRegister), ":5: 地址 9013 不是第 4 项参数的寄存器"},
    };
    for (const auto &[path, reason] : refused) {
        for (const QStringList &args :
             {QStringList{"check", path}, QStringList{"update", "--port", "/nonexistent", path}}) {
            SCOPED_TRACE(args.join(' ').toStdString());
            const CliOutcome r = run(args);
            EXPECT_EQ(r.status, 1);
            // Refused before any port is opened; where and why as the compilers say it.
            EXPECT_EQ(r.err, "导入失败！错误的配置文件！\n" + path + reason + "\n");
            EXPECT_EQ(r.out, "");
        }
    }
    const CliOutcome missing = run({"check", dir.filePath("absent.txt")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "文件不存在！\n");
}

TEST_F(CliCommandsTest, PortsListsThePlatformsPortsThenTheExtraOnes)
{
    const QByteArray saved = qgetenv("VELMORA_EXTRA_PORTS");
    const QString extra = dir.filePath("串口 a") + QDir::listSeparator() + "/dev/pts/99";
    qputenv("VELMORA_EXTRA_PORTS", extra.toUtf8());
    const CliOutcome r = run({"ports"});
    qputenv("VELMORA_EXTRA_PORTS", saved);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.endsWith((dir.filePath("串口 a") + "\n/dev/pts/99\n").toUtf8()));
    EXPECT_EQ(r.err, "");
}

TEST_F(CliCommandsTest, APortThatCannotBeOpenedFailsAsTheWindowsPortButton)
{
    const QString good = file(ParameterSet(), GroupSelection::Battery);
    for (const QStringList &args : {QStringList{"read", "--port", dir.filePath("none")},
                                    QStringList{"update", "--port", dir.filePath("none"), good},
                                    QStringList{"clear", "--port", "ttyNoSuchPort9"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliOutcome r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "打开串口失败\n");
        EXPECT_EQ(r.out, "");
    }
    // -v shows the progress, the message stays one line of its own.
    const CliOutcome verbose = run({"clear", "-v", "--port", dir.filePath("none")});
    EXPECT_TRUE(verbose.err.contains("\n打开串口失败\n"));
    EXPECT_TRUE(verbose.err.contains("用时 "));
}

TEST(BlockVerify, NamesTheFirstWordThatDiffers)
{
    ParameterSet set;
    const auto encoded = encodeBlock("ABCDE", set, GroupSelection::LoadLed);
    ASSERT_TRUE(std::holds_alternative<EncodedBlock>(encoded));
    const EncodedBlock &written = std::get<EncodedBlock>(encoded);

    // Read back, the odd name carries its padding blank.
    const ParameterSet read = set;
    const quint16 sum = written.checksum;
    EXPECT_EQ(blockMismatch(written, "ABCDE ", read, GroupSelection::LoadLed, sum), "");

    EXPECT_EQ(blockMismatch(written, "ABCDF", read, GroupSelection::LoadLed, sum),
              "校验失败！产品名称不一致！");
    EXPECT_EQ(blockMismatch(written, "ABCDE", read, GroupSelection::All, sum),
              "校验失败！参数个数不一致！");
    EXPECT_EQ(blockMismatch(written, "ABCDE", read, GroupSelection::LoadLed, sum ^ 1),
              "校验失败！校验和不一致！");

    // Positions count the stored parameters from 1, in the selection's slot order.
    const QList<int> walk = groupWalk(GroupSelection::LoadLed);
    ParameterSet value = read;
    value.values[walk[16]] = "65535";
    EXPECT_EQ(blockMismatch(written, "ABCDE", value, GroupSelection::LoadLed, sum),
              "校验失败！第17个参数（" + registerText(walk[16]) + "）的值不一致！");
}
