// A bare Qt window doing what any such program does before its window shows: it loads Qt's
// Chinese texts, lists the serial ports and shows the main window's texts in the same kinds of
// controls, laid out in code.
// The start-up benchmark measures the program beside it.

#include "bench/shownprobe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTranslator>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    // The main window's kinds of controls with its texts, in plain layouts: group boxes, lists,
    // check boxes, a label and push buttons.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto *layout = new QVBoxLayout(&window);
    auto *portGroup = new QGroupBox(QStringLiteral("串口连接"));
    auto *portLayout = new QHBoxLayout(portGroup);
    auto *ports = new QComboBox;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        ports->addItem(port.portName());
    portLayout->addWidget(ports);
    portLayout->addWidget(new QPushButton(QStringLiteral("打开串口")));
    layout->addWidget(portGroup);

    auto *parameterGroup = new QGroupBox(QStringLiteral("参数配置"));
    auto *parameterLayout = new QGridLayout(parameterGroup);
    parameterLayout->addWidget(new QLabel(QStringLiteral("点击选择产品类型")), 0, 0);
    auto *products = new QComboBox;
    products->setEditable(true);
    products->addItems({"QM-X", "QM-XD", "QM-XDJ", "QM-XDJU", "QM-MDJU", "ZR-XW", "Korvel-XW",
                        "Korvel-XD", "Korvel-MDJ", "Korvel-MDJU", "HWKT-GNF"});
    parameterLayout->addWidget(products, 0, 1);
    parameterLayout->addWidget(new QLabel(QStringLiteral("QM-X")), 1, 0, 1, 2);
    parameterLayout->addWidget(new QCheckBox, 2, 0);
    parameterLayout->addWidget(new QPushButton(QStringLiteral("充放电控制参数")), 2, 1);
    parameterLayout->addWidget(new QCheckBox, 3, 0);
    parameterLayout->addWidget(new QPushButton(QStringLiteral("通用负载参数")), 3, 1);
    parameterLayout->addWidget(new QPushButton(QStringLiteral("保存参数")), 4, 0);
    parameterLayout->addWidget(new QPushButton(QStringLiteral("导入参数")), 4, 1);
    layout->addWidget(parameterGroup);

    auto *managementGroup = new QGroupBox(QStringLiteral("管理"));
    auto *managementLayout = new QGridLayout(managementGroup);
    const char *buttons[] = {"读取编程器", "更新编程器", "清除编程器", "时间同步"};
    for (int i = 0; i < 4; ++i)
        managementLayout->addWidget(new QPushButton(QString::fromUtf8(buttons[i])), i / 2, i % 2);
    layout->addWidget(managementGroup);

    ShownProbe probe(QStringLiteral("Bare window"));
    window.show();
    return app.exec();
}
