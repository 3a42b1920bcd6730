#pragma once

#include <QString>

// Every text the program shows or writes on its own, spelled exactly as the users know them.
// Captions of fixed controls live in the .ui layouts; texts that code sets or compares are here.
namespace Text {

// Application and main window
inline QString AppName()
{
    return QStringLiteral("KTX");
}
inline QString MainWindowCaption()
{
    return QStringLiteral("Velmora(V3.82)");
}
inline QString AboutMenuEntry()
{
    return QStringLiteral("关于 KTX(&A)...");
}
inline QString AboutCaption()
{
    return QStringLiteral("About KTX");
}
inline QString AboutText()
{
    return QStringLiteral("KTX 1.0 ");
}
inline QString AboutOk()
{
    return QStringLiteral("确定");
}
inline QString GeneralLoadCaption()
{
    return QStringLiteral("通用负载参数");
}
inline QString LedLoadCaption()
{
    return QStringLiteral("LED负载参数");
}

// Accessible names of controls without a caption, and roles of labels whose text changes
inline QString BatteryGroupBoxName()
{
    return QStringLiteral("充放电控制参数组");
}
inline QString LoadGroupBoxName()
{
    return QStringLiteral("负载参数组");
}
inline QString PortListName()
{
    return QStringLiteral("串口列表");
}
inline QString ProductSelectorName()
{
    return QStringLiteral("产品类型");
}
inline QString ProductLabelRole()
{
    return QStringLiteral("产品名称");
}

// Serial port
inline QString OpenPort()
{
    return QStringLiteral("打开串口");
}
inline QString ClosePort()
{
    return QStringLiteral("关闭串口");
}
inline QString OpenPortFailed()
{
    return QStringLiteral("打开串口失败");
}
inline QString PortUnavailable()
{
    return QStringLiteral("串口不可用或未打开！");
}
inline QString BadHexData()
{
    return QStringLiteral("错误的十六进制数据!");
}

// Programmer operations
inline QString ReadTimeout()
{
    return QStringLiteral("读取超时！");
}
inline QString WriteTimeout()
{
    return QStringLiteral("写入超时！");
}
inline QString ReadNoData()
{
    return QStringLiteral("读取失败，设备无数据！");
}
inline QString BadParameterAddress()
{
    return QStringLiteral("参数地址出错！");
}
inline QString ValueOutOfRange()
{
    return QStringLiteral("参数值超出范围！");
}
inline QString ReadComplete()
{
    return QStringLiteral("读取完成！");
}
inline QString WriteDataSucceeded()
{
    return QStringLiteral("写入数据成功！");
}
inline QString ClearComplete()
{
    return QStringLiteral("清除完成");
}
inline QString ChooseProductType()
{
    return QStringLiteral("请选择产品类型！");
}
inline QString NothingSelectedForUpdate()
{
    return QStringLiteral("未选中任何需要更新的参数！");
}

// Parameter file
inline QString TextFileFilter()
{
    return QStringLiteral("文本文件 (*.txt)");
}
inline QString ImportDialogTitle()
{
    return QStringLiteral("导入文本文件");
}
inline QString NothingSelectedForSave()
{
    return QStringLiteral("未作任何需要保存的数据！");
}
inline QString FileSaved()
{
    return QStringLiteral("文件保存成功");
}
inline QString FileSaveFailed()
{
    return QStringLiteral("文件保存失败！");
}
inline QString FileMissing()
{
    return QStringLiteral("文件不存在！");
}
inline QString BadConfigFile()
{
    return QStringLiteral("导入失败！错误的配置文件！");
}

// Battery form

// Load forms

// Clock
inline QString ManualAdjust()
{
    return QStringLiteral("手动调整");
}
inline QString FollowLocalTime()
{
    return QStringLiteral("本机时间");
}
inline QString DatePickerName()
{
    return QStringLiteral("日期");
}
inline QString TimePickerName()
{
    return QStringLiteral("时间");
}
inline QString ProgrammerTimeName()
{
    return QStringLiteral("编程器时间");
}
inline QString ReadSucceeded()
{
    return QStringLiteral("读取成功！");
}
inline QString WriteSucceeded()
{
    return QStringLiteral("写入成功！");
}

} // namespace Text
