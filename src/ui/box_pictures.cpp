#include "ui/box_pictures.h"

#include <QFont>
#include <QPainter>
#include <QRadialGradient>

namespace kelvo {

namespace {

struct Look {
    QColor light;
    QColor dark;
    QString glyph;
};

Look lookOf(BoxPicture picture) {
    switch (picture) {
    case BoxPicture::Question:
        return {QColor(0x6f, 0xb3, 0xf2), QColor(0x1c, 0x5d, 0xb0), QStringLiteral("?")};
    case BoxPicture::Error:
        return {QColor(0xf2, 0x7a, 0x6f), QColor(0xb0, 0x22, 0x1c), QStringLiteral("!")};
    case BoxPicture::Information:
        break;
    }
    return {QColor(0x7f, 0xd1, 0x9b), QColor(0x1e, 0x8a, 0x4a), QStringLiteral("i")};
}

} // namespace

QPixmap drawBoxPicture(BoxPicture picture, int size) {
    const Look look = lookOf(picture);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF disc(1.5, 1.5, size - 3.0, size - 3.0);
    QRadialGradient shade(disc.center() - QPointF(size / 6.0, size / 6.0), size * 0.7);
    shade.setColorAt(0.0, look.light);
    shade.setColorAt(1.0, look.dark);
    painter.setBrush(shade);
    painter.setPen(QPen(look.dark.darker(130), 1.5));
    painter.drawEllipse(disc);

    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(disc, Qt::AlignCenter, look.glyph);
    return pixmap;
}

} // namespace kelvo
