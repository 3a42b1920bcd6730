#include "app/drawnicon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon drawnIcon(const QString &resource, std::initializer_list<int> sizes)
{
    QSvgRenderer renderer(resource);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(QSize(size, size) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
