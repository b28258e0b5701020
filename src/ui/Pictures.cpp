#include "ui/Pictures.h"

#include <QBitmap>
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

// The dialogs' button glyphs.
namespace {

// Olive occurs in neither picture, so it can stand for transparent.
const QColor GlyphBackground(128, 128, 0);

// Draws one 16 x 16 image into the left half of a 32 x 16 glyph, derives the
// grey image in the right half and masks out the colour of the bottom-left
// pixel.
template <typename Draw>
QPixmap twoImageGlyph(Draw draw)
{
    QImage img(32, 16, QImage::Format_RGB32);
    img.fill(GlyphBackground);
    {
        QPainter p(&img);
        // Antialiased edges would blend into the background colour and show
        // as a fringe that the mask does not remove.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setClipRect(0, 0, 16, 16);
        draw(p);
    }
    const QRgb clear = img.pixel(0, img.height() - 1);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb grey = qRgb(128, 128, 128);
    // Disabled glyphs are embossed: the shape in grey over a white copy of it
    // one pixel lower and to the right.
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (img.pixel(x, y) != clear && x < 15 && y < 15)
                img.setPixel(16 + x + 1, y + 1, white);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (img.pixel(x, y) != clear)
                img.setPixel(16 + x, y, grey);

    QPixmap pm = QPixmap::fromImage(img);
    pm.setMask(pm.createMaskFromColor(QColor::fromRgb(clear), Qt::MaskInColor));
    return pm;
}

} // namespace

QPixmap cancelGlyph()
{
    return twoImageGlyph([](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(128, 0, 0), 4, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
        p.setPen(QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRect(7, 1, 2, 9);
        p.drawRect(7, 12, 2, 2);
    });
}

QPixmap okGlyph()
{
    return twoImageGlyph([](QPainter &p) {
        const QPolygon tick{QPoint(1, 8), QPoint(3, 6), QPoint(6, 9), QPoint(12, 3), QPoint(14, 5), QPoint(6, 13)};
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(255, 0, 0));
        p.drawPolygon(tick);
    });
}

QIcon iconFromGlyph(const QPixmap &twoImages)
{
    const int w = twoImages.width() / 2;
    const QPixmap normal = twoImages.copy(0, 0, w, twoImages.height());
    const QPixmap disabled = twoImages.copy(w, 0, w, twoImages.height());
    QIcon icon;
    icon.addPixmap(normal, QIcon::Normal);
    icon.addPixmap(normal, QIcon::Active);
    icon.addPixmap(disabled, QIcon::Disabled);
    return icon;
}

} // namespace Pictures
