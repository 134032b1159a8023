#pragma once

#include "report/barcode.h"
#include "report/page_setup.h"
#include "report/report_data.h"
#include "report/report_types.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

// The declaration of a report: page setup, bands and their elements. A layout writes its bands as
// tables of elements made with the functions below, for example
//
//     Band header(91.0);
//     header.add(Label("title", {59.0, 2.4, 82.8}, Font("EucrosiaUPC", 18, "B"), Align::Center));
//     header.add(Field("date", "INV_DATE", {160.1, 41.5, 34.4}, Font("CordiaUPC", 14),
//                      Align::Center));
//     header.add(Frame("party_box", {1.6, 40.2, 202.4, 32.8}).asStationery());
//
// Positions are millimetres from the top-left corner of the element's band; a band's left edge
// lies on the page's left margin.

struct Element
{
    ElementKind kind = ElementKind::Text;
    // The name by which layouts and tests find the element.
    QString tag;
    QRectF rect;
    bool visible = true;
    // Boxes, rules, captions and signature lines that a pre-printed form already carries;
    // Report::setStationeryPrinted(false) hides them all.
    bool stationery = false;

    // Text: the label. Field: filled from the row before the band's hook runs. PageNumber: a
    // pattern in which "%1" becomes the page number and "%2" the number of pages. Date: filled
    // with the print date. Barcode: the value to encode.
    QString text;
    // Field: the column of the band's row and an optional number mask ("###,###,##0.00").
    QString column;
    QString mask;

    FontRequest font;
    Align align = Align::Left;
    bool wordWrap = false;

    // Lines and rectangles: pen width in millimetres (0: the finest line); lines may be dotted.
    double penWidth = 0.2;
    bool dotted = false;
    // Barcode: the symbology, and how much of the top of the box the bars leave free (for a name
    // strip printed over it). font is the human-readable text's.
    Symbology symbology = Symbology::Ean13;
    double barcodeClearTop = 0;
    // Picture: stretched to rect.
    QImage picture;

    Element &asStationery(bool on = true)
    {
        stationery = on;
        return *this;
    }
    Element &withWordWrap(bool on = true)
    {
        wordWrap = on;
        return *this;
    }
    Element &asDotted(bool on = true)
    {
        dotted = on;
        return *this;
    }
    Element &withVisible(bool on)
    {
        visible = on;
        return *this;
    }
};

Element Label(const QString &tag, const QString &text, const Box &box, const FontRequest &font,
              Align align = Align::Left);
Element Field(const QString &tag, const QString &column, const Box &box, const FontRequest &font,
              Align align = Align::Left, const QString &mask = {});
// A horizontal rule at y from x1 to x2, and a vertical rule at x from y1 to y2.
Element HLine(const QString &tag, double y, double x1, double x2, double penWidth = 0.2);
Element VLine(const QString &tag, double x, double y1, double y2, double penWidth = 0.2);
// The outline of a rectangle.
Element Frame(const QString &tag, const Box &box, double penWidth = 0.2);
Element Picture(const QString &tag, const Box &box, const QImage &image = {});
Element PageNumber(const QString &tag, const Box &box, const FontRequest &font,
                   Align align = Align::Left, const QString &pattern = QStringLiteral("%1"));
// A barcode of value filling box, its human-readable text under the bars in font.
Element Barcode(const QString &tag, const Box &box, Symbology symbology, const QString &value,
                const FontRequest &font);
Element PrintDate(const QString &tag, const Box &box, const FontRequest &font,
                  Align align = Align::Left);

class Band;
// Runs just before a band prints, on a copy of the band as declared, so each print starts from
// the declaration. It may change texts, visibility and the band's height, or suppress the band.
using BeforePrint = std::function<void(Band &band, const ReportRow &row)>;

class Band
{
public:
    Band() = default;
    explicit Band(double height) : height(height) {}

    Element &add(const Element &element);
    // The element with this tag, or nullptr.
    Element *find(const QString &tag);
    const Element *find(const QString &tag) const;
    // Sets the text / visibility of the element with this tag; false when there is none.
    bool setText(const QString &tag, const QString &text);
    bool setVisible(const QString &tag, bool visible);

    void suppress() { suppressed = true; }

    double height = 0;
    QList<Element> elements;
    BeforePrint beforePrint;
    // When set, the band's fields read this row (a document's header row, say) instead of the
    // current detail row.
    std::optional<QVariantMap> fixedRow;
    // Set by a hook through suppress(): the band does not print this time.
    bool suppressed = false;

    bool isEmpty() const { return height <= 0 && elements.isEmpty(); }
};

// A group: its header prints before the first detail row of each run of rows with the same key,
// its footer after the last row of that run.
struct Group
{
    std::function<QVariant(const ReportRow &row)> key;
    Band header;
    Band footer;
};

class Report
{
public:
    QString title;
    PageSetup page;

    Band pageHeader;  // top of every page, first included
    Band detail;      // once per data row
    Band summary;     // once, after the last detail row
    Band pageFooter;  // foot of every page, last included, on the bottom of the printable area
    QList<Group> groups; // outermost first

    std::shared_ptr<const DataSource> data;
    // The date the date elements print; today unless set.
    QDate printDate;

    // Shows or hides every element marked as stationery, in all bands.
    void setStationeryPrinted(bool printed);
    // Calls f for every band of the report (page header, groups, detail, summary, page footer).
    void forEachBand(const std::function<void(Band &)> &f);
};
