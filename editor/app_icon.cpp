#include "editor/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace editor {
namespace {

// Drawn on a 32-unit grid and scaled, so every size comes out the same picture.
QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(16, 24, 64));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);

    painter.setBrush(QColor(255, 140, 40)); // engine flame
    painter.drawEllipse(QRectF(3, 14, 7, 4));

    QPainterPath hull;
    hull.moveTo(7, 9);
    hull.lineTo(22, 16);
    hull.lineTo(7, 23);
    hull.lineTo(10, 16);
    hull.closeSubpath();
    painter.setBrush(QColor(120, 220, 255));
    painter.drawPath(hull);

    painter.setBrush(QColor(255, 240, 120)); // shots
    painter.drawEllipse(QRectF(24, 14.5, 3, 3));
    painter.drawEllipse(QRectF(28, 14.5, 2, 3));
    return pixmap;
}

} // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(size));
    return icon;
}

} // namespace editor
