#include "printing/print_request.h"

#include "common/shared_state.h"
#include "printing/document_layout.h"
#include "report/report_output.h"
#include "ui/dialogs.h"

#include <QDir>

namespace {

// Without a printer the document can still be kept as a PDF file.
PrintOutcome OfferPdf(const ReportDocument &document, const PreviewOutput &output)
{
    if (!Dialogs().askYesNo(nullptr, NoPrinterMessage() +
                                         QStringLiteral("\nต้องการบันทึกเป็นไฟล์ PDF แทนหรือไม่")))
        return PrintOutcome::NotPrinted;
    const QString suggested = QDir::home().filePath(document.title + QStringLiteral(".pdf"));
    QString fileName = output.askPdfFileName(nullptr, suggested);
    if (fileName.isEmpty())
        return PrintOutcome::NotPrinted;
    if (!fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    QString error;
    if (!WriteReportPdf(document, fileName, &error)) {
        Dialogs().error(nullptr, error);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::NotPrinted;
}

} // namespace

PrintOutcome PrintDocumentRequest(const QString &line5, const QString &view1,
                                  const PreviewOutput &output)
{
    const SharedState &shared = Shared();
    const bool purchaseOrder = shared.PrintDocKind == 5;
    const bool preview = purchaseOrder || view1 == u"0";
    if (!preview && view1 != u"1")
        return PrintOutcome::Nothing;
    const std::unique_ptr<DocumentLayout> layout =
        CreateDocumentLayout(ChooseDocumentLayout(shared.PrintDocKind, line5));
    if (!layout)
        return PrintOutcome::Nothing;

    QString error;
    if (!layout->prepare(&error)) {
        Dialogs().error(nullptr, QStringLiteral("พิมพ์เอกสารเลขที่ %1 ไม่ได้\n%2")
                                     .arg(shared.PrintDocNo, error));
        return PrintOutcome::Failed;
    }
    if (preview) {
        ReportPreview *window = ShowReportPreview(layout->document());
        window->setOutput(output);
        return PrintOutcome::Previewed;
    }
    if (!output.hasPrinter())
        return OfferPdf(*layout->document(), output);
    if (!output.print(*layout->document(), &error)) {
        Dialogs().error(nullptr, error);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}
