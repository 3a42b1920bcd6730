#include "editors/digitsonly.h"

#include <QKeyEvent>
#include <QLineEdit>

void MakeDigitsOnly(QLineEdit *edit)
{
    edit->installEventFilter(new DigitsOnlyFilter(edit));
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
            for (QChar c : text) {
                if (c < u'0' || c > u'9')
                    return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
