#pragma once

#include "report/page_model.h"

#include <QImage>
#include <QSizeF>

#include <memory>

typedef struct _cairo cairo_t;

// Draws pages of the page model with Cairo, texts shaped by Pango (HarfBuzz shaping, libthai word
// breaks). Every output goes through it: PDF files, the printer (that PDF) and the preview (the
// same drawing on an image), so what the user previews is what prints.
//
// Texts are laid out without hinting and without rounding glyph positions, so a line of text has
// the same width and breaks at the same places on a PDF page and on a preview image of any zoom.
// A text never draws outside the width of its frame: a line a little too long is drawn narrower
// to fill it, a line much too long is cut at the frame's edge, and wrapped text shows the lines
// that fit in its frame. On a PDF surface the text of every
// cluster is written with its glyphs, so the PDF's text is exactly the text of the page model.
class PagePainter
{
public:
    PagePainter();
    ~PagePainter();
    PagePainter(const PagePainter &) = delete;
    PagePainter &operator=(const PagePainter &) = delete;

    // Draws page on cr, whose user space must be millimetres of the sheet with the origin at its
    // top-left corner. Pictures are kept for the painter's lifetime, so a picture on every page of
    // a PDF file is embedded once.
    void paint(cairo_t *cr, const Page &page);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The page drawn on a white image of the sheet's size at pixelsPerMm.
QImage RenderPageImage(const Page &page, QSizeF paperMm, double pixelsPerMm);

// The advance width of text on one line in font, in millimetres, as the painter lays it out.
double TextWidthMm(const QString &text, const FontRequest &font);
