#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class MessageService;

// The range checks both load forms run on "应用". Widget-free, so a tool can run them on a
// parameter file's values too.
namespace Load {

struct RangeFailure
{
    int slot;        // the slot that failed
    QString message; // the refusal
    // Every box the form shows for this failure, in order: a refused start voltage first shows
    // its stored text (hundredths of a volt, e.g. "3401"), then the message.
    QStringList boxes;
};

// Checks, in this order, stopping at the first failure: start voltage 0..3400 (hundredths of a
// volt), stop voltage 0..3400, start delay 0..99, stop delay 0..99 (minutes). The values are
// the 59 slot texts; each is read as a decimal integer, text without a number as 0. The mode,
// the times, the LED levels and the rated current are not checked.
std::optional<RangeFailure> checkRanges(const QStringList &values);

// "应用" of a load form: `collect` writes the form into the 59 slot texts. It runs first on a
// scratch copy of `values`, which is checked; a failure shows its boxes as warnings and stores
// nothing. Only when every check passes does `collect` run again, into `values`. Returns whether
// the form was stored.
bool applyChecked(QStringList &values, MessageService &messages,
                  const std::function<void(QStringList &)> &collect);

// The first failure's message, or an empty text when every check passes.
QString firstRangeFailure(const QStringList &values);

// Whether the stored mode code is one the load form has a button for, as the form selects it:
// "0" to "3" in the general form, "0" to "4" in the LED form. "应用" refuses any other.
bool hasFormMode(const QStringList &values, bool generalForm);

} // namespace Load
