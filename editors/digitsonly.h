#pragma once

#include <QObject>

class QLineEdit;

// Makes an edit field refuse typed characters other than the digits 0-9, as a classic
// digits-only edit does. Only keys are filtered: text the program sets (such as "-3") stays, and
// editing keys (Backspace, arrows, shortcuts) work as usual. Pasted text is not filtered.
void MakeDigitsOnly(QLineEdit *edit);

// The filter behind MakeDigitsOnly, exposed for the tests.
class DigitsOnlyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
