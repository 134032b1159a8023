#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Helpers for end-to-end checks of PDF files with the poppler tools (pdftotext, pdfinfo).

// The standard output of a tool, or a text saying that it failed.
inline QString RunPdfTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF keeps the glyphs the shaper chose: a tone mark moved down or left, or a consonant
// without its descender, comes back as the legacy Thai presentation form of the private use area,
// and SARA AM as NIKHAHIT + (tone mark) + SARA AA. This puts the text back into the form it was
// typed in, so a test can look for the words. Marks above and below one consonant come back in
// canonical order, as they are typed.
inline QString TypedThai(QString text)
{
    static const struct
    {
        char16_t base;
        char16_t forms[3];
    } kForms[] = {
        {0x0E48, {0xF70A, 0xF705, 0xF713}}, {0x0E49, {0xF70B, 0xF706, 0xF714}},
        {0x0E4A, {0xF70C, 0xF707, 0xF715}}, {0x0E4B, {0xF70D, 0xF708, 0xF716}},
        {0x0E4C, {0xF70E, 0xF709, 0xF717}}, {0x0E38, {0xF718, 0, 0}},
        {0x0E39, {0xF719, 0, 0}},           {0x0E3A, {0xF71A, 0, 0}},
        {0x0E31, {0xF710, 0, 0}},           {0x0E34, {0xF701, 0, 0}},
        {0x0E35, {0xF702, 0, 0}},           {0x0E36, {0xF703, 0, 0}},
        {0x0E37, {0xF704, 0, 0}},           {0x0E47, {0xF712, 0, 0}},
        {0x0E4D, {0xF711, 0, 0}},           {0x0E0D, {0xF70F, 0, 0}},
        {0x0E10, {0xF700, 0, 0}},
    };
    for (QChar &c : text) {
        for (const auto &form : kForms) {
            for (const char16_t f : form.forms) {
                if (f != 0 && c.unicode() == f)
                    c = QChar(form.base);
            }
        }
    }
    static const QRegularExpression saraAm(
        QStringLiteral("\\x{0E4D}([\\x{0E48}-\\x{0E4B}]?)\\x{0E32}"));
    text.replace(saraAm, QStringLiteral("\\1\u0E33"));
    return text.normalized(QString::NormalizationForm_C);
}

// The text of a PDF file as typed, through pdftotext in content-stream order (a tone mark then
// stays with its consonant instead of being sorted by its position on the line).
inline QString PdfText(const QString &fileName)
{
    const QStringList arguments = {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                   QStringLiteral("UTF-8"), fileName, QStringLiteral("-")};
    return TypedThai(RunPdfTool(QStringLiteral("pdftotext"), arguments));
}
