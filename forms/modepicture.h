#pragma once

#include "rules/modediagram.h"

#include <QWidget>

// The picture of a light-plus-timer mode: the night from the setting sun at dusk to the rising
// sun at dawn under a row of moons, the lamp level as a step line with a lamp over each period,
// the periods named and timed below, and the remaining time dashed. Painted from the schedule,
// so it follows the form; vector drawing keeps it sharp at any scale.
class ModePicture : public QWidget
{
    Q_OBJECT

public:
    explicit ModePicture(QWidget *parent = nullptr);

    void setSchedule(const Load::ModeSchedule &schedule);
    const Load::ModeSchedule &schedule() const { return m_schedule; }

    // Where the night's schedule goes in the widget at its current size.
    QRectF plotRect() const;
    Load::ModeDiagram diagram() const { return Load::layOutModeDiagram(m_schedule, plotRect()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont pictureFont() const;

    Load::ModeSchedule m_schedule;
};
