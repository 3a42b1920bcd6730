#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <type_traits>

// Widget suites find controls as a screen reader does: by accessible name (a caption, a label's
// text, or the role of a control without either); a label whose text changes by the role in its
// accessible description; a button whose caption changes by either caption. A field carries the
// name of the label beside it, so labels are found only when asked for as QLabel. Fails the test
// unless exactly one matches.
template <typename T = QWidget>
T *named(const QWidget *root, const QString &name, const QString &otherCaption = {})
{
    QList<T *> found;
    for (T *widget : root->findChildren<T *>()) {
        const bool label = qobject_cast<QLabel *>(widget);
        const QString own = widget->accessibleName();
        if (label == std::is_same_v<T, QLabel> &&
            (own == name || (!otherCaption.isEmpty() && own == otherCaption) ||
             (label && widget->accessibleDescription() == name)))
            found.append(widget);
    }
    EXPECT_EQ(found.size(), 1) << "controls named " << name.toStdString();
    return found.value(0);
}

// A list is found by one of its items.
inline QComboBox *listWith(const QWidget *root, const QString &item)
{
    for (QComboBox *list : root->findChildren<QComboBox *>()) {
        if (list->findText(item) >= 0)
            return list;
    }
    ADD_FAILURE() << "no list with " << item.toStdString();
    return nullptr;
}

// The main window's controls.
struct MainWindowControls
{
    explicit MainWindowControls(const QWidget *root) : w(root) {}

    const QWidget *w;
    QComboBox *portList = named<QComboBox>(w, "串口列表");
    QPushButton *portButton = named<QPushButton>(w, "打开串口", "关闭串口");
    QComboBox *productSelector = named<QComboBox>(w, "产品类型");
    QLabel *productPrompt = named<QLabel>(w, "点击选择产品类型");
    QLabel *productLabel = named<QLabel>(w, "产品名称");
    QCheckBox *batteryBox = named<QCheckBox>(w, "充放电控制参数组");
    QPushButton *batteryButton = named<QPushButton>(w, "充放电控制参数");
    QCheckBox *loadBox = named<QCheckBox>(w, "负载参数组");
    QPushButton *loadButton = named<QPushButton>(w, "通用负载参数", "LED负载参数");
    QPushButton *saveButton = named<QPushButton>(w, "保存参数");
    QPushButton *importButton = named<QPushButton>(w, "导入参数");
    QPushButton *readButton = named<QPushButton>(w, "读取编程器");
    QPushButton *updateButton = named<QPushButton>(w, "更新编程器");
    QPushButton *clearButton = named<QPushButton>(w, "清除编程器");
    QPushButton *timeSyncButton = named<QPushButton>(w, "时间同步");
    QPushButton *compareButton = named<QPushButton>(w, "比较编程器");
    QPushButton *logButton = named<QPushButton>(w, "通信记录");
};

// The clock form's controls.
struct ClockDialogControls
{
    explicit ClockDialogControls(const QWidget *root) : w(root) {}

    const QWidget *w;
    QPushButton *manualAdjust = named<QPushButton>(w, "手动调整", "本机时间");
    QPushButton *read = named<QPushButton>(w, "读取");
    QPushButton *write = named<QPushButton>(w, "写入");
    QDateEdit *date = named<QDateEdit>(w, "日期");
    QTimeEdit *time = named<QTimeEdit>(w, "时间");
    QLineEdit *programmerTime = named<QLineEdit>(w, "编程器时间");
};
