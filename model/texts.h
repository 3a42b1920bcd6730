#pragma once

#include <QString>

// Every text the program shows or writes on its own, spelled exactly as the users know them.
// Captions of fixed controls live in the .ui layouts; texts that code sets or compares are here.
// VELMORA_VERSION comes from the CMake project version, the one place it is set.
namespace Text {

// Application and main window
inline QString AppName()
{
    return QStringLiteral("KTX");
}
inline QString MainWindowCaption()
{
    return QStringLiteral("Velmora(V" VELMORA_VERSION ")");
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
// The program's version, on its own line under the fixed text.
inline QString AboutVersion()
{
    return QStringLiteral("Velmora " VELMORA_VERSION);
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
inline QString LightOnVoltageOutOfRange()
{
    return QStringLiteral("光控启动电压不在范围内！");
}
inline QString LightOffVoltageOutOfRange()
{
    return QStringLiteral("光控关闭电压不在范围内！");
}
inline QString LightOnDelayOutOfRange()
{
    return QStringLiteral("光控启动延时不在范围内！(0~99)");
}
inline QString LightOffDelayOutOfRange()
{
    return QStringLiteral("光控关闭延时不在范围内！(0~99)");
}
inline QString LightPlusTimerMode1()
{
    return QStringLiteral("光控+定时模式1");
}
inline QString LightPlusTimerMode2()
{
    return QStringLiteral("光控+定时模式2");
}
// Accessible names of the load forms' controls without a caption of their own
inline QString SecondTimerBoxName()
{
    return QStringLiteral("第二组定时");
}
inline QString LightOnDelayName()
{
    return QStringLiteral("光控启动延时（m）");
}
inline QString LightOffDelayName()
{
    return QStringLiteral("光控关闭延时（m）");
}
inline QString ManualPercentName()
{
    return QStringLiteral("额定电流百分比");
}
inline QString TimerPercentName(int pair)
{
    return QStringLiteral("定时%1百分比").arg(pair);
}
inline QString ModePeriodName(int mode, int period)
{
    return QStringLiteral("模式%1定时时间段%2").arg(mode).arg(period);
}
inline QString ModePeriodPercentName(int mode, int period)
{
    return QStringLiteral("模式%1时间段%2百分比").arg(mode).arg(period);
}
inline QString LimitPercentName()
{
    return QStringLiteral("限流百分比");
}
inline QString ModePictureName()
{
    return QStringLiteral("模式图");
}
// Inside the mode picture
inline QString PicturePeriod(int period)
{
    return QStringLiteral("时段%1").arg(period);
}
inline QString PictureRemainingTime()
{
    return QStringLiteral("剩余时间");
}

// Clock
inline QString ReadSucceeded()
{
    return QStringLiteral("读取成功！");
}
inline QString WriteSucceeded()
{
    return QStringLiteral("写入成功！");
}

// Resource library loader
inline QString InvalidDllResource()
{
    return QStringLiteral("指定的资源不是有效的DLL文件!");
}
inline QString InvalidDllCaption()
{
    return QStringLiteral("装入动态链接库出错");
}
// `library` is the name the image's import table gives.
inline QString DllLoadFailed(const QString &library)
{
    return QStringLiteral("装入动态链接库%1出错!").arg(library);
}
inline QString DllLoadFailedCaption()
{
    return QStringLiteral("错误");
}

} // namespace Text
