// A bare Qt window doing what any such program does before its window shows: it loads Qt's
// Chinese texts, lists the serial ports and shows the main window's captions in a plain layout.
// The start-up benchmark measures the program beside it.

#include "bench/shownprobe.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto *layout = new QGridLayout(&window);
    auto *ports = new QComboBox;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts())
        ports->addItem(port.portName());
    layout->addWidget(new QLabel(QStringLiteral("串口连接")), 0, 0);
    layout->addWidget(ports, 1, 0);
    layout->addWidget(new QPushButton(QStringLiteral("打开串口")), 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("参数配置")), 2, 0);
    layout->addWidget(new QLabel(QStringLiteral("点击选择产品类型")), 3, 0);
    auto *products = new QComboBox;
    products->addItems({"QM-X", "QM-XD", "QM-XDJ", "QM-XDJU", "QM-MDJU", "ZR-XW", "Korvel-XW",
                        "Korvel-XD", "Korvel-MDJ", "Korvel-MDJU", "HWKT-GNF"});
    layout->addWidget(products, 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("QM-X")), 4, 0, 1, 2);
    const char *buttons[] = {"充放电控制参数", "通用负载参数", "保存参数",   "导入参数",
                             "读取编程器",     "更新编程器",   "清除编程器", "时间同步"};
    int row = 5;
    for (const char *caption : buttons)
        layout->addWidget(new QPushButton(QString::fromUtf8(caption)), row++, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("管理")), row, 0);

    ShownProbe probe(QStringLiteral("Bare window"));
    window.show();
    return app.exec();
}
