#include "app/mainwindow.h"
#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

class PortRefreshTest : public ::testing::Test
{
protected:
    PortRefreshTest() : window(parameters, messages)
    {
        window.setPortEnumerator([this] {
            ++enumerations;
            return ports;
        });
        window.show();
    }

    MainWindowControls ui() const { return MainWindowControls(&window); }
    QComboBox *list() { return ui().portList; }
    QStringList shown()
    {
        QStringList items;
        for (int i = 0; i < list()->count(); ++i)
            items << list()->itemText(i);
        return items;
    }

    QStringList ports; // what the fake enumeration finds
    int enumerations = 0;
    ParameterSet parameters;
    MessageRecorder messages;
    MainWindow window;
};

} // namespace

TEST_F(PortRefreshTest, ComesAliveWhenAPortAppearsAndFollowsTheCable)
{
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(list()->isEnabled());

    ports = {"ttyUSB2"};
    window.refreshPorts();
    EXPECT_EQ(shown(), ports);
    EXPECT_EQ(list()->currentIndex(), -1); // nothing chosen until the user picks
    EXPECT_TRUE(list()->isEnabled());

    list()->setCurrentIndex(0);
    ports = {"ttyS0", "ttyUSB0", "ttyUSB2", "ttyUSB10", "/tmp/sim"};
    window.refreshPorts();
    EXPECT_EQ(shown(), ports); // the enumeration's order, not appended
    EXPECT_EQ(list()->currentText(), "ttyUSB2");

    ports = {"ttyS0", "/tmp/sim"};
    window.refreshPorts();
    EXPECT_EQ(shown(), ports);
    EXPECT_EQ(list()->currentIndex(), -1);
    EXPECT_TRUE(list()->isEnabled());

    ports.clear();
    window.refreshPorts();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(list()->isEnabled());
}

TEST_F(PortRefreshTest, TheSamePortsChangeNothingEvenInAnOpenList)
{
    ports = {"ttyS0", "ttyUSB0", "ttyUSB1"};
    window.refreshPorts();
    list()->setCurrentIndex(2);

    // Dropping the list down enumerates first, so it shows what is there now.
    ports.insert(2, "ttyUSB00");
    const int before = enumerations;
    list()->showPopup();
    EXPECT_EQ(enumerations, before + 1);
    QAbstractItemView *view = list()->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(shown(), ports);
    view->setCurrentIndex(view->model()->index(1, 0));

    QAbstractItemModel *model = list()->model();
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    QSignalSpy current(list(), &QComboBox::currentIndexChanged);
    window.refreshPorts();
    for (const QSignalSpy *spy : {&inserted, &removed, &changed, &reset, &current})
        EXPECT_EQ(spy->count(), 0);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->currentIndex().row(), 1);

    // A port that goes while the list is open: the rest stay, highlight and choice included.
    ports.removeAt(0);
    window.refreshPorts();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->currentIndex().data().toString(), "ttyUSB0");
    EXPECT_EQ(list()->currentText(), "ttyUSB1");
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(inserted.count(), 0);
    list()->hidePopup();
}

TEST_F(PortRefreshTest, TheTimerRefreshesTheClosedList)
{
    ports = {"ttyACM0"};
    // Order only: it happens, however long a busy machine takes.
    EXPECT_TRUE(QTest::qWaitFor([this] { return list()->count() == 1; }, 60000));
    EXPECT_TRUE(list()->isEnabled());
}

#ifdef Q_OS_UNIX
TEST_F(PortRefreshTest, NothingChangesWhileThePortIsOpen)
{
    // A pseudo-terminal stands in for the adapter.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString device = QString::fromLocal8Bit(ptsname(master));

    ports = {device, "ttyS0"};
    window.refreshPorts();
    list()->setCurrentIndex(0);
    QTest::mouseClick(ui().portButton, Qt::LeftButton);
    ASSERT_TRUE(window.link().portOpen());
    EXPECT_FALSE(list()->isEnabled());

    ports = {"ttyS1"};
    const int before = enumerations;
    window.refreshPorts();
    EXPECT_EQ(enumerations, before);
    EXPECT_EQ(shown(), QStringList({device, "ttyS0"}));
    EXPECT_EQ(list()->currentIndex(), 0);
    EXPECT_FALSE(list()->isEnabled());

    // Closed again, the list catches up at once.
    QTest::mouseClick(ui().portButton, Qt::LeftButton);
    EXPECT_EQ(shown(), ports);
    EXPECT_EQ(list()->currentIndex(), -1);
    EXPECT_TRUE(list()->isEnabled());
    ::close(master);
}
#endif
