#include "forms/modepicture.h"

#include "model/texts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

const QColor kFrame(0xb8, 0xc0, 0xcc);
const QColor kNightTop(0xd9, 0xe1, 0xf2);
const QColor kNightBottom(0xf3, 0xf5, 0xfb);
const QColor kMoon(0xf2, 0xc9, 0x4c);
const QColor kMoonEdge(0xb8, 0x90, 0x20);
const QColor kLight(0xff, 0xee, 0x9a, 0xb0);
const QColor kLevel(0xe0, 0x7b, 0x00);
const QColor kAxis(0x8a, 0x93, 0xa3);
const QColor kRemaining(0x5d, 0x66, 0x78);
const QColor kText(0x33, 0x3a, 0x48);
const QColor kDuskSun(0xf0, 0x80, 0x40);
const QColor kDawnSun(0xf5, 0xb8, 0x2e);
const QColor kLampOff(0xc4, 0xc8, 0xd0);

// Proportions in units of the picture font's height, so the picture scales with the text.
constexpr double kMargin = 0.4;
constexpr double kMoonSize = 0.9;
constexpr double kLampRoom = 1.4;
constexpr double kSunRadius = 0.8;

QString duration(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// A crescent: a disc with an offset disc taken away.
void drawMoon(QPainter &p, QPointF centre, double size)
{
    const double r = size / 2;
    QPainterPath disc;
    disc.addEllipse(centre, r, r);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(r * 0.55, -r * 0.3), r * 0.85, r * 0.85);
    p.setPen(QPen(kMoonEdge, std::max(1.0, size / 14)));
    p.setBrush(kMoon);
    p.drawPath(disc.subtracted(bite));
}

// A sun half above the horizon at `centre`, with an arrow below: down at dusk, up at dawn.
void drawSun(QPainter &p, QPointF centre, double r, const QColor &colour, bool setting)
{
    p.setPen(QPen(colour, std::max(1.0, r / 6), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= 6; ++i) {
        const double a = std::numbers::pi * i / 6;
        const QPointF dir(std::cos(a), -std::sin(a));
        p.drawLine(centre + dir * (r * 0.85), centre + dir * (r * 1.25));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawChord(QRectF(centre.x() - r * 0.65, centre.y() - r * 0.65, r * 1.3, r * 1.3), 0,
                180 * 16);
    const double top = centre.y() + r * 0.25;
    const double bottom = centre.y() + r * 0.85;
    const double half = r * 0.3;
    QPainterPath arrow;
    if (setting) {
        arrow.moveTo(centre.x() - half, top);
        arrow.lineTo(centre.x() + half, top);
        arrow.lineTo(centre.x(), bottom);
    } else {
        arrow.moveTo(centre.x() - half, bottom);
        arrow.lineTo(centre.x() + half, bottom);
        arrow.lineTo(centre.x(), top);
    }
    arrow.closeSubpath();
    p.drawPath(arrow);
}

// A lamp standing on `bottom`: a bulb over a screw base, with rays while it is lit.
void drawLamp(QPainter &p, QPointF bottom, double size, bool lit)
{
    const double r = size * 0.3;
    const QPointF bulb(bottom.x(), bottom.y() - size * 0.62);
    if (lit) {
        p.setPen(QPen(kLevel, std::max(1.0, size / 12), Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 5; ++i) {
            const double a = std::numbers::pi * (0.1 + 0.2 * i);
            const QPointF dir(std::cos(a), -std::sin(a));
            p.drawLine(bulb + dir * (r * 1.3), bulb + dir * (r * 1.65));
        }
    }
    p.setPen(QPen(lit ? kLevel : kAxis, std::max(1.0, size / 14)));
    p.setBrush(lit ? QColor(0xff, 0xe0, 0x60) : kLampOff);
    p.drawEllipse(bulb, r, r);
    p.setBrush(kAxis);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(bulb.x() - r * 0.5, bulb.y() + r * 0.9, r, bottom.y() - bulb.y() - r * 0.9));
}

} // namespace

ModePicture::ModePicture(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(Text::modePictureName());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setSchedule(m_schedule);
}

void ModePicture::setSchedule(const Load::ModeSchedule &schedule)
{
    m_schedule = schedule;
    setAccessibleDescription(schedule.mode == 2 ? Text::lightPlusTimerMode2()
                                                : Text::lightPlusTimerMode1());
    update();
}

QFont ModePicture::pictureFont() const
{
    QFont f = font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * 0.9);
    else
        f.setPixelSize(std::max(8, f.pixelSize() * 9 / 10));
    return f;
}

