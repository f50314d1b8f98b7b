#include "ui/kelvo_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvo {

QPixmap listeningPixmap(bool asleep, bool hovered, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QColor disc = asleep ? QColor(120, 120, 128) : QColor(38, 150, 72);
    if (hovered) {
        disc = disc.lighter(130);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(QRectF(0.03 * s, 0.03 * s, 0.94 * s, 0.94 * s));

    // Microphone head, stand and base in white.
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.38 * s, 0.18 * s, 0.24 * s, 0.4 * s), 0.12 * s, 0.12 * s);
    QPen pen(Qt::white, qMax(1.0, 0.06 * s), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(0.29 * s, 0.3 * s, 0.42 * s, 0.4 * s), 180 * 16, 180 * 16);
    painter.drawLine(QPointF(0.5 * s, 0.7 * s), QPointF(0.5 * s, 0.8 * s));
    painter.drawLine(QPointF(0.38 * s, 0.8 * s), QPointF(0.62 * s, 0.8 * s));
    if (asleep) {
        QPen bar(QColor(200, 40, 40), qMax(1.5, 0.09 * s), Qt::SolidLine, Qt::RoundCap);
        painter.setPen(bar);
        painter.drawLine(QPointF(0.22 * s, 0.22 * s), QPointF(0.78 * s, 0.78 * s));
    }
    return pixmap;
}

QPixmap voipLogoPixmap(bool hovered) {
    QPixmap pixmap(96, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = hovered ? QColor(255, 160, 60) : QColor(235, 120, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(1, 1, 94, 30), 8, 8);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, "jajah");
    return pixmap;
}

QIcon trayIcon(bool asleep) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(listeningPixmap(asleep, false, size));
    }
    return icon;
}

} // namespace kelvo
