#include "stickers/barcode_preview.h"

#include "report/page_painter.h"

namespace {

constexpr double kWidthMm = 38;
constexpr double kHeightMm = 17;

} // namespace

BarcodePreview::BarcodePreview(Symbology symbology, QWidget *parent)
    : QLabel(parent), m_symbology(symbology)
{
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("background: white"));
    const double pixelsPerMm = logicalDpiX() / 25.4;
    setFixedSize(int(kWidthMm * pixelsPerMm) + 4, int(kHeightMm * pixelsPerMm) + 4);
}

void BarcodePreview::setValue(const QString &value)
{
    m_value = EncodedBarcodeValue(m_symbology, value);
    if (!BarcodeValueProblem(m_symbology, value).isEmpty()) {
        clear();
        return;
    }
    PageItem item;
    item.kind = ElementKind::Barcode;
    item.symbology = m_symbology;
    item.text = m_value;
    item.rect = QRectF(1, 1, kWidthMm - 2, kHeightMm - 2);
    item.font = Font(QStringLiteral("Sans"), 10);
    Page page;
    page.items = {item};
    const double ratio = devicePixelRatioF();
    QImage image = RenderPageImage(page, QSizeF(kWidthMm, kHeightMm), logicalDpiX() / 25.4 * ratio);
    image.setDevicePixelRatio(ratio);
    setPixmap(QPixmap::fromImage(image));
}
