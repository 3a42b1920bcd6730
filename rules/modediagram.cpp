#include "rules/modediagram.h"

#include <algorithm>

namespace Load {

ModeDiagram layOutModeDiagram(const ModeSchedule &schedule, const QRectF &plot)
{
    std::array<int, 3> minutes{};
    std::array<int, 3> levels{};
    for (int i = 0; i < 3; ++i) {
        minutes[i] = std::max(schedule.periodMinutes[i], 0);
        levels[i] = std::clamp(schedule.levels[i], 0, 100);
    }
    const int night = std::max(schedule.nightMinutes, 0);
    const int evening =
        schedule.mode == 1 ? minutes[0] + minutes[1] + minutes[2] : minutes[0] + minutes[1];
    const int span = std::max({schedule.mode == 1 ? std::max(night, evening) : night, 1});

    const auto x = [&](int t) { return plot.left() + plot.width() * t / span; };
    const auto y = [&](int level) { return plot.bottom() - plot.height() * level / 100.0; };

    ModeDiagram d;
    d.duskX = x(0);
    d.dawnX = x(span);
    d.baseY = y(0);

    // Start and end of each period in minutes after dusk.
    std::array<int, 3> start{};
    std::array<int, 3> end{};
    if (schedule.mode == 1) {
        for (int i = 0, t = 0; i < 3; ++i) {
            start[i] = t;
            t += minutes[i];
            end[i] = t;
        }
    } else {
        start[2] = std::max(span - minutes[2], 0);
        end[2] = span;
        for (int i = 0, t = 0; i < 2; ++i) {
            start[i] = std::min(t, start[2]);
            t += minutes[i];
            end[i] = std::min(t, start[2]);
        }
    }
    for (int i = 0; i < 3; ++i)
        d.periods.append({i + 1, x(start[i]), x(end[i]), y(levels[i]), minutes[i], levels[i]});

    // A step line: up from the base at the first start, along each level, down at the last end.
    const auto stepLine = [&](int first, int last) {
        QList<QPointF> line{{x(start[first]), d.baseY}};
        for (int i = first; i <= last; ++i) {
            line.append({x(start[i]), y(levels[i])});
            line.append({x(end[i]), y(levels[i])});
        }
        line.append({x(end[last]), d.baseY});
        return line;
    };
    if (schedule.mode == 1) {
        d.stepLines.append(stepLine(0, 2));
        d.remainingStartX = x(end[2]);
        d.remainingEndX = d.dawnX;
        d.remainingMinutes = span - end[2];
    } else {
        d.stepLines.append(stepLine(0, 1));
        d.stepLines.append(stepLine(2, 2));
        d.remainingStartX = x(end[1]);
        d.remainingEndX = x(start[2]);
        d.remainingMinutes = start[2] - end[1];
    }
    return d;
}

} // namespace Load
