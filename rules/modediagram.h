#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

#include <array>

// Where the parts of a light-plus-timer mode picture go, computed from the schedule alone so
// the picture follows the form and the geometry can be checked without pixels. Widget-free.
namespace Load {

struct ModeSchedule
{
    // Mode 1: periods 1, 2, 3 one after another from dusk, then the rest of the night.
    // Mode 2: periods 1 and 2 from dusk, the rest of the night, then period 3 ending at dawn.
    int mode = 1;
    std::array<int, 3> periodMinutes{};
    std::array<int, 3> levels{}; // whole percent, 0..100
    int nightMinutes = 0;
};

struct DiagramPeriod
{
    int number;    // 1..3
    double startX; // clipped to the night
    double endX;
    double levelY;
    int minutes; // as set, even when the night cuts it short
    int level;   // percent
};

struct ModeDiagram
{
    double duskX = 0;
    double dawnX = 0;
    double baseY = 0; // the lamp off
    // The lamp level as solid step lines through their corners; mode 2 has two (evening and
    // morning), mode 1 one.
    QList<QList<QPointF>> stepLines;
    QList<DiagramPeriod> periods; // in time order
    // The dashed remaining time at level 0; start == end when nothing remains.
    double remainingStartX = 0;
    double remainingEndX = 0;
    int remainingMinutes = 0;
};

// Lays the night out across `plot`: dusk at its left edge, dawn at its right edge, 100 % at its
// top, 0 % at its bottom. The night spans the night length; in mode 1, whose night length only
// marks where dawn is drawn, it spans at least the three periods. In mode 2 period 3 keeps its
// place before dawn and cuts periods 1 and 2 short where they would overlap it.
ModeDiagram layOutModeDiagram(const ModeSchedule &schedule, const QRectF &plot);

} // namespace Load
