#include "printing/document_layout.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "printing/detail_column_layout.h"
#include "printing/long_note_layouts.h"
#include "printing/priced_note_layout.h"
#include "printing/short_note_layout.h"
#include "report/report_layout.h"

bool DocumentLayout::prepare(QString *error)
{
    const SharedState &shared = Shared();
    {
        std::unique_ptr<Connection> connection = OpenDataConnection(error);
        if (!connection)
            return false;
        const int kind = shared.PrintDocKind;
        if (!LoadDocumentPrintData(connection->database(), shared.PrintDocNo, kind,
                                   tableKind(kind), shared.DataFolder, &m_data, error))
            return false;
    } // the connection closes here: the pages need nothing more from the file
    m_document = std::make_shared<const ReportDocument>(LayoutReport(buildReport(m_data)));
    return true;
}

void DocumentLayout::finishReport(Report &report, const DocumentPrintData &data)
{
    report.title = data.docNo;
    report.pageHeader.fixedRow = data.header;
    report.data = std::make_shared<RowList>(data.lines);
    report.setStationeryPrinted(data.stationeryPrinted());
}

QStringList DocumentLayoutNames()
{
    return {QStringLiteral("TPrnDO8"), QStringLiteral("TPrnORD3"), QStringLiteral("TPrnDO9s"),
            QStringLiteral("TPrnDO2"), QStringLiteral("TPrnDO1")};
}

std::unique_ptr<DocumentLayout> CreateDocumentLayout(const QString &className)
{
    if (className == u"TPrnDO8")
        return std::make_unique<TPrnDO8>();
    if (className == u"TPrnORD3")
        return std::make_unique<TPrnORD3>();
    if (className == u"TPrnDO9s")
        return std::make_unique<TPrnDO9s>();
    if (className == u"TPrnDO2")
        return std::make_unique<TPrnDO2>();
    if (className == u"TPrnDO1")
        return std::make_unique<TPrnDO1>();
    return nullptr;
}

QString ChooseDocumentLayout(int printDocKind, const QString &line5)
{
    if (printDocKind == kPurchaseOrder)
        return QStringLiteral("TPrnORD3");
    if (printDocKind != kGoodsOut && printDocKind != kGoodsIn)
        return {};
    if (line5 == u"0")
        return QStringLiteral("TPrnDO9s");
    if (line5 == u"1" || line5 == u"3" || line5 == u"6")
        return QStringLiteral("TPrnDO8");
    if (line5 == u"2" || line5 == u"4")
        return QStringLiteral("TPrnDO2");
    if (line5 == u"5")
        return QStringLiteral("TPrnDO1");
    return {};
}
