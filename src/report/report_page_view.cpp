#include "report/report_page_view.h"

#include "report/page_painter.h"

#include <QPainter>
#include <QtMath>

namespace {

// About 200 MB of page images: a hundred Letter pages at a reading zoom.
constexpr int kImageCacheKilobytes = 200 * 1024;

} // namespace

ReportPageView::ReportPageView(std::shared_ptr<const ReportDocument> document, QWidget *parent)
    : QWidget(parent), m_document(std::move(document)), m_images(kImageCacheKilobytes)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void ReportPageView::setPageIndex(int index)
{
    m_pageIndex = index;
    update();
}

void ReportPageView::setZoom(double zoom)
{
    m_zoom = zoom;
    resize(sizeHint());
    update();
}

double ReportPageView::pixelsPerMm() const
{
    return m_zoom * logicalDpiX() / 25.4;
}

double ReportPageView::zoomForWidth(int width) const
{
    const double sheet = m_document->page.paperWidth() * logicalDpiX() / 25.4;
    return sheet > 0 ? (width - 2.0 * kBorder) / sheet : 1.0;
}

QSize ReportPageView::sizeHint() const
{
    const QSizeF sheet = m_document->page.paperSize() * pixelsPerMm();
    return QSize(qCeil(sheet.width()) + 2 * kBorder, qCeil(sheet.height()) + 2 * kBorder);
}

QImage ReportPageView::pageImage()
{
    if (m_pageIndex < 0 || m_pageIndex >= m_document->pages.size())
        return {};
    const double ratio = devicePixelRatioF();
    const double devicePerMm = pixelsPerMm() * ratio;
    // Keyed by hundredths of a pixel per millimetre: the zoom steps never come that close.
    const QPair<int, int> key(m_pageIndex, qRound(devicePerMm * 100));
    if (const QImage *cached = m_images.object(key))
        return *cached;
    auto *image = new QImage(
        RenderPageImage(m_document->pages.at(m_pageIndex), m_document->page.paperSize(), devicePerMm));
    image->setDevicePixelRatio(ratio);
    const QImage shown = *image;
    m_images.insert(key, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
    return shown;
}

void ReportPageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QRectF sheet(QPointF(kBorder, kBorder), m_document->page.paperSize() * pixelsPerMm());
    painter.fillRect(sheet.translated(3, 3), Qt::gray);
    painter.fillRect(sheet, Qt::white);
    const QImage image = pageImage();
    if (!image.isNull())
        painter.drawImage(sheet.topLeft(), image);
}
