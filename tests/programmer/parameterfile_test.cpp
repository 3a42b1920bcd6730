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

} // namespace

TEST(ParameterFile, WritesTheBatteryFileByteForByteInCodePage936)
{
    const ParameterSet fresh;
    EXPECT_EQ(formatParameterFile(fresh, "QM-X", GroupSelection::Battery), kBatteryFile);

    // No byte-order mark; the window test reads such a name back.
    const QByteArray chinese =
        formatParameterFile(fresh, QStringLiteral("光伏QM"), GroupSelection::Battery);
    EXPECT_TRUE(chinese.startsWith("\xB9\xE2\xB7\xFCQM\r\n9000:1\r\n"));
}

TEST(ParameterFile, TextExtensionIsAppendedOnlyWhenTheFileNameLacksIt)
{
    EXPECT_EQ(withTextExtension("C:\\old.txt.d\\Set1"), "C:\\old.txt.d\\Set1.txt");
    EXPECT_EQ(withTextExtension("/old.txt.d/Set1.TXT"), "/old.txt.d/Set1.TXT");
    EXPECT_EQ(withTextExtension("a.txt.bak"), "a.txt.bak");
}

TEST(ParameterFile, TakesOnlyLinesThatFitTheirSlots)
{
    QByteArray file = kBatteryFile;
    // Lower-case digits name the same register; signs and empty values are what forms store.
    file.replace("900A:1260", "900a:-5").replace("9003:1600", "9003:").replace("9070:0", "9070:+7");
    const auto content = parseParameterFile(file);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->selection, GroupSelection::Battery);
    EXPECT_EQ(content->productName, "QM-X");
    EXPECT_EQ(content->values[10], "-5");
    EXPECT_EQ(content->values[3], "");
    EXPECT_EQ(content->values[20], "+7");

    // Every file this program writes reads back as it was written.
    ParameterSet set;
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        set.values[slot] = QString::number(slot * 1111 - 20000);
    for (GroupSelection s : {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
                             GroupSelection::BatteryLoad, GroupSelection::All}) {
        const auto back = parseParameterFile(formatParameterFile(set, "光伏QM", s));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->selection, s);
        EXPECT_EQ(back->productName, "光伏QM");
        const QList<int> walk = groupWalk(s);
        for (qsizetype k = 0; k < walk.size(); ++k)
            EXPECT_EQ(back->values[k], set.values[walk[k]]);
    }
}

TEST(ParameterFile, RefusesFilesThatWouldLandInTheWrongSlots)
{
    using Reason = ParameterFileProblem::Reason;
    const ParameterSet set;
    const QByteArray load = formatParameterFile(set, "QM-X", GroupSelection::Load);
    const struct
    {
        QByteArray bytes;
        Reason reason;
        int line;
    } refused[] = {
        // A battery file with a blank line added: 22 line ends, a load file's count.
        {kBatteryFile + "\r\n", Reason::WrongSlot, 2},
        // A load file without its product line: 21 slot lines, a battery file's count.
        {load.mid(load.indexOf("\r\n") + 2), Reason::WrongSlot, 2},
        {QByteArray(kBatteryFile).replace("9003:1600", "ABCD:1650"), Reason::WrongSlot, 5},
        {QByteArray(kBatteryFile).replace("900A:1260", "nocolon"), Reason::SlotLine, 12},
        {QByteArray(kBatteryFile).replace("9070:0", "9070:1:2"), Reason::SlotLine, 22},
        {QByteArray(kBatteryFile).replace("9001:200", "9001:2.5"), Reason::SlotLine, 3},
        {QByteArray(kBatteryFile).replace("9001:200", "9001: 200"), Reason::SlotLine, 3},
        {QByteArray(kBatteryFile).replace("9001:200", "9001:-"), Reason::SlotLine, 3},
        {QByteArray(kBatteryFile).replace("9001:200", "901:200"), Reason::SlotLine, 3},
        {QByteArray(kBatteryFile).replace("9001:200", "09001:200"), Reason::SlotLine, 3},
        {QByteArray(kBatteryFile).replace("9070:0\r\n", ""), Reason::SlotCount, 0},
        {kBatteryFile.chopped(2), Reason::SlotCount, 0}, // last line unended
        {"QM-X", Reason::NoLineEnd, 0},
        {QByteArray(kBatteryFile).replace("QM-X", "\x81"), Reason::Encoding, 1},
        {"\xEF\xBB\xBF\xC0\r\n" + kBatteryFile.mid(6), Reason::Encoding, 1},
        {QByteArray(kBatteryFile).replace("9001:200", "9001:2\x81"), Reason::Encoding, 3},
        {kBatteryFile + QByteArray(1024 - kBatteryFile.size(), 'x'), Reason::TooLong, 0},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.bytes.left(40).toStdString());
        ParameterFileProblem problem;
        EXPECT_FALSE(parseParameterFile(c.bytes, &problem));
        EXPECT_EQ(problem.reason, c.reason);
        EXPECT_EQ(problem.line, c.line);
    }
    // The user reads where and why.
    ParameterFileProblem problem;
    parseParameterFile(QByteArray(kBatteryFile).replace("900A:1260", "nocolon"), &problem);
    EXPECT_EQ(problem.text, "缺少“:”");
    parseParameterFile(QByteArray(kBatteryFile).replace("9001:200", "9001:2.5"), &problem);
    EXPECT_EQ(problem.text, "数值“2.5”不是整数");
    parseParameterFile(QByteArray(kBatteryFile).replace("9001:200", "901:200"), &problem);
    EXPECT_EQ(problem.text, "地址 901 不是四位十六进制数");
}

TEST(ParameterFile, UnicodeMarkMeansUtf8AndOnlyThen)
{
    const QByteArray utf8 = "\xEF\xBB\xBF" + QString("光伏QM-X").toUtf8() + kBatteryFile.mid(4);
    const auto marked = parseParameterFile(utf8);
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->productName, "光伏QM-X");
    EXPECT_EQ(marked->values[3], "1600");

    // Without the mark the same bytes are code page 936, as before.
    const QByteArray gbk = "\xB9\xE2\xB7\xFC" + kBatteryFile;
    ASSERT_TRUE(parseParameterFile(gbk));
    EXPECT_EQ(parseParameterFile(gbk)->productName, "光伏QM-X");
    // The text ends at a zero byte, even inside the slot lines.
    EXPECT_FALSE(
        parseParameterFile(QByteArray(kBatteryFile).replace("9070:0", QByteArray("9070:0\0", 7))));
}
