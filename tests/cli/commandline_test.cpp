#include "clirun.h"
#include "support/printers.h"

#include <gtest/gtest.h>

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
    EXPECT_TRUE(runInProcess({"--help"}).out.contains("check"));
    for (const QString command : {"ports", "read", "update", "clear", "clock", "check"}) {
        EXPECT_TRUE(runInProcess({command, "--help"})
                        .out.startsWith(("用法: velmora-cli " + command).toUtf8()));
    }
    // Help wins over whatever else is wrong, and is the help of the command named.
    const CliOutcome read = runInProcess({"read", "--bogus", "-h"});
    EXPECT_EQ(read.status, 0);
    EXPECT_TRUE(read.out.contains("--output FILE") && read.out.contains("--verbose"));
    EXPECT_FALSE(runInProcess({"check", "--help"}).out.contains("--port"));
    // A file argument that happens to be "--help" after "--" is a file.
    EXPECT_EQ(runInProcess({"check", "--", "--help"}).err, "文件不存在！\n");
    EXPECT_EQ(runInProcess({"--version"}),
              (CliOutcome{0, "velmora-cli " VELMORA_VERSION "\n", ""}));
}

TEST(CliCommandLine, ClockSettingsAreRealDatesOfThisCentury)
{
    // A setting that is taken gets as far as the port; any other is wrong usage.
    const auto set = [](const char *time) {
        return runInProcess({"clock", "--port", "/nonexistent", "--set", time}).status;
    };
    for (const char *good : {"now", "2024-02-29 23:59:59", "2099-12-31 00:00:00", "2000-1-1T0:0:0"})
        EXPECT_EQ(set(good), 1) << good;
    for (const char *bad :
         {"2023-02-29 00:00:00", "2100-01-01 00:00:00", "1999-12-31 23:59:59", "2016-03-05",
          "2016-03-05  14:07:09", "2016-03-05 14:07:60", "16-03-05 14:07:09", "Now",
          " 2016-03-05 14:07:09", "２０１６-03-05 14:07:09", "2016-03-05 14:07:09\n",
          "2016-003-05 14:07:09"})
        EXPECT_EQ(set(bad), 2) << bad;
}
