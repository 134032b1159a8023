// Pango and Cairo come first: GLib's headers use names that Qt's keywords would redefine.
#include <cairo.h>
#include <pango/pangocairo.h>

#include "report/page_painter.h"

#include "report/barcode.h"
#include "report/fonts.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// Pango measures in points of 1/72 inch; the painter's user space is millimetres, 25.4 to the inch.
constexpr double kUserUnitsPerInch = 25.4;
// A pen of width 0 draws the finest line that still shows on paper.
constexpr double kHairlineMm = 0.1;
// A line of text up to this much too wide for its frame is drawn narrower to fill it: the
// substitute faces run a little wider than the faces the layouts were measured for, and a caption
// or an amount must not lose its last characters for it. Anything wider is cut at the frame.
constexpr double kMostCondensed = 0.85;

struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct FontDescriptionFree
{
    void operator()(PangoFontDescription *description) const
    {
        pango_font_description_free(description);
    }
};
struct AttrListUnref
{
    void operator()(PangoAttrList *list) const { pango_attr_list_unref(list); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, GObjectUnref>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionFree>;
using AttrListPtr = std::unique_ptr<PangoAttrList, AttrListUnref>;

// One context for every layout of every output: fixed resolution and no hinting, so metrics do
// not depend on the surface or the zoom.
PangoContext *CreateTextContext()
{
    PangoContext *context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    pango_cairo_context_set_resolution(context, kUserUnitsPerInch);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, FALSE);
    pango_context_set_language(context, pango_language_from_string("th"));
    return context;
}

// A single line shows line breaks and tabs as blanks.
QString SingleLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return line;
}

LayoutPtr CreateLayout(PangoContext *context, const QString &text, const FontRequest &request)
{
    LayoutPtr layout(pango_layout_new(context));
    const FontRequest font = ResolveFont(request);
    FontDescriptionPtr description(pango_font_description_new());
    const QByteArray family = font.family.toUtf8();
    pango_font_description_set_family(description.get(), family.constData());
    pango_font_description_set_size(description.get(), int(std::lround(font.pointSize * PANGO_SCALE)));
    pango_font_description_set_weight(description.get(),
                                      font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description.get(),
                                     font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), description.get());
    if (font.underline) {
        AttrListPtr attributes(pango_attr_list_new());
        pango_attr_list_insert(attributes.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout.get(), attributes.get());
    }
    const QByteArray utf8 = text.toUtf8();
    pango_layout_set_text(layout.get(), utf8.constData(), int(utf8.size()));
    return layout;
}

double FromPango(int units)
{
    return double(units) / PANGO_SCALE;
}

PangoAlignment PangoAlign(Align align)
{
    switch (align) {
    case Align::Center:
        return PANGO_ALIGN_CENTER;
    case Align::Right:
        return PANGO_ALIGN_RIGHT;
    case Align::Left:
        break;
    }
    return PANGO_ALIGN_LEFT;
}

void SetBlack(cairo_t *cr)
{
    cairo_set_source_rgb(cr, 0, 0, 0);
}

// Strokes the current path with a black pen of width millimetres.
void StrokeBlack(cairo_t *cr, double width)
{
    SetBlack(cr);
    cairo_set_line_width(cr, width > 0 ? width : kHairlineMm);
    cairo_stroke(cr);
}

} // namespace

struct PagePainter::Private
{
    Private() : context(CreateTextContext()) {}
    ~Private()
    {
        for (cairo_surface_t *surface : std::as_const(pictures))
            cairo_surface_destroy(surface);
        g_object_unref(context);
    }

    void paintItem(cairo_t *cr, const PageItem &item);
    // A line of text in its frame; with mustFit it is condensed however much it takes.
    void paintLineOfText(cairo_t *cr, const QString &text, const QRectF &frame,
                         const FontRequest &font, Align align, bool mustFit = false);
    void paintBarcode(cairo_t *cr, const PageItem &item);
    // The height of digits above the baseline in font, in millimetres.
    double digitHeight(const FontRequest &font);
    void paintWrappedText(cairo_t *cr, const PageItem &item);
    void paintLine(cairo_t *cr, const PageItem &item);
    void paintFrame(cairo_t *cr, const PageItem &item);
    void paintPicture(cairo_t *cr, const PageItem &item);
    cairo_surface_t *pictureSurface(const QImage &image);