QRectF ModePicture::plotRect() const
{
    const double h = QFontMetricsF(pictureFont()).height();
    const double left = h * (kMargin + 2 * kSunRadius + 0.8);
    const double top = h * (kMargin + kMoonSize + 0.3 + kLampRoom);
    const double bottom = height() - h * (kMargin + 2.4);
    return QRectF(QPointF(left, top), QPointF(width() - left, std::max(bottom, top + 1)));
}

QSize ModePicture::sizeHint() const
{
    const double h = QFontMetricsF(pictureFont()).height();
    return QSize(int(h * 30), int(h * 11));
}

QSize ModePicture::minimumSizeHint() const
{
    const double h = QFontMetricsF(pictureFont()).height();
    return QSize(int(h * 20), int(h * 9));
}

void ModePicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont font = pictureFont();
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double h = fm.height();
    const double line = std::max(1.5, h / 8);
    const Load::ModeDiagram d = diagram();

    // Frame and the night from dusk to dawn.
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), h * 0.3, h * 0.3);
    const QRectF night(QPointF(d.duskX, h * kMargin), QPointF(d.dawnX, d.baseY));
    QLinearGradient sky(night.topLeft(), night.bottomLeft());
    sky.setColorAt(0, kNightTop);
    sky.setColorAt(1, kNightBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(night);

    // A row of moons across the night.
    const double moon = h * kMoonSize;
    const int moons = std::max(1, int(night.width() / (moon * 4.5)));
    for (int i = 0; i < moons; ++i) {
        const double x = night.left() + night.width() * (i + 0.5) / moons;
        drawMoon(p, QPointF(x, h * kMargin + moon / 2 + h * 0.1), moon);
    }

    // The horizon, and the suns where it meets dusk and dawn.
    p.setPen(QPen(kAxis, 1));
    p.drawLine(QPointF(h * kMargin, d.baseY), QPointF(width() - h * kMargin, d.baseY));
    const double sunOffset = h * (kSunRadius + 0.4);
    drawSun(p, QPointF(d.duskX - sunOffset, d.baseY), h * kSunRadius, kDuskSun, true);
    drawSun(p, QPointF(d.dawnX + sunOffset, d.baseY), h * kSunRadius, kDawnSun, false);

    // The light under the lamp level, then the level itself.
    for (const QList<QPointF> &steps : d.stepLines) {
        p.setPen(Qt::NoPen);
        p.setBrush(kLight);
        p.drawPolygon(steps.constData(), int(steps.size()));
        p.setPen(QPen(kLevel, line, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(steps.constData(), int(steps.size()));
    }
    if (d.remainingEndX > d.remainingStartX) {
        p.setPen(QPen(kRemaining, line, Qt::DashLine, Qt::FlatCap));
        p.drawLine(QPointF(d.remainingStartX, d.baseY), QPointF(d.remainingEndX, d.baseY));
    }

    // Below the horizon: a tick at every boundary, the name and length of every stretch.
    const double tick = h * 0.3;
    const auto label = [&](double from, double to, const QString &name, int minutes) {
        p.setPen(QPen(kAxis, 1));
        p.drawLine(QPointF(from, d.baseY), QPointF(from, d.baseY + tick));
        p.drawLine(QPointF(to, d.baseY), QPointF(to, d.baseY + tick));
        const QString length = duration(minutes);
        if (to - from < std::max(fm.horizontalAdvance(name), fm.horizontalAdvance(length)))
            return;
        p.setPen(kText);
        const QRectF first(from, d.baseY + tick, to - from, h);
        p.drawText(first, Qt::AlignCenter, name);
        p.drawText(first.translated(0, h), Qt::AlignCenter, length);
    };
    for (const Load::DiagramPeriod &period : d.periods) {
        if (period.endX > period.startX)
            label(period.startX, period.endX, Text::picturePeriod(period.number), period.minutes);
    }
    if (d.remainingEndX > d.remainingStartX)
        label(d.remainingStartX, d.remainingEndX, Text::pictureRemainingTime(), d.remainingMinutes);

    // Over every period a lamp, lit at its level, with the level beside it where room allows.
    const double lamp = h * kLampRoom * 0.9;
    for (const Load::DiagramPeriod &period : d.periods) {
        const double width = period.endX - period.startX;
        if (width < lamp)
            continue;
        const QString level = QStringLiteral("%1%").arg(period.level);
        const double text = fm.horizontalAdvance(level) + h * 0.15;
        const bool withText = width >= lamp + text;
        const double left = (period.startX + period.endX - (withText ? lamp + text : lamp)) / 2;
        const double bottom = period.levelY - line;
        drawLamp(p, QPointF(left + lamp / 2, bottom), lamp, period.level > 0);
        if (withText) {
            p.setPen(kText);
            p.drawText(QRectF(left + lamp, bottom - h * 1.05, text, h), Qt::AlignRight, level);
        }
    }
}
