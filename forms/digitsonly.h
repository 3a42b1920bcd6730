#pragma once

#include <QObject>

class QLineEdit;

// Makes an edit field refuse typed characters other than the digits 0-9, as a classic
// digits-only edit does; with `leadingMinus`, one "-" at the very front is taken too (for values
// that run below zero). Only keys are filtered: text the program sets (such as "--") stays, and
// editing keys (Backspace, arrows, shortcuts) work as usual. Pasted text is not filtered.
void makeDigitsOnly(QLineEdit *edit, bool leadingMinus = false);

// The filter behind makeDigitsOnly, exposed for the tests.
class DigitsOnlyFilter : public QObject
{
    Q_OBJECT

public:
    DigitsOnlyFilter(QLineEdit *edit, bool leadingMinus);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool acceptsMinus(const QLineEdit *edit) const;

    bool m_leadingMinus;
};