    PangoContext *context;
    QHash<qint64, cairo_surface_t *> pictures; // by QImage::cacheKey()
    // Shaped lines of text by text and font: the captions, names and units that every page of a
    // document repeats are shaped once.
    QHash<QString, std::shared_ptr<PangoLayout>> lines;
    PangoLayout *lineLayout(const QString &text, const FontRequest &font);
};

void PagePainter::Private::paintItem(cairo_t *cr, const PageItem &item)
{
    switch (item.kind) {
    case ElementKind::Text:
    case ElementKind::Field:
    case ElementKind::PageNumber:
    case ElementKind::Date:
        if (item.text.isEmpty())
            return;
        if (item.wordWrap)
            paintWrappedText(cr, item);
        else
            paintLineOfText(cr, item.text, item.rect, item.font, item.align);
        break;
    case ElementKind::Barcode:
        paintBarcode(cr, item);
        break;
    case ElementKind::Line:
        paintLine(cr, item);
        break;
    case ElementKind::Rectangle:
        paintFrame(cr, item);
        break;
    case ElementKind::Picture:
        paintPicture(cr, item);
        break;
    }
}

PangoLayout *PagePainter::Private::lineLayout(const QString &text, const FontRequest &font)
{
    constexpr qsizetype kMostLines = 20000;
    const QString key = QStringLiteral("%1\x1f%2\x1f%3\x1f%4%5%6")
                            .arg(text, font.family)
                            .arg(font.pointSize)
                            .arg(font.bold)
                            .arg(font.italic)
                            .arg(font.underline);
    if (const auto found = lines.constFind(key); found != lines.constEnd())
        return found->get();
    if (lines.size() >= kMostLines)
        lines.clear();
    std::shared_ptr<PangoLayout> layout(CreateLayout(context, SingleLine(text), font).release(), GObjectUnref());
    lines.insert(key, layout);
    return layout.get();
}

void PagePainter::Private::paintLineOfText(cairo_t *cr, const QString &text, const QRectF &frame,
                                          const FontRequest &font, Align align, bool mustFit)
{
    PangoLayout *layout = lineLayout(text, font);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double width = FromPango(logical.width);
    double x = frame.left();
    double condensed = 1;
    if (width > frame.width()) {
        // Too wide: from the frame's left edge, condensed to fill it or else cut at its right edge.
        if (mustFit || frame.width() >= width * kMostCondensed)
            condensed = frame.width() / width;
    } else if (align == Align::Center) {
        x += (frame.width() - width) / 2;
    } else if (align == Align::Right) {
        x += frame.width() - width;
    }
    const double baseline = frame.top() + BaselineOffsetMm(font);
    const double y = baseline - FromPango(pango_layout_get_baseline(layout));
    const double lineHeight = std::max(FromPango(logical.height), LineHeightMm(font));

    cairo_save(cr);
    // Marks above and below the line may reach past the frame's height; only its sides cut.
    cairo_rectangle(cr, frame.left(), frame.top() - lineHeight, frame.width(),
                    frame.height() + 2 * lineHeight);
    cairo_clip(cr);
    SetBlack(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, condensed, 1);
    cairo_move_to(cr, -FromPango(logical.x), 0);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
}

