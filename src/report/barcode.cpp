#include "report/barcode.h"

#include <zint.h>

#include <memory>

namespace {

struct SymbolDelete
{
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDelete>;

bool AllDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

bool PrintableAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return !text.isEmpty();
}

// What libzint encodes: EAN-13 takes the 12 digits and adds the check digit itself.
QByteArray EncoderInput(Symbology symbology, const QString &value)
{
    if (symbology == Symbology::Ean13)
        return value.left(12).toLatin1();
    return value.toLatin1();
}

SymbolPtr Encode(Symbology symbology, const QString &value, QString *error)
{
    SymbolPtr symbol(ZBarcode_Create());
    if (!symbol) {
        *error = QStringLiteral("สร้างบาร์โค้ดไม่ได้");
        return nullptr;
    }
    symbol->symbology = symbology == Symbology::Ean13 ? BARCODE_EANX : BARCODE_CODE128;
    // EAN-13 keeps the room for its first digit on the left; Code 128 needs its quiet zones added.
    symbol->output_options = symbology == Symbology::Code128 ? BARCODE_QUIET_ZONES : 0;
    const QByteArray input = EncoderInput(symbology, value);
    const int status = ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(input.constData()),
                                       int(input.size()));
    if (status >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
        *error = QStringLiteral("พิมพ์บาร์โค้ด \"%1\" ไม่ได้ (%2)")
                     .arg(value, QString::fromLatin1(symbol->errtxt));
        return nullptr;
    }
    return symbol;
}

} // namespace

QString Ean13WithCheckDigit(const QString &value)
{
    const QString first12 = value.left(12);
    if (first12.size() < 12 || !AllDigits(first12))
        return value;
    QString error;
    const SymbolPtr symbol = Encode(Symbology::Ean13, first12, &error);
    return symbol ? QString::fromLatin1(reinterpret_cast<const char *>(symbol->text)) : value;
}

QString EncodedBarcodeValue(Symbology symbology, const QString &value)
{
    return symbology == Symbology::Ean13 ? Ean13WithCheckDigit(value) : value;
}

QString BarcodeValueProblem(Symbology symbology, const QString &value)
{
    if (symbology == Symbology::Ean13) {
        if ((value.size() != 12 && value.size() != 13) || !AllDigits(value))
            return QStringLiteral("รหัส EAN 13 ต้องเป็นตัวเลข 13 หลักเท่านั้น");
        return {};
    }
    if (!PrintableAscii(value))
        return QStringLiteral("รหัส Code 128 ใช้ได้เฉพาะตัวอักษรภาษาอังกฤษ ตัวเลข และเครื่องหมายเท่านั้น");
    return {};
}

std::optional<BarcodeSymbol> EncodeBarcode(Symbology symbology, const QString &value, QString *error)
{
    const QString problem = BarcodeValueProblem(symbology, value);
    if (!problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    const SymbolPtr symbol = Encode(symbology, value, error);
    if (!symbol)
        return std::nullopt;
    BarcodeSymbol result;
    result.value = QString::fromLatin1(reinterpret_cast<const char *>(symbol->text));
    result.width = symbol->vector->width;
    // The body's bars are the most common height; guard bars are taller.
    double shortest = 0;
    for (const zint_vector_rect *r = symbol->vector->rectangles; r; r = r->next) {
        result.bars.append(QRectF(r->x, r->y, r->width, r->height));
        shortest = shortest == 0 ? r->height : std::min<double>(shortest, r->height);
    }
    result.barHeight = shortest;
    for (const zint_vector_string *s = symbol->vector->strings; s; s = s->next) {
        BarcodeSymbol::Text text;
        text.text = QString::fromUtf8(reinterpret_cast<const char *>(s->text), s->length);
        text.x = s->x;
        text.width = s->width;
        text.anchor = s->halign;
        result.texts.append(text);
    }
    return result;
}
