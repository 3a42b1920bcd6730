#include "forms/percentspinbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

PercentSpinBox::PercentSpinBox(QWidget *parent) : QSpinBox(parent)
{
    setRange(0, 100);
    setSingleStep(5);
    setAlignment(Qt::AlignRight);
    // Read-only text; QAbstractSpinBox::setReadOnly would stop the arrows as well.
    lineEdit()->setReadOnly(true);
}

void PercentSpinBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void PercentSpinBox::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}
