#include "db/default_pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

namespace {

QImage canvas(int width, int height, const QColor &top, const QColor &bottom)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(image.rect(), gradient);
    return image;
}

// A stylised box on a shelf: the program's mark.
void drawCrate(QPainter &painter, const QRectF &box, const QColor &colour)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(160), box.width() / 40));
    painter.setBrush(colour);
    painter.drawRoundedRect(box, box.width() / 12, box.width() / 12);
    painter.drawLine(QPointF(box.left(), box.top() + box.height() / 3), QPointF(box.right(), box.top() + box.height() / 3));
    painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.top() + box.height() / 3));
}

} // namespace

QImage DefaultLogo()
{
    QImage image = canvas(160, 160, QColor(0x20, 0x40, 0x40), QColor(0x10, 0x60, 0x60));
    QPainter painter(&image);
    drawCrate(painter, QRectF(30, 45, 100, 80), QColor(0xf0, 0xc0, 0x40));
    painter.setPen(QPen(QColor(0xe0, 0xf0, 0xf0), 6));
    painter.drawLine(20, 135, 140, 135);
    return image;
}

QImage DefaultWindowPicture()
{
    QImage image = canvas(320, 200, QColor(0x30, 0x70, 0x70), QColor(0x10, 0x30, 0x30));
    QPainter painter(&image);
    for (int row = 0; row < 2; ++row) {
        painter.setPen(QPen(QColor(0xc0, 0xd0, 0xd0), 4));
        painter.drawLine(20, 95 + row * 80, 300, 95 + row * 80);
        for (int i = 0; i < 4; ++i)
            drawCrate(painter, QRectF(35 + i * 68, 45 + row * 80, 50, 48),
                      QColor::fromHsv((30 + 40 * (i + row * 4)) % 360, 140, 230));
    }
    return image;
}

QImage ProductPicture(int seed)
{
    const QColor colour = QColor::fromHsv((seed * 67) % 360, 120, 235);
    QImage image = canvas(240, 240, QColor(0xf4, 0xf4, 0xf4), QColor(0xd8, 0xd8, 0xd8));
    QPainter painter(&image);
    drawCrate(painter, QRectF(50, 60, 140, 120), colour);
    return image;
}

bool PictureFileIsWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    if (QImageReader(&buffer).read().isNull())
        return false;
    if (bytes.startsWith("BM") && bytes.size() >= 6)
        return bytes.size() >= qFromLittleEndian<quint32>(bytes.constData() + 2);
    if (bytes.startsWith("\xFF\xD8"))
        return bytes.endsWith("\xFF\xD9");
    return true;
}

QByteArray EncodePicture(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}
