#pragma once

#include "report/page_model.h"

#include <QCache>
#include <QImage>
#include <QWidget>

#include <memory>

// One page of a laid-out report drawn as a sheet of paper at a zoom factor (1 = actual size on the
// screen). Sizes itself to the sheet so that a scroll area around it scrolls the page. Pages are
// drawn by the report painter into images that are kept, so paging back and forth and returning to
// a zoom do not draw them again.
class ReportPageView : public QWidget
{
    Q_OBJECT
public:
    explicit ReportPageView(std::shared_ptr<const ReportDocument> document,
                            QWidget *parent = nullptr);

    void setPageIndex(int index);
    int pageIndex() const { return m_pageIndex; }
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // Screen pixels per millimetre of the sheet at the current zoom.
    double pixelsPerMm() const;
    // The zoom at which the sheet's width takes width pixels.
    double zoomForWidth(int width) const;
    // The image of the current page as it is shown, in device pixels.
    QImage pageImage();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int kBorder = 12; // grey space around the sheet, in pixels

    std::shared_ptr<const ReportDocument> m_document;
    int m_pageIndex = 0;
    double m_zoom = 1.0;
    // Page images by page index and device pixels per millimetre; the cost is in kilobytes.
    QCache<QPair<int, int>, QImage> m_images;
};
