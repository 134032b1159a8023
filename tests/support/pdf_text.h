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

// The text of a PDF file through pdftotext in content-stream order, exactly as the PDF's text
// layer holds it: what a user gets when searching or copying.
inline QString PdfText(const QString &fileName)
{
    const QStringList arguments = {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                   QStringLiteral("UTF-8"), fileName, QStringLiteral("-")};
    return RunPdfTool(QStringLiteral("pdftotext"), arguments);
}

// The text without any blank or line break: PDF text layers break lines where the page does.
inline QString WithoutBlanks(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.remove(blanks);
}
