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
    EXPECT_EQ(FormatParameterFile(fresh, "QM-X", GroupSelection::Battery), kBatteryFile);

    // No byte-order mark; the window test reads such a name back.
    const QByteArray chinese =
        FormatParameterFile(fresh, QStringLiteral("光伏QM"), GroupSelection::Battery);
    EXPECT_TRUE(chinese.startsWith("\xB9\xE2\xB7\xFCQM\r\n9000:1\r\n"));
}

TEST(ParameterFile, TextExtensionIsAppendedOnlyWhenTheFileNameLacksIt)
{
    EXPECT_EQ(WithTextExtension("C:\\old.txt.d\\Set1"), "C:\\old.txt.d\\Set1.txt");
    EXPECT_EQ(WithTextExtension("/old.txt.d/Set1.TXT"), "/old.txt.d/Set1.TXT");
    EXPECT_EQ(WithTextExtension("a.txt.bak"), "a.txt.bak");
}

TEST(ParameterFile, ReadsLinesAsTheyAreAndRefusesOtherShapes)
{
    QByteArray file = kBatteryFile;
    file.replace("9003:1600", "ABCD:1650").replace("900A:1260", "nocolon");
    file.replace("9070:0", "9070:1:2");
    const auto content = ParseParameterFile(file);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->selection, GroupSelection::Battery);
    EXPECT_EQ(content->addresses[3], "ABCD");
    EXPECT_EQ(content->values[3], "1650");
    EXPECT_EQ(content->addresses[10], "");
    EXPECT_EQ(content->values[10], "nocolon");
    EXPECT_EQ(content->values[20], "1:2");

    const QByteArray refused[] = {
        QByteArray(kBatteryFile).replace("9070:0\r\n", ""), // 20 slot lines
        kBatteryFile.chopped(2),                            // last line unended
        "QM-X",                                             // no line end at all
    };
    for (const QByteArray &bytes : refused)
        EXPECT_FALSE(ParseParameterFile(bytes)) << bytes.constData();
}
