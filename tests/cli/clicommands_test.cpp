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
    QByteArray wrongRegister = formatParameterFile(ParameterSet(), "QM-X", GroupSelection::Battery);
    wrongRegister.replace("9003:", "9013:");
    const std::pair<QString, QString> refused[] = {
        {file("QM-X"), ": 没有以 CR LF 结尾的行"},
        {file(wrongRegister), ":5: 地址 9013 不是第 4 项参数的寄存器"},
    };
    // Where and why as the compilers say it; the update refuses before it opens the port.
    for (const auto &[path, reason] : refused) {
        const CliOutcome refusal{1, "", "导入失败！错误的配置文件！\n" + path + reason + "\n"};
        EXPECT_EQ(runInProcess({"check", path}), refusal);
        EXPECT_EQ(runInProcess({"update", "--port", "/nonexistent", path}), refusal);
    }
    EXPECT_EQ(runInProcess({"check", dir.filePath("absent.txt")}).err, "文件不存在！\n");

    // A port that cannot be opened fails as the window's port button does.
    const QString good = file(formatParameterFile(ParameterSet(), "QM-X", GroupSelection::Battery));
    for (const QStringList &args : {QStringList{"read"}, {"update", good}, {"clear"}, {"clock"}}) {
        EXPECT_EQ(runInProcess(args + QStringList{"--port", dir.filePath("none")}),
                  (CliOutcome{1, "", "打开串口失败\n"}));
    }
    // -v shows the progress, the message stays one line of its own.
    const CliOutcome verbose = runInProcess({"clear", "-v", "--port", dir.filePath("none")});
    EXPECT_TRUE(verbose.err.contains("\n打开串口失败\n") && verbose.err.contains("用时 "));
}

TEST(BlockVerify, NamesTheFirstWordThatDiffers)
{
    ParameterSet set;
    const GroupSelection led = GroupSelection::LoadLed;
    const auto encoded = encodeBlock("ABCDE", set, led);
    ASSERT_TRUE(std::holds_alternative<EncodedBlock>(encoded));
    const EncodedBlock &written = std::get<EncodedBlock>(encoded);
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
