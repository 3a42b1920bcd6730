#include "programmer/parameterfile.h"

#include <gtest/gtest.h>

namespace {

// The name, then the 21 battery slots of a fresh set.
const QByteArray kBatteryFile = "QM-X\r\n"
                                "9000:1\r\n9001:200\r\n9002:300\r\n9003:1600\r\n9004:1500\r\n"
                                "9005:1500\r\n9006:1460\r\n9007:1440\r\n9008:1380\r\n9009:1320\r\n"
                                "900A:1260\r\n900B:1220\r\n900C:1200\r\n900D:1110\r\n900E:1060\r\n"
                                "9067:0\r\n906B:120\r\n906C:120\r\n906D:30\r\n906E:100\r\n"
                                "9070:0\r\n";

QByteArray edited(const char *before, const QByteArray &after)
{
    return QByteArray(kBatteryFile).replace(before, after);
}

} // namespace

TEST(ParameterFile, WritesCodePage936AndReadsTheUnicodeMarkAsUtf8)
{
    EXPECT_EQ(formatParameterFile(ParameterSet(), "QM-X", GroupSelection::Battery), kBatteryFile);
    // No byte-order mark: the same bytes read back.
    const QByteArray gbk = "\xB9\xE2\xB7\xFC" + kBatteryFile;
    EXPECT_EQ(formatParameterFile(ParameterSet(), "光伏QM-X", GroupSelection::Battery), gbk);
    EXPECT_EQ(parseParameterFile(gbk)->productName, "光伏QM-X");
    // Re-saved by an editor as UTF-8 with its mark.
    const auto marked =
        parseParameterFile("\xEF\xBB\xBF" + QString("光伏QM-X").toUtf8() + kBatteryFile.mid(4));
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->productName, "光伏QM-X");
    EXPECT_EQ(marked->values[3], "1600");

    // Lower-case digits name the same register; signs and empty values are what forms store.
    const auto content =
        parseParameterFile(edited("900A:1260", "900a:-5").replace("9003:1600", "9003:"));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->selection, GroupSelection::Battery);
    EXPECT_EQ(content->values[10] + content->values[3], "-5");
    EXPECT_EQ(parseParameterFile(edited("9070:0", "9070:+7"))->values[20], "+7");

    EXPECT_EQ(withTextExtension("C:\\old.txt.d\\Set1"), "C:\\old.txt.d\\Set1.txt");
    EXPECT_EQ(withTextExtension("/old.txt.d/Set1.TXT"), "/old.txt.d/Set1.TXT");
}

TEST(ParameterFile, RefusesFilesThatWouldLandInTheWrongSlots)
{
    using Reason = ParameterFileProblem::Reason;
    // A battery file with a blank line added has a load file's count, and lands in the wrong
    // slots from line 2. The last line must end; the text ends at a zero byte, even inside the
    // slot lines. Encoding errors are told at their line, with or without the UTF-8 mark; a
    // character cut off at the very end is one too (the converter keeps no state).
    const std::tuple<QByteArray, Reason, int, const char *> refused[] = {
        {kBatteryFile + "\r\n", Reason::WrongSlot, 2, "地址 9000 不是第 1 项参数的寄存器"},
        {edited("900A:1260", "nocolon"), Reason::SlotLine, 12, "缺少“:”"},
        {edited("9001:200", "901:200"), Reason::SlotLine, 3, "地址 901 不是四位十六进制数"},
        {edited("9001:200", "9001:-"), Reason::SlotLine, 3, "数值“-”不是整数"},
        {edited("9070:0", "9070:1:2"), Reason::SlotLine, 22, nullptr},
        {edited("9070:0", "9070:1.2"), Reason::SlotLine, 22, nullptr},
        {edited("9070:0\r\n", ""), Reason::SlotCount, 0, nullptr},
        {kBatteryFile.chopped(2), Reason::SlotCount, 0, nullptr},
        {edited("9070:0", QByteArray("9070:0\0", 7)), Reason::SlotCount, 0, nullptr},
        {"QM-X", Reason::NoLineEnd, 0, nullptr},
        {edited("QM-X", "\x81"), Reason::Encoding, 1, nullptr},
        {"\xEF\xBB\xBF\xC0\r\n" + kBatteryFile.mid(6), Reason::Encoding, 1, nullptr},
        {edited("9001:200", "9001:2\x81"), Reason::Encoding, 3, nullptr},
        {kBatteryFile + "\xB9", Reason::Encoding, 23, nullptr},
    };
    for (const auto &[bytes, reason, line, text] : refused) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        ParameterFileProblem problem;
        EXPECT_FALSE(parseParameterFile(bytes, &problem));
        EXPECT_EQ(problem.reason, reason);
        EXPECT_EQ(problem.line, line);
        EXPECT_TRUE(!text || problem.text == text) << problem.text.toStdString();
    }
    // The longest file read: 1023 bytes (the window refuses 1024).
    EXPECT_TRUE(parseParameterFile(kBatteryFile + QByteArray(1023 - kBatteryFile.size(), 'x')));
}
