#include "programmer/parameterfile.h"

#include "app/parameterset.h"
#include "app/selectionstate.h"
#include "support/messagerecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

class FakeSelection : public SelectionState
{
public:
    QString productName() const override { return name; }
    void setProductName(const QString &n) override { name = n; }
    bool batteryBoxChecked() const override { return battery; }
    void setBatteryBoxChecked(bool checked) override { battery = checked; }
    bool loadBoxChecked() const override { return load; }
    void setLoadBoxChecked(bool checked) override { load = checked; }
    bool generalLoad() const override { return general; }
    void setGeneralLoad(bool g) override { general = g; }
    void ApplyGroupEnabling() override { ++enablings; }
    void ClearGroupBoxes() override { battery = load = false; }
    GroupSelection CurrentGroupSelection() const override
    {
        return SelectionFromBoxes(battery, load, general);
    }
    void clearProductSelectorText() override {}
    auto tie() const { return std::tie(name, battery, load, general, enablings); }

    QString name = QStringLiteral("QM-X");
    bool battery = false, load = false, general = true;
    int enablings = 0;
};

// The name, then the 21 battery slots of a fresh set.
const QByteArray kBatteryFile = "QM-X\r\n"
                                "9000:1\r\n9001:200\r\n9002:300\r\n9003:1600\r\n9004:1500\r\n"
                                "9005:1500\r\n9006:1460\r\n9007:1440\r\n9008:1380\r\n9009:1320\r\n"
                                "900A:1260\r\n900B:1220\r\n900C:1200\r\n900D:1110\r\n900E:1060\r\n"
                                "9067:0\r\n906B:120\r\n906C:120\r\n906D:30\r\n906E:100\r\n"
                                "9070:0\r\n";

class ParameterFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
    static void write(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void expectRefused(const QByteArray &bytes)
    {
        const ParameterSet before = parameters;
        const FakeSelection state = selection;
        write(path("bad.txt"), bytes);
        messages.clear();
        ImportParameterFile(parameters, selection, messages, path("bad.txt"));
        EXPECT_EQ(messages.texts(), QStringList{"导入失败！错误的配置文件！"});
        EXPECT_TRUE(messages.entries.value(0).warning);
        EXPECT_EQ(parameters.addresses, before.addresses);
        EXPECT_EQ(parameters.values, before.values);
        EXPECT_TRUE(selection.tie() == state.tie());
    }

    QTemporaryDir dir;
    ParameterSet parameters;
    FakeSelection selection;
    MessageRecorder messages;
    QObject owner;
};

} // namespace

TEST_F(ParameterFileTest, SavesTheBatteryFileOfAFreshSetByteForByte)
{
    selection.battery = true;
    SaveParameterFile(parameters, selection, messages, &owner, path("set1"));
    EXPECT_EQ(read(path("set1.txt")), kBatteryFile);
    ASSERT_EQ(messages.entries.size(), 1);
    EXPECT_FALSE(messages.entries[0].warning);
    EXPECT_EQ(messages.entries[0].owner, &owner);
    EXPECT_EQ(messages.entries[0].text, "文件保存成功");

    // Code page 936 both ways, no byte-order mark; saving again replaces the file.
    selection.name = QStringLiteral("光伏QM");
    SaveParameterFile(parameters, selection, messages, &owner, path("set1.txt"));
    EXPECT_TRUE(read(path("set1.txt")).startsWith("\xB9\xE2\xB7\xFCQM\r\n9000:1\r\n"));
    selection.name.clear();
    ImportParameterFile(parameters, selection, messages, path("set1.txt"));
    EXPECT_EQ(selection.name, "光伏QM");
}

TEST_F(ParameterFileTest, SaveKeepsThePathsCaseAndTouchesNoFileWhenNothingIsSelected)
{
    EXPECT_EQ(WithTextExtension("C:\\Data\\Set1"), "C:\\Data\\Set1.txt");
    EXPECT_EQ(WithTextExtension("a.txt.bak"), "a.txt.bak");
    EXPECT_EQ(WithTextExtension("/data/old.txt.d/Set1"), "/data/old.txt.d/Set1.txt");

    SaveParameterFile(parameters, selection, messages, &owner, path("set.TXT"));
    EXPECT_EQ(messages.texts(), QStringList{"未作任何需要保存的数据！"});
    EXPECT_TRUE(messages.entries[0].warning);
    EXPECT_TRUE(files().isEmpty());

    selection.load = true;
    SaveParameterFile(parameters, selection, messages, &owner, QString()); // cancelled
    SaveParameterFile(parameters, selection, messages, &owner, path("set.TXT"));
    EXPECT_EQ(files(), QStringList{"set.TXT"});
    EXPECT_EQ(messages.entries.size(), 2);
}

