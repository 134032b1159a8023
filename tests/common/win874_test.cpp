#include "common/win874.h"

#include <gtest/gtest.h>

#include "qt_printers.h"

namespace {

TEST(Windows874, EncodesAndDecodesRepresentableText)
{
    struct Case
    {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral(u"สินค้า"), QByteArray("\xCA\xD4\xB9\xA4\xE9\xD2")},
        {QStringLiteral("INV1-000123;12.50"), QByteArray("INV1-000123;12.50")},
        {QStringLiteral(u"ราคา 100 บาท"), QByteArray("\xC3\xD2\xA4\xD2 100 \xBA\xD2\xB7")},
        {QStringLiteral(u"\u0E5B"), QByteArray("\xFB")}, // the last Thai character
        {QStringLiteral(u"\u20AC"), QByteArray("\x80")}, // euro sign
        {QString(), QByteArray()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        bool ok = false;
        EXPECT_EQ(EncodeWindows874(c.text, &ok), c.bytes);
        EXPECT_TRUE(ok);
        EXPECT_EQ(DecodeWindows874(c.bytes), c.text);
    }
}

TEST(Windows874, ReplacesWhatTheCodePageCannotHold)
{
    struct Case
    {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral(u"a\u00E9b"), QByteArray("a?b")},             // é
        {QStringLiteral(u"ก\u4E2Dข"), QByteArray("\xA1?\xA2")},       // a CJK character
        {QStringLiteral(u"x\U0001F600y"), QByteArray("x?y")},         // outside the BMP
        {QStringLiteral(u"\u00E9\u00E9"), QByteArray("??")},
        // Lone halves of a surrogate pair.
        {QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b"), QByteArray("a?b")},
        {QStringLiteral("a") + QChar(0xDC00), QByteArray("a?")},
        {QString(QChar(0xDC00)) + QChar(0xD800), QByteArray("??")}, // in the wrong order
        {QString(QChar(0xD83D)), QByteArray("?")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        bool ok = true;
        EXPECT_EQ(EncodeWindows874(c.text, &ok), c.bytes);
        EXPECT_FALSE(ok);
    }
}

TEST(Windows874, DecodesUndefinedBytesAsReplacementCharacters)
{
    EXPECT_EQ(DecodeWindows874(QByteArray("a\xDB" "b")), QStringLiteral(u"a\uFFFDb"));
    EXPECT_EQ(DecodeWindows874(QByteArray("\xFF")), QStringLiteral(u"\uFFFD"));
}

TEST(Windows874, RoundTripsEveryAsciiCharacter)
{
    QString ascii;
    for (char16_t c = 1; c < 0x80; ++c)
        ascii += QChar(c);
    bool ok = false;
    const QByteArray bytes = EncodeWindows874(ascii, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bytes, ascii.toLatin1());
    EXPECT_EQ(DecodeWindows874(bytes), ascii);
}

} // namespace
