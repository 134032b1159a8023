#pragma once

#include "../common/qt_printers.h"
#include "printing/document_layout.h"
#include "temp_data_folder.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <ostream>

inline void PrintTo(const FontRequest &font, std::ostream *os)
{
    *os << font.family.toStdString() << ' ' << font.pointSize << (font.bold ? " bold" : "")
        << (font.italic ? " italic" : "") << (font.underline ? " underline" : "");
}

// A demo data folder in use, with helpers to change the settings row, add documents and prepare
// a layout for a document the way the print button hands it over.
class PrintingTest : public testing::Test
{
protected:
    void SetUp() override;

    // Sets columns of the settings row (bound values).
    void setSettings(const QVariantMap &values);
    // Adds a document: header and line rows of the tables of kind (1, 3 or 5). Columns missing
    // from the maps are empty or 0.
    void addDocument(int kind, const QString &number, const QVariantMap &header,
                     const QList<QVariantMap> &lines);
    // Prepares the layout for number (kind from its fifth character); fails the test on error.
    std::unique_ptr<DocumentLayout> prepared(const QString &layoutName, const QString &number);
    std::shared_ptr<const ReportDocument> laidOut(const QString &layoutName, const QString &number);

    TempDataFolder folder{true};
};

// Prepares the layout for number the way the print button hands it over (PrintDocNo, PrintDocKind
// from the number's fifth character); fails the test on error.
std::unique_ptr<DocumentLayout> PrepareLayout(const QString &layoutName, const QString &number);

// Where a band of a laid-out page starts: page header at the top margin, first detail row under
// the header, page footer on the bottom of the printable area.
struct BandOrigins
{
    double left = 0;
    double header = 0;
    double firstDetail = 0;
    double footer = 0;
};
BandOrigins OriginsOf(const ReportDocument &document, double headerHeight, double footerHeight);

// The heights of the bands of each layout.
struct LayoutBands
{
    double header;
    double footer;
};
LayoutBands BandsOf(const QString &layoutName);
