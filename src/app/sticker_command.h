#pragma once

#include <QString>
#include <QStringList>

// pdf-stickers DATA_DIR PRODUCT_CODE OUT.pdf --sheet a4|a9|a10|register --symbology ean13|code128
// [--check-digit] [--lines] [--names] [--align left|centre|right] [--top MM] [--left MM]
// [--skip 1,2,...]: one sticker sheet of a product as a PDF file, through the sticker job and the
// sheet layouts the windows use. Returns the exit code.
int PdfStickersCommand(const QStringList &arguments);

QString PdfStickersUsage();
