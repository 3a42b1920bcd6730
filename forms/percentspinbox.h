#pragma once

#include <QSpinBox>

// A whole percentage 0..100 that only its arrows change, 5 per step (33 -> 38; stops at 0 and
// 100). Its text cannot be typed over; the Up and Down keys step like the arrows. The wheel and
// Page Up/Down are left to the form, so scrolling never changes a level by accident.
class PercentSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit PercentSpinBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};
