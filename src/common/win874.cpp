#include "common/win874.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

// Owns an iconv descriptor for one conversion.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input. At a sequence the target cannot take, `skip(at, left)` tells how many
    // input bytes to pass over and `replacement` is written instead. Returns false when anything
    // was replaced.
    template <typename Skip>
    bool convert(const QByteArray &input, const QByteArray &replacement, Skip skip, QByteArray &out)
    {
        out.clear();
        bool clean = true;
        QByteArray in = input; // iconv wants a non-const input pointer
        char *inPtr = in.data();
        size_t inLeft = size_t(in.size());
        QByteArray buffer(qsizetype(inLeft * 4 + 16), Qt::Uninitialized);
        while (inLeft > 0) {
            char *outPtr = buffer.data();
            size_t outLeft = size_t(buffer.size());
            const size_t result = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer.constData(), buffer.size() - qsizetype(outLeft));
            if (result != size_t(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ, or EINVAL for a truncated sequence at the end: replace and go on.
            const size_t n = std::min(inLeft, skip(inPtr, inLeft));
            inPtr += n;
            inLeft -= n;
            out.append(replacement);
            clean = false;
        }
        return clean;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence starting at p (at least 1).
size_t Utf8SequenceLength(const char *p, size_t left)
{
    const auto lead = static_cast<unsigned char>(*p);
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(n, left);
}

// text with every surrogate that is not half of a pair replaced by '?'. Qt's UTF-8 encoder would
// otherwise turn it into a character of its own choosing that the code page may well hold, and
// the text would pass for encoded. Returns false when anything was replaced.
bool ReplaceLoneSurrogates(QString &text)
{
    bool clean = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            text[i] = u'?';
            clean = false;
        }
    }
    return clean;
}

} // namespace

// The converter is part of the C library; should it be missing, only ASCII passes through.
QByteArray EncodeWindows874(const QString &text, bool *ok)
{
    QByteArray out;
    bool clean = true;
    Converter converter("CP874", "UTF-8");
    if (converter.valid()) {
        QString whole = text;
        clean = ReplaceLoneSurrogates(whole);
        clean = converter.convert(whole.toUtf8(), QByteArrayLiteral("?"), Utf8SequenceLength, out) && clean;
    } else {
        for (QChar c : text) {
            clean = clean && c.unicode() < 0x80;
            out += c.unicode() < 0x80 ? char(c.unicode()) : '?';
        }
    }
    if (ok)
        *ok = clean;
    return out;
}

QString DecodeWindows874(const QByteArray &bytes)
{
    Converter converter("UTF-8", "CP874");
    if (!converter.valid()) {
        QString text;
        for (char b : bytes)
            text += static_cast<unsigned char>(b) < 0x80 ? QChar(b) : QChar(QChar::ReplacementCharacter);
        return text;
    }
    QByteArray utf8;
    converter.convert(bytes, QByteArrayLiteral("\xEF\xBF\xBD"),
                      [](const char *, size_t) -> size_t { return 1; }, utf8);
    return QString::fromUtf8(utf8);
}
