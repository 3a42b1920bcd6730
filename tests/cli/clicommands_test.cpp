#include "clirun.h"
#include "model/parameterset.h"
#include "programmer/blockverify.h"
#include "programmer/parameterfile.h"
#include "support/printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliCommandsTest : public ::testing::Test
{
protected:
    // Each call a new file.
    QString file(const QByteArray &bytes)
    {
        return writeFile(dir.filePath(QStringLiteral("p%1.txt").arg(++files)), bytes);
    }
    CliOutcome check(const ParameterSet &set, GroupSelection selection)
    {
        return runInProcess({"check", file(formatParameterFile(set, "QM-X", selection))});
    }

    QTemporaryDir dir;
    int files = 0;
};

} // namespace

TEST(CliCommandLine, WrongUsageExitsTwoWithTheComplaintAndTheCommandsUsageLine)
{
    const std::tuple<QStringList, const char *, const char *> cases[] = {
        {{}, "缺少命令", "velmora-cli <ports|read"},
        {{"bogus"}, "未知命令: bogus", "velmora-cli <ports|read"},
        {{"--port", "x", "read"}, "未知选项: --port", "velmora-cli <ports|read"},
        {{"read"}, "缺少 --port", "velmora-cli read --port P"},
        {{"read", "--port"}, "选项 --port 缺少值", "velmora-cli read --port P"},
        {{"read", "--port", "a", "--port=b"}, "选项 --port 重复", "velmora-cli read"},
        {{"read", "--port", "a", "stray"}, "多余的参数: stray", "velmora-cli read"},
        {{"update", "--port", "a"}, "缺少文件名", "velmora-cli update --port P [--verify] FILE"},
        {{"update", "--port", "a", "--verify=yes", "f"}, "未知选项: --verify=yes", "update"},
        {{"check", "f", "--port", "a"}, "未知选项: --port", "velmora-cli check FILE"},
        {{"clock", "--port", "a", "--set", "2016-02-30 00:00:00"}, "时间无效: 2016-02-30", "clock"},
    };
    for (const auto &[args, complaint, usage] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliOutcome run = runInProcess(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        // The complaint, then the usage line, each a line of its own.
        const QStringList lines = run.err.split(u'\n');
        ASSERT_EQ(lines.size(), 3);
        EXPECT_TRUE(lines[0].startsWith("velmora-cli: " + QString::fromUtf8(complaint)));
        EXPECT_TRUE(lines[1].startsWith("用法: ") && lines[1].contains(QString::fromUtf8(usage)));
    }
}

TEST(CliCommandLine, HelpAndVersionGoToStandardOutput)
{
    // Help wins over whatever else is wrong, and is the help of the command named.
    for (const QString command : {"ports", "read", "update", "clear", "clock", "check"}) {
        EXPECT_TRUE(runInProcess({command, "--bogus", "-h"})
                        .out.startsWith(("用法: velmora-cli " + command).toUtf8()));
    }
    EXPECT_TRUE(runInProcess({"--help"}).out.contains("check"));
    // A file argument that happens to be "--help" after "--" is a file.
    EXPECT_EQ(runInProcess({"check", "--", "--help"}).err, "文件不存在！\n");
    EXPECT_EQ(runInProcess({"--version"}),
              (CliOutcome{0, "velmora-cli " VELMORA_VERSION "\n", ""}));
    // --lang anywhere before "--", even for a usage error; the same from VELMORA_LANG.
    EXPECT_EQ(runInProcess({"clear", "--lang", "en"}).err,
              "velmora-cli: Missing --port\nUsage: velmora-cli clear --port P\n");
    qputenv("VELMORA_LANG", "en");
    EXPECT_TRUE(runInProcess({"--help"}).out.startsWith("Usage: velmora-cli <command>"));
    EXPECT_EQ(runInProcess({"--lang=xx", "ports"}).status, 2);
    qunsetenv("VELMORA_LANG");
    EXPECT_TRUE(runInProcess({"--help"}).out.startsWith("用法"));
}

TEST(CliCommandLine, ClockSettingsAreRealDatesOfThisCentury)
{
    // A setting that is taken gets as far as the port; any other is wrong usage.
    const auto set = [](const char *time) {
        return runInProcess({"clock", "--port", "/nonexistent", "--set", time}).status;
    };
    for (const char *good : {"2099-12-31 23:59:59", "2000-1-1T0:0:0"})
        EXPECT_EQ(set(good), 1) << good;
    // The century's ends, a second too many, ASCII digits only, the whole text matched.
    for (const char *bad :
         {"2100-01-01 00:00:00", "1999-12-31 23:59:59", "2016-03-05 14:07:60",
          "２０１６-03-05 14:07:09", "2016-03-05 14:07:09\n", " 2016-03-05 14:07:09", "Now"})
        EXPECT_EQ(set(bad), 2) << bad;
}

TEST_F(CliCommandsTest, CheckRunsTheFormsRulesOnTheGroupsTheFileHolds)
{
    ParameterSet set;
    EXPECT_EQ(check(set, GroupSelection::All), (CliOutcome{0, "", ""}));
    set.values[Slot::LightOffDelay] = "100";
    EXPECT_EQ(check(set, GroupSelection::LoadLed),
              (CliOutcome{1, "", "光控关闭延时不在范围内！(0~99)\n"}));
    // A mode the file's load form lacks comes first: an LED mode in a general block.
    set.values[Slot::LoadControlMode] = "4";
    EXPECT_EQ(check(set, GroupSelection::Load).err, "请选择负载控制模式！\n");
    // A battery file holds no load slots: what the set would have there is not the file's.
    EXPECT_EQ(check(set, GroupSelection::Battery).status, 0);
    // The battery rules come first, as the battery group does.
    set.values[Slot::ChargePercent] = "39";
    EXPECT_EQ(check(set, GroupSelection::All).err,
              "蓄电池充放电应满足：蓄电池充电≥蓄电池放电+10%\n");
}

TEST_F(CliCommandsTest, RefusedFilesAndPortsFailBeforeAnythingIsSent)
{
    const QByteArray battery = formatParameterFile(ParameterSet(), "QM-X", GroupSelection::Battery);
    const std::pair<QString, QString> refused[] = {
        {file("QM-X"), ": 没有以 CR LF 结尾的行"},
        {file(QByteArray(battery).replace("9003:", "9013:")),
         ":5: 地址 9013 不是第 4 项参数的寄存器"},
    };
    // Where and why as the compilers say it; the update refuses before it opens the port.
    for (const auto &[path, reason] : refused) {
        const CliOutcome refusal{1, "", "导入失败！错误的配置文件！\n" + path + reason + "\n"};
        EXPECT_EQ(runInProcess({"check", path}), refusal);
        EXPECT_EQ(runInProcess({"update", "--port", "/nonexistent", path}), refusal);
    }

    // A port that cannot be opened fails as the window's port button does.
    const QString good = file(battery);
    for (const QStringList &args : {QStringList{"read"}, {"update", good}, {"clear"}, {"clock"}}) {
        EXPECT_EQ(runInProcess(args + QStringList{"--port", dir.filePath("none")}),
                  (CliOutcome{1, "", "打开串口失败\n"}));
    }
}

TEST(BlockVerify, NamesTheFirstWordThatDiffers)
{
    ParameterSet set;
    const GroupSelection led = GroupSelection::LoadLed;
    const EncodedBlock written = std::get<EncodedBlock>(encodeBlock("ABCDE", set, led));
    const quint16 sum = written.checksum;

    // Read back, the odd name carries its padding blank.
    EXPECT_EQ(blockMismatch(written, "ABCDE ", set, led, sum), "");
    EXPECT_EQ(blockMismatch(written, "ABCDF", set, led, sum), "校验失败！产品名称不一致！");
    EXPECT_EQ(blockMismatch(written, "ABCDE", set, GroupSelection::All, sum),
              "校验失败！参数个数不一致！");
    EXPECT_EQ(blockMismatch(written, "ABCDE", set, led, sum ^ 1), "校验失败！校验和不一致！");
    // Positions count the stored parameters from 1, in the selection's slot order.
    const QList<int> walk = groupWalk(led);
    set.values[walk[16]] = "65535";
    EXPECT_EQ(blockMismatch(written, "ABCDE", set, led, sum),
              "校验失败！第17个参数（" + registerText(walk[16]) + "）的值不一致！");
}