void PagePainter::Private::paintWrappedText(cairo_t *cr, const PageItem &item)
{
    const LayoutPtr layout = CreateLayout(context, item.text, item.font);
    const QRectF &frame = item.rect;
    pango_layout_set_width(layout.get(), int(std::lround(frame.width() * PANGO_SCALE)));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout.get(), PangoAlign(item.align));

    const double top = frame.top() + BaselineOffsetMm(item.font) -
                       FromPango(pango_layout_get_baseline(layout.get()));
    cairo_save(cr);
    cairo_rectangle(cr, frame.left(), frame.top() - LineHeightMm(item.font), frame.width(),
                    frame.height() + LineHeightMm(item.font));
    cairo_clip(cr);
    SetBlack(cr);
    // Bands do not stretch: the lines that do not fit in the frame's height are left out, the
    // first line always shows.
    PangoLayoutIter *iter = pango_layout_get_iter(layout.get());
    bool first = true;
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        const double bottom = top + FromPango(logical.y + logical.height);
        if (!first && bottom > frame.bottom() + 0.01)
            break;
        first = false;
        PangoLayoutLine *line = pango_layout_iter_get_line_readonly(iter);
        cairo_move_to(cr, frame.left() + FromPango(logical.x),
                      top + FromPango(pango_layout_iter_get_baseline(iter)));
        pango_cairo_show_layout_line(cr, line);
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    cairo_restore(cr);
}

void PagePainter::Private::paintLine(cairo_t *cr, const PageItem &item)
{
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    if (item.dotted) {
        const double dot = std::max(item.penWidth, kHairlineMm) * 3;
        const double dashes[] = {dot, dot};
        cairo_set_dash(cr, dashes, 2, 0);
    }
    cairo_move_to(cr, item.rect.left(), item.rect.top());
    cairo_line_to(cr, item.rect.right(), item.rect.bottom());
    StrokeBlack(cr, item.penWidth);
    cairo_restore(cr);
}

void PagePainter::Private::paintFrame(cairo_t *cr, const PageItem &item)
{
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_rectangle(cr, item.rect.left(), item.rect.top(), item.rect.width(), item.rect.height());
    StrokeBlack(cr, item.penWidth);
    cairo_restore(cr);
}

double PagePainter::Private::digitHeight(const FontRequest &font)
{
    const LayoutPtr layout = CreateLayout(context, QStringLiteral("0123456789"), font);
    PangoRectangle ink;
    pango_layout_get_extents(layout.get(), &ink, nullptr);
    return FromPango(pango_layout_get_baseline(layout.get()) - ink.y);
}

// The symbol fills the box's width with its quiet zones; the human-readable text stands on the
// box's foot and the bars fill the height above it, leaving barcodeClearTop free at the top. All
// black on white.
void PagePainter::Private::paintBarcode(cairo_t *cr, const PageItem &item)
{
    QString error;
    const std::optional<BarcodeSymbol> symbol = EncodeBarcode(item.symbology, item.text, &error);
    const QRectF &box = item.rect;
    if (!symbol || symbol->width <= 0 || symbol->barHeight <= 0 || box.isEmpty())
        return;
    constexpr double kTextGapMm = 0.3;
    constexpr double kFootMm = 0.2;
    const double baseline = box.bottom() - kFootMm;
    const double textTop = baseline - BaselineOffsetMm(item.font);
    const double barsTop = box.top() + std::max(0.0, item.barcodeClearTop);
    const double barsBottom = baseline - digitHeight(item.font) - kTextGapMm;
    if (barsBottom <= barsTop)
        return;
    const double sx = box.width() / symbol->width;
    const double sy = (barsBottom - barsTop) / symbol->barHeight;

    cairo_save(cr);
    cairo_rectangle(cr, box.left(), barsTop, box.width(), box.bottom() - barsTop);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    SetBlack(cr);
    for (const QRectF &bar : symbol->bars)
        cairo_rectangle(cr, box.left() + bar.x() * sx, barsTop + bar.y() * sy, bar.width() * sx,
                        bar.height() * sy);
    cairo_fill(cr);
    cairo_restore(cr);

    // Guard bars reach down between the pieces of the text; each piece keeps to its gap.
    QList<QPair<double, double>> guards;
    for (const QRectF &bar : symbol->bars) {
        if (bar.height() > symbol->barHeight * 1.01)
            guards.append({box.left() + bar.left() * sx, box.left() + bar.right() * sx});
    }
    constexpr double kGuardGapMm = 0.2;
    for (const BarcodeSymbol::Text &text : symbol->texts) {
        const double width = text.width * sx;
        const double anchor = box.left() + text.x * sx;
        double left = text.anchor == 1 ? anchor : text.anchor == 2 ? anchor - width : anchor - width / 2;
        double right = left + width;
        const double middle = text.anchor == 1 ? left + 0.01 : text.anchor == 2 ? right - 0.01 : anchor;
        for (const auto &[guardLeft, guardRight] : guards) {
            if (guardRight <= middle)
                left = std::max(left, guardRight + kGuardGapMm);
            else if (guardLeft >= middle)
                right = std::min(right, guardLeft - kGuardGapMm);
        }
        // The encoder lets EAN-13's first digit reach into the margin; here it stays in the box.
        left = std::max(left, box.left());
        right = std::min(right, box.right());
        if (right <= left)
            continue;
        const Align align = text.anchor == 1 ? Align::Left : text.anchor == 2 ? Align::Right : Align::Center;
        paintLineOfText(cr, text.text, QRectF(left, textTop, right - left, LineHeightMm(item.font)),
                        item.font, align, true);
    }
}