TEST_F(ParameterFileTest, AFailedSaveWarnsAndKeepsTheOldFile)
{
    selection.battery = true;
    write(path("blocker"), "a file, not a folder");
    SaveParameterFile(parameters, selection, messages, &owner, path("blocker/set.txt"));
    EXPECT_EQ(messages.texts(), QStringList{"文件保存失败！"});
    EXPECT_TRUE(messages.entries[0].warning);

#ifdef Q_OS_UNIX
    // The file size limit cuts the write short, even for root.
    write(path("old.txt"), kBatteryFile);
    selection.load = true;
    messages.clear();
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    SaveParameterFile(parameters, selection, messages, &owner, path("old.txt"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(messages.texts(), QStringList{"文件保存失败！"});
    EXPECT_EQ(read(path("old.txt")), kBatteryFile);
    EXPECT_EQ(files(), (QStringList{"blocker", "old.txt"}));
#endif
}

TEST_F(ParameterFileTest, ImportTakesAddressesAndValuesAsTheyAre)
{
    QByteArray file = kBatteryFile;
    file.replace("9003:1600", "ABCD:1650").replace("900A:1260", "nocolon");
    file.replace("9070:0", "9070:1:2");
    write(path("odd.txt"), file);
    QFile::setPermissions(path("odd.txt"), QFileDevice::ReadOwner);
    selection.general = false;
    ImportParameterFile(parameters, selection, messages, path("odd.txt"));
    EXPECT_TRUE(messages.entries.isEmpty());
    EXPECT_EQ(parameters.addresses[Slot::OverVoltageDisconnect], "ABCD");
    EXPECT_EQ(parameters.values[Slot::OverVoltageDisconnect], "1650");
    EXPECT_EQ(parameters.addresses[Slot::LowVoltageReconnect], "");
    EXPECT_EQ(parameters.values[Slot::LowVoltageReconnect], "nocolon");
    EXPECT_EQ(parameters.values[Slot::ChargingMode], "1:2");
    // A battery file records no load form.
    EXPECT_TRUE(selection.battery && !selection.load && !selection.general);
    EXPECT_EQ(selection.enablings, 1);
}

TEST_F(ParameterFileTest, RefusedFilesChangeNothing)
{
    selection.name = QStringLiteral("Korvel-XW");
    expectRefused(QByteArray(kBatteryFile).replace("9070:0\r\n", ""));       // 20 slot lines
    expectRefused(QByteArray(kBatteryFile).replace("9070:0\r\n", "9070:0")); // last line unended
    expectRefused("QM-X");                                                   // no line end at all
    expectRefused("QM-X\r\n");

    selection.battery = selection.load = true;
    SaveParameterFile(parameters, selection, messages, &owner, path("all.txt"));
    expectRefused(read(path("all.txt")) + "\r\n"); // an extra empty line

    // 1023 bytes are read whole; 1024 are refused, not cut short.
    const qsizetype padding = kMaxParameterFileSize - kBatteryFile.size();
    const QByteArray longest =
        QByteArray(kBatteryFile).insert(kBatteryFile.size() - 2, QByteArray(padding, '0'));
    ASSERT_EQ(longest.size(), 1023);
    expectRefused(longest + "0");
    write(path("long.txt"), longest);
    ImportParameterFile(parameters, selection, messages, path("long.txt"));
    EXPECT_EQ(parameters.values[Slot::ChargingMode].size(), padding + 1);

    messages.clear();
    ImportParameterFile(parameters, selection, messages, path("missing.txt"));
    ImportParameterFile(parameters, selection, messages, dir.path());
    EXPECT_EQ(messages.texts(), (QStringList{"文件不存在！", "文件不存在！"}));
}
