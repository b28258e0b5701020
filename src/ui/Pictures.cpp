#include "ui/Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace Pictures {

namespace {

QPixmap canvas()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QPixmap greyed(const QPixmap &normal)
{
    QImage img = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int g = 96 + qGray(line[x]) / 2; // lighter grey, as disabled pictures are drawn
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(img);
}

QIcon withGreyed(const QPixmap &normal)
{
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    icon.addPixmap(greyed(normal), QIcon::Disabled);
    return icon;
}

QIcon save()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QRadialGradient g(QPointF(7, 7), 5);
    g.setColorAt(0, QColor(120, 230, 120));
    g.setColorAt(1, QColor(0, 140, 0));
    p.setPen(QPen(QColor(0, 90, 0), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
    p.end();
    return withGreyed(pm);
}

QIcon alias()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // Two open pages.
    p.setPen(QPen(QColor(40, 40, 120), 1));
    p.setBrush(QColor(250, 250, 235));
    QPainterPath left, right;
    left.moveTo(8, 6);
    left.quadTo(4.5, 4.5, 0.5, 5.5);
    left.lineTo(0.5, 14.5);
    left.quadTo(4.5, 13.5, 8, 15);
    left.closeSubpath();
    right.moveTo(8, 6);
    right.quadTo(11.5, 4.5, 15.5, 5.5);
    right.lineTo(15.5, 14.5);
    right.quadTo(11.5, 13.5, 8, 15);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    // A red question mark over them.
    QFont f;
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(210, 0, 0));
    p.drawText(QRectF(4, -1, 8, 10), Qt::AlignCenter, QStringLiteral("?"));
    p.end();
    return withGreyed(pm);
}

QIcon exit()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The door frame, dark inside.
    p.setPen(QPen(QColor(70, 40, 10), 1));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    // The door, swung open towards the viewer.
    QPolygonF door{QPointF(3.5, 1.5), QPointF(9.5, 3.5), QPointF(9.5, 15.5), QPointF(3.5, 14.5)};
    p.setBrush(QColor(180, 110, 40));
    p.drawPolygon(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 60));
    p.drawEllipse(QRectF(7.5, 8, 1.6, 1.6));
    p.end();
    return withGreyed(pm);
}

} // namespace Pictures
