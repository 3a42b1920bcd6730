#include "rules/loadrules.h"

#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "model/valuetext.h"

namespace Load {

namespace {

constexpr qint64 kMaxVoltage = 3400; // 34.00 V in hundredths
constexpr qint64 kMaxDelay = 99;     // minutes

bool inRange(const QString &text, qint64 high)
{
    // 64-bit, so a huge typed number is refused instead of saturating into range.
    const qint64 value = lenientInt64(text);
    return value >= 0 && value <= high;
}

} // namespace

std::optional<RangeFailure> checkRanges(const QStringList &values)
{
    struct Check
    {
        int slot;
        qint64 high;
        QString message;
    };
    const Check checks[] = {
        {Slot::LightOnVoltage, kMaxVoltage, Text::lightOnVoltageOutOfRange()},
        {Slot::LightOffVoltage, kMaxVoltage, Text::lightOffVoltageOutOfRange()},
        {Slot::LightOnDelay, kMaxDelay, Text::lightOnDelayOutOfRange()},
        {Slot::LightOffDelay, kMaxDelay, Text::lightOffDelayOutOfRange()},
    };
    for (const Check &check : checks) {
        const QString &text = values.at(check.slot);
        if (inRange(text, check.high))
            continue;
        RangeFailure failure{check.slot, check.message, {}};
        if (check.slot == Slot::LightOnVoltage)
            failure.boxes.append(text);
        failure.boxes.append(check.message);
        return failure;
    }
    return std::nullopt;
}

bool applyChecked(QStringList &values, MessageService &messages,
                  const std::function<void(QStringList &)> &collect)
{
    QStringList scratch = values;
    collect(scratch);
    if (const std::optional<RangeFailure> failure = checkRanges(scratch)) {
        for (const QString &text : failure->boxes)
            messages.warning(text);
        return false;
    }
    collect(values);
    return true;
}

QString firstRangeFailure(const QStringList &values)
{
    const std::optional<RangeFailure> failure = checkRanges(values);
    return failure ? failure->message : QString();
}

bool hasFormMode(const QStringList &values, bool generalForm)
{
    const QString &mode = values.at(Slot::LoadControlMode);
    const QStringList codes = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("4")};
    return codes.first(generalForm ? 4 : 5).contains(mode);
}

} // namespace Load