cairo_surface_t *PagePainter::Private::pictureSurface(const QImage &image)
{
    if (cairo_surface_t *cached = pictures.value(image.cacheKey()))
        return cached;
    // Qt's premultiplied ARGB32 and Cairo's ARGB32 are the same native-endian words.
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cairo_surface_t *surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, source.width(), source.height());
    cairo_surface_flush(surface);
    unsigned char *data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const size_t rowBytes = size_t(source.width()) * 4;
    for (int y = 0; data && y < source.height(); ++y)
        std::memcpy(data + size_t(y) * stride, source.constScanLine(y), rowBytes);
    cairo_surface_mark_dirty(surface);
    pictures.insert(image.cacheKey(), surface);
    return surface;
}

void PagePainter::Private::paintPicture(cairo_t *cr, const PageItem &item)
{
    if (item.picture.isNull() || item.rect.isEmpty())
        return;
    cairo_surface_t *surface = pictureSurface(item.picture);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, item.rect.left(), item.rect.top(), item.rect.width(), item.rect.height());
    cairo_clip(cr);
    cairo_translate(cr, item.rect.left(), item.rect.top());
    cairo_scale(cr, item.rect.width() / item.picture.width(),
                item.rect.height() / item.picture.height());
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

PagePainter::PagePainter() : d(std::make_unique<Private>()) {}

PagePainter::~PagePainter() = default;

void PagePainter::paint(cairo_t *cr, const Page &page)
{
    pango_cairo_update_context(cr, d->context);
    for (const PageItem &item : page.items)
        d->paintItem(cr, item);
}

QImage RenderPageImage(const Page &page, QSizeF paperMm, double pixelsPerMm)
{
    const int width = std::max(1, int(std::ceil(paperMm.width() * pixelsPerMm)));
    const int height = std::max(1, int(std::ceil(paperMm.height() * pixelsPerMm)));
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    cairo_surface_t *surface = cairo_image_surface_create_for_data(
        image.bits(), CAIRO_FORMAT_ARGB32, width, height, int(image.bytesPerLine()));
    cairo_t *cr = cairo_create(surface);
    cairo_scale(cr, pixelsPerMm, pixelsPerMm);
    PagePainter().paint(cr, page);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    return image;
}

double TextWidthMm(const QString &text, const FontRequest &font)
{
    PangoContext *context = CreateTextContext();
    double width = 0;
    {
        const LayoutPtr layout = CreateLayout(context, SingleLine(text), font);
        PangoRectangle logical;
        pango_layout_get_extents(layout.get(), nullptr, &logical);
        width = FromPango(logical.width);
    }
    g_object_unref(context);
    return width;
}
