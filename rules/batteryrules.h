#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class MessageService;
class QObject;

// The first battery rule a candidate set breaks. Rules are checked in a fixed order and only
// the first failure is reported.
struct BatteryRuleFailure
{
    int rule;     // 1..20, in checking order
    QString text; // the message shown for it
    bool formBox; // true: a plain box owned by the form; false: a warning
};

// Checks the battery slots of a 59-slot candidate set (slot texts as the form collects them;
// missing slots count as empty). Nothing when every rule holds.
std::optional<BatteryRuleFailure> firstFailedBatteryRule(const QStringList &candidate);

// What the rules ask of one of the twelve voltages (`slot`) at the rated level and battery type of
// `candidate`, for the form to tell the user before "应用": the window (10 mV units, both ends
// allowed; gel may also be 0) and the order to the other voltages, as phrases
// ("须大于充电限制电压").
struct BatteryVoltageLimits
{
    qint64 low;
    qint64 high;
    bool zeroAllowed;
    QStringList relations;
};
BatteryVoltageLimits voltageLimits(int slot, const QStringList &candidate);

// Runs the rules and shows the first failure's message, a warning or a box owned by `form`.
// Answers whether the candidate may be stored. Shows nothing when it passes; writes nothing.
bool validateBatteryParameters(const QStringList &candidate, QObject *form,
                               MessageService &messages);
