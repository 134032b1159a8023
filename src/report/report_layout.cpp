#include "report/report_layout.h"

#include "common/dates.h"
#include "report/field_text.h"

namespace {

constexpr double kEpsilon = 1e-6;

class Paginator
{
public:
    explicit Paginator(const Report &report);
    ReportDocument run();

private:
    Band prepare(const Band &declared, const ReportRow &row) const;
    void flow(const Band &declared, BandKind kind, const ReportRow &row);
    void place(const Band &band, BandKind kind, double top);
    void startPage(const ReportRow &row);
    void finishPage();
    void flowRows();
    QVariant groupKey(const Group &group, const ReportRow &row) const;

    const Report &m_report;
    ReportDocument m_document;
    QString m_dateText;
    double m_bodyBottom = 0; // where the page footer's reserved space begins
    double m_y = 0;
    bool m_pageHasBody = false;
    ReportRow m_lastRow; // the last detail row placed, handed to the page footer
};

Paginator::Paginator(const Report &report)
    : m_report(report)
{
    m_document.title = report.title;
    m_document.page = report.page;
    m_dateText = DateToText(report.printDate.isValid() ? report.printDate : QDate::currentDate());
    m_bodyBottom = report.page.printableRect().bottom() - std::max(0.0, report.pageFooter.height);
}

ReportDocument Paginator::run()
{
    const int rowCount = m_report.data ? m_report.data->rowCount() : 0;
    startPage(rowCount > 0 ? ReportRow(m_report.data.get(), 0) : ReportRow());
    flowRows();
    flow(m_report.summary, BandKind::Summary, m_lastRow);
    finishPage();

    const QString pageCount = QString::number(m_document.pages.size());
    for (Page &page : m_document.pages) {
        for (PageItem &item : page.items) {
            if (item.kind == ElementKind::PageNumber)
                item.text.replace(QStringLiteral("%2"), pageCount);
        }
    }
    return std::move(m_document);
}

void Paginator::flowRows()
{
    const DataSource *data = m_report.data.get();
    const int rowCount = data ? data->rowCount() : 0;
    const QList<Group> &groups = m_report.groups;
    for (int i = 0; i < rowCount; ++i) {
        const ReportRow row(data, i);
        // The outermost group whose key changes closes every group inside it too.
        qsizetype firstChanged = 0;
        if (i > 0) {
            const ReportRow previous(data, i - 1);
            firstChanged = groups.size();
            for (qsizetype g = 0; g < groups.size(); ++g) {
                if (groupKey(groups[g], row) != groupKey(groups[g], previous)) {
                    firstChanged = g;
                    break;
                }
            }
            for (qsizetype g = groups.size() - 1; g >= firstChanged; --g)
                flow(groups[g].footer, BandKind::GroupFooter, previous);
        }
        for (qsizetype g = firstChanged; g < groups.size(); ++g)
            flow(groups[g].header, BandKind::GroupHeader, row);
        flow(m_report.detail, BandKind::Detail, row);
        m_lastRow = row;
    }
    if (rowCount > 0) {
        for (qsizetype g = groups.size() - 1; g >= 0; --g)
            flow(groups[g].footer, BandKind::GroupFooter, m_lastRow);
    }
}

QVariant Paginator::groupKey(const Group &group, const ReportRow &row) const
{
    return group.key ? group.key(row) : QVariant();
}

Band Paginator::prepare(const Band &declared, const ReportRow &row) const
{
    Band band = declared;
    const ReportRow bandRow = declared.fixedRow ? ReportRow(&*declared.fixedRow) : row;
    for (Element &e : band.elements) {
        if (e.kind == ElementKind::Field)
            e.text = FieldText(bandRow.value(e.column), e.mask);
        else if (e.kind == ElementKind::Date)
            e.text = m_dateText;
    }
    if (band.beforePrint)
        band.beforePrint(band, bandRow);
    return band;
}

void Paginator::flow(const Band &declared, BandKind kind, const ReportRow &row)
{
    if (declared.isEmpty() && !declared.beforePrint)
        return;
    const Band band = prepare(declared, row);
    if (band.suppressed)
        return;
    const double height = std::max(0.0, band.height);
    if (m_pageHasBody && m_y + height > m_bodyBottom + kEpsilon) {
        finishPage();
        startPage(row);
    }
    place(band, kind, m_y);
    m_y += height;
    m_pageHasBody = true;
}

void Paginator::startPage(const ReportRow &row)
{
    Page page;
    page.number = int(m_document.pages.size()) + 1;
    m_document.pages.append(page);
    m_y = m_report.page.printableRect().top();
    m_pageHasBody = false;

    const Band header = prepare(m_report.pageHeader, row);
    if (!header.suppressed) {
        place(header, BandKind::PageHeader, m_y);
        m_y += std::max(0.0, header.height);
    }
}

void Paginator::finishPage()
{
    const Band footer = prepare(m_report.pageFooter, m_lastRow);
    if (footer.suppressed)
        return;
    const double top = m_report.page.printableRect().bottom() - std::max(0.0, footer.height);
    place(footer, BandKind::PageFooter, top);
}

void Paginator::place(const Band &band, BandKind kind, double top)
{
    Page &page = m_document.pages.last();
    const QPointF origin(m_report.page.margins().left, top);
    for (const Element &e : band.elements) {
        if (!e.visible)
            continue;
        PageItem item;
        item.kind = e.kind;
        item.tag = e.tag;
        item.band = kind;
        item.rect = e.rect.translated(origin);
        item.text = e.text;
        if (e.kind == ElementKind::PageNumber)
            item.text.replace(QStringLiteral("%1"), QString::number(page.number));
        item.font = e.font;
        item.align = e.align;
        item.wordWrap = e.wordWrap;
        item.penWidth = e.penWidth;
        item.dotted = e.dotted;
        item.symbology = e.symbology;
        item.barcodeClearTop = e.barcodeClearTop;
        if (e.kind == ElementKind::Barcode)
            item.text = EncodedBarcodeValue(e.symbology, e.text);
        item.picture = e.picture;
        page.items.append(item);
    }
}

} // namespace

ReportDocument LayoutReport(const Report &report)
{
    return Paginator(report).run();
}
