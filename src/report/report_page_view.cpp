#include "report/report_page_view.h"

#include "report/report_painter.h"

#include <QPainter>
#include <QtMath>

ReportPageView::ReportPageView(std::shared_ptr<const ReportDocument> document, QWidget *parent)
    : QWidget(parent), m_document(std::move(document))
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

void ReportPageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const double scale = pixelsPerMm();
    const QRectF sheet(QPointF(kBorder, kBorder), m_document->page.paperSize() * scale);
    painter.fillRect(sheet.translated(3, 3), Qt::gray);
    painter.fillRect(sheet, Qt::white);
    if (m_pageIndex >= 0 && m_pageIndex < m_document->pages.size())
        PaintPage(painter, m_document->pages.at(m_pageIndex), scale, sheet.topLeft());
}
