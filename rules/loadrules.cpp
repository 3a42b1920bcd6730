#include "rules/loadrules.h"

#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/texts.h"
#include "model/valuetext.h"

namespace Load {

namespace {

constexpr qint64 kMaxVoltage = 3400; // 34.00 V in hundredths
constexpr qint64 kMaxDelay = 99;     // minutes

bool InRange(const QString &text, qint64 high)
{
    // 64-bit, so a huge typed number is refused instead of saturating into range.
    const qint64 value = LenientInt64(text);
    return value >= 0 && value <= high;
}

} // namespace

std::optional<RangeFailure> CheckRanges(const QStringList &values)
{
    struct Check
    {
        int slot;
        qint64 high;
        QString message;
    };
    const Check checks[] = {
        {Slot::LightOnVoltage, kMaxVoltage, Text::LightOnVoltageOutOfRange()},
        {Slot::LightOffVoltage, kMaxVoltage, Text::LightOffVoltageOutOfRange()},
        {Slot::LightOnDelay, kMaxDelay, Text::LightOnDelayOutOfRange()},
        {Slot::LightOffDelay, kMaxDelay, Text::LightOffDelayOutOfRange()},
    };
    for (const Check &check : checks) {
        const QString &text = values.at(check.slot);
        if (InRange(text, check.high))
            continue;
        RangeFailure failure{check.slot, check.message, {}};
        if (check.slot == Slot::LightOnVoltage)
            failure.boxes.append(text);
        failure.boxes.append(check.message);
        return failure;
    }
    return std::nullopt;
}

bool ApplyChecked(QStringList &values, MessageService &messages,
                  const std::function<void(QStringList &)> &collect)
{
    QStringList scratch = values;
    collect(scratch);
    if (const std::optional<RangeFailure> failure = CheckRanges(scratch)) {
        for (const QString &text : failure->boxes)
            messages.warning(text);
        return false;
    }
    collect(values);
    return true;
}

QString FirstRangeFailure(const QStringList &values)
{
    const std::optional<RangeFailure> failure = CheckRanges(values);
    return failure ? failure->message : QString();
}

bool HasFormMode(const QStringList &values, bool generalForm)
{
    const QString &mode = values.at(Slot::LoadControlMode);
    const QStringList codes = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                               QStringLiteral("3"), QStringLiteral("4")};
    return codes.first(generalForm ? 4 : 5).contains(mode);
}

} // namespace Load
