#pragma once

#include "printing/print_data.h"
#include "report/page_model.h"
#include "report/report_model.h"

#include <QString>
#include <QStringList>

#include <memory>

// A printed page layout of a stored document. A layout serves one print request: prepare() reads
// the print hand-off values of the shared state (PrintDocNo, PrintDocKind, the data folder and
// connection settings), loads the document through a connection of its own, closes that
// connection again and lays the pages out. The laid-out document then lives on in the preview or
// is printed; nothing of the layout holds the data file afterwards.
class DocumentLayout
{
public:
    virtual ~DocumentLayout() = default;

    virtual QString className() const = 0;

    // False with the error text when the data file cannot be opened, a statement fails or the
    // logo cannot be read; the connection is closed in every case.
    bool prepare(QString *error);

    const DocumentPrintData &data() const { return m_data; }
    std::shared_ptr<const ReportDocument> document() const { return m_document; }

    // The report for loaded data: page, bands, elements and hooks.
    virtual Report buildReport(const DocumentPrintData &data) const = 0;

protected:
    // The kind whose tables the layout reads for a document of the kind handed over.
    virtual int tableKind(int printDocKind) const { return printDocKind; }

    // What every layout does once its bands are declared: the title of the preview window, the
    // header band bound to the header row, the line rows as data and the pre-printed form rule.
    static void finishReport(Report &report, const DocumentPrintData &data);

private:
    DocumentPrintData m_data;
    std::shared_ptr<const ReportDocument> m_document;
};

// The five layouts, by class name.
QStringList DocumentLayoutNames();
// nullptr for a name that is not one of DocumentLayoutNames().
std::unique_ptr<DocumentLayout> CreateDocumentLayout(const QString &className);

// The layout the print button uses: purchase orders (kind 5) always TPrnORD3; goods out and goods
// in (1, 3) by LINE5: "0" TPrnDO9s, "1"/"3"/"6" TPrnDO8, "2"/"4" TPrnDO2, "5" TPrnDO1. The empty
// text when nothing is to be printed.
QString ChooseDocumentLayout(int printDocKind, const QString &line5);
