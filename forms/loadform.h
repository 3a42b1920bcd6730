#pragma once

#include "rules/loadconversions.h"

#include <QStringList>

#include <QList>

#include <functional>
#include <initializer_list>
#include <span>

class MessageService;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTimeEdit;
class QWidget;

// The pieces the general and the LED load form share: the same controls, shown from and
// collected into the same slots. Which controls a mode or a box enables stays with each form.
namespace LoadForm {

// Accessible names from the captions: buttons with text, frames by their title, labels by their
// text and the controls they are buddies of likewise. Pickers get the C locale, so their digits
// stay plain.
void nameAfterCaptions(QWidget *form);

// Enables or disables a part of a form: labels, their controls and what goes with them.
void setEnabled(const QList<QWidget *> &part, bool enabled);

// Start and stop voltage, shown with two decimals and stored in hundredths of a volt, and the
// delays after them, minutes kept as typed.
struct LightControlEdits
{
    QLineEdit *onVoltage = nullptr;
    QLineEdit *onDelay = nullptr;
    QLineEdit *offVoltage = nullptr;
    QLineEdit *offDelay = nullptr;

    // Digits-only delays, named by their role (their labels only say "延时（m）"); each field
    // says its range.
    void setUp() const;
    void show(const QStringList &values) const;
    void collect(QStringList &values) const;
};

// The two timer on/off pairs, each time of day in three slots, and the box that puts the second
// pair in use (`Timer2Enabled` "1" or "0").
struct TimerPickers
{
    QTimeEdit *on1 = nullptr;
    QTimeEdit *off1 = nullptr;
    QTimeEdit *on2 = nullptr;
    QTimeEdit *off2 = nullptr;
    QCheckBox *secondPairBox = nullptr;

    // Names the box, which has no caption; each picker says what it holds.
    void setUp() const;
    void show(const QStringList &values) const;
    void collect(QStringList &values) const;
};

// A picker that holds a duration, stored in its slot as an hour-minute code.
struct DurationPicker
{
    int slot;
    QTimeEdit *picker;
};
// Each picker says what it holds.
void describeDurations(std::span<const DurationPicker> pickers);
void showDurations(std::span<const DurationPicker> pickers, const QStringList &values);
void collectDurations(std::span<const DurationPicker> pickers, QStringList &values);

// The exclusive mode buttons and the codes each stores.
struct ModeButtons
{
    QButtonGroup *group = nullptr;
    std::span<const Load::ModeCode> codes;

    // Gives each button, in the order of `codes`, its number there as its id in the group.
    void setUp(std::initializer_list<QAbstractButton *> buttons) const;
    // Checks the button the stored codes select and returns its id; a code outside the list
    // checks none and returns 0.
    int selectStored(const QStringList &values) const;
    void collect(QStringList &values) const;
    bool anySelected() const;
};

// "应用" of a load form: refused with a warning while no mode is selected (the stored code is
// none the form has, and the controller would be written a mode it lacks); otherwise the range
// checks of Load::applyChecked, then `collect` into `values`. True when stored.
bool apply(const ModeButtons &modes, QStringList &values, MessageService &messages,
           const std::function<void(QStringList &)> &collect);

} // namespace LoadForm
