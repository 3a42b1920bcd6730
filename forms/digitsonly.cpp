#include "forms/digitsonly.h"

#include <QKeyEvent>
#include <QLineEdit>

void makeDigitsOnly(QLineEdit *edit, bool leadingMinus)
{
    edit->installEventFilter(new DigitsOnlyFilter(edit, leadingMinus));
}

DigitsOnlyFilter::DigitsOnlyFilter(QLineEdit *edit, bool leadingMinus)
    : QObject(edit), m_leadingMinus(leadingMinus)
{
}

bool DigitsOnlyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Keys that type something printable, without Ctrl (shortcuts pass), must be digits.
        const bool typesText = !text.isEmpty() && text.at(0).isPrint() &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (typesText) {
            if (text == u"-")
                return !acceptsMinus(qobject_cast<QLineEdit *>(watched));
            for (QChar c : text) {
                if (c < u'0' || c > u'9')
                    return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

bool DigitsOnlyFilter::acceptsMinus(const QLineEdit *edit) const
{
    if (!m_leadingMinus || !edit)
        return false;
    // The "-" lands at the front, and no other "-" stays behind it.
    const qsizetype at = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    QString after = edit->text();
    after.remove(at, edit->selectedText().size());
    return at == 0 && !after.contains(u'-');
}
