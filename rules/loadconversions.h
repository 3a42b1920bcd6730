#pragma once

#include "model/parameterset.h"

#include <QString>
#include <QStringList>
#include <QTime>

#include <span>

// How the two load forms show slot texts and store what they collect. Widget-free.
namespace Load {

// Hundredths (10 mV, 10 mA) as shown: two decimals, exact ("3401" -> "34.01", "-5" -> "-0.05").
// The stored text is read leniently, so text without a number shows "0.00".
QString twoDecimals(const QString &storedHundredths);
// Typed volts or amperes as stored: times 100, truncated toward zero, without binary rounding
// ("4.35" -> "435", "5.009" -> "500", "1.5" -> "150", "abc" -> "0").
QString hundredths(const QString &typed);

// LED level: hundredths of a percent stored, whole percent shown ("3333" -> 33). A stored level
// outside 0..100 % opens at the nearer bound.
int shownPercent(const QString &stored);
// Whole percent as stored ("33" -> "3300").
QString storedPercent(int percent);

// Hour-minute code (hours * 256 + minutes) to a picker's time. A code no picker can show
// (negative, minutes of 60 or more, hours of 24 or more) opens at 00:00.
QTime timeFromHourMinuteCode(const QString &stored);
// The picker's hours and minutes as the code's decimal text (01:30 -> "286").
QString hourMinuteCodeText(const QTime &time);

// A time of day kept in three slots: seconds at the lowest register, then minutes, then hours.
struct TimeOfDaySlots
{
    int hour;
    int minute;
    int second;
};
inline constexpr TimeOfDaySlots kTimerOn1{Slot::TimerOn1Hour, Slot::TimerOn1Minute,
                                          Slot::TimerOn1Second};
inline constexpr TimeOfDaySlots kTimerOff1{Slot::TimerOff1Hour, Slot::TimerOff1Minute,
                                           Slot::TimerOff1Second};
inline constexpr TimeOfDaySlots kTimerOn2{Slot::TimerOn2Hour, Slot::TimerOn2Minute,
                                          Slot::TimerOn2Second};
inline constexpr TimeOfDaySlots kTimerOff2{Slot::TimerOff2Hour, Slot::TimerOff2Minute,
                                           Slot::TimerOff2Second};

// The time in the three slots; 00:00:00 when any part is out of a picker's range.
QTime timeOfDay(const QStringList &values, TimeOfDaySlots where);
void storeTimeOfDay(QStringList &values, TimeOfDaySlots where, const QTime &time);

// A mode button and the codes its selection stores in `LoadControlMode` and `ManualDefaultOn`.
// A form lists "手动默认开" before "手动默认关".
struct ModeCode
{
    int button;
    const char *mode;
    const char *manual;
};
// The button a stored mode code selects, 0 when no button has that code. Code "0" stands for
// two buttons: the one whose manual state matches, else the later ("手动默认关" unless the
// state is exactly "1").
int modeButton(std::span<const ModeCode> modes, const QString &mode, const QString &manual);
// The codes of the checked button into their slots; with no button checked (an id outside the
// list) both slots keep their text.
void storeMode(std::span<const ModeCode> modes, int checkedButton, QStringList &values);

} // namespace Load
