#include "report/report_painter.h"

#include "report/fonts.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

class PagePainter
{
public:
    PagePainter(QPainter &painter, double devicePerMm, QPointF origin)
        : m_painter(painter), m_scale(devicePerMm), m_origin(origin)
    {
    }

    void paint(const PageItem &item)
    {
        switch (item.kind) {
        case ElementKind::Text:
        case ElementKind::Field:
        case ElementKind::PageNumber:
        case ElementKind::Date:
            paintText(item);
            break;
        case ElementKind::Line:
            paintLine(item);
            break;
        case ElementKind::Rectangle:
            paintFrame(item);
            break;
        case ElementKind::Picture:
            paintPicture(item);
            break;
        }
    }

private:
    QPointF toDevice(QPointF mm) const { return m_origin + mm * m_scale; }
    QRectF toDevice(const QRectF &mm) const
    {
        return QRectF(toDevice(mm.topLeft()), mm.size() * m_scale);
    }

    // The painter sizes fonts in points at the device's logical resolution; the size is set so
    // that the font's height in millimetres on the sheet matches its point size whatever the
    // device and the zoom.
    QFont deviceFont(const FontRequest &request) const
    {
        QFont font = ResolveFont(request);
        const int dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 72;
        font.setPointSizeF(font.pointSizeF() * 25.4 * m_scale / std::max(1, dpi));
        return font;
    }

    QPen pen(double widthMm) const
    {
        QPen pen(Qt::black);
        pen.setWidthF(std::max(0.0, widthMm * m_scale));
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    void paintText(const PageItem &item)
    {
        if (item.text.isEmpty())
            return;
        int flags = Qt::AlignTop;
        switch (item.align) {
        case Align::Left:
            flags |= Qt::AlignLeft;
            break;
        case Align::Center:
            flags |= Qt::AlignHCenter;
            break;
        case Align::Right:
            flags |= Qt::AlignRight;
            break;
        }
        const QRectF rect = toDevice(item.rect);
        m_painter.save();
        m_painter.setFont(deviceFont(item.font));
        m_painter.setPen(Qt::black);
        if (item.wordWrap) {
            // Bands do not stretch: wrapped text stops at the foot of its frame.
            m_painter.setClipRect(rect);
            m_painter.drawText(rect, flags | Qt::TextWordWrap, item.text);
        } else {
            m_painter.drawText(rect, flags | Qt::TextSingleLine | Qt::TextDontClip, item.text);
        }
        m_painter.restore();
    }

    void paintLine(const PageItem &item)
    {
        m_painter.save();
        m_painter.setPen(pen(item.penWidth));
        m_painter.drawLine(toDevice(item.rect.topLeft()), toDevice(item.rect.bottomRight()));
        m_painter.restore();
    }

    void paintFrame(const PageItem &item)
    {
        m_painter.save();
        m_painter.setPen(pen(item.penWidth));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(toDevice(item.rect));
        m_painter.restore();
    }

    void paintPicture(const PageItem &item)
    {
        if (item.picture.isNull())
            return;
        m_painter.drawImage(toDevice(item.rect), item.picture);
    }

    QPainter &m_painter;
    double m_scale;
    QPointF m_origin;
};

} // namespace

void PaintPage(QPainter &painter, const Page &page, double devicePerMm, QPointF origin)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    PagePainter pagePainter(painter, devicePerMm, origin);
    for (const PageItem &item : page.items)
        pagePainter.paint(item);
    painter.restore();
}

double DevicePerMm(const QPaintDevice &device)
{
    return device.logicalDpiX() / 25.4;
}
