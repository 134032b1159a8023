#include "report/report_layout.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

constexpr double kTop = 5.0;
constexpr double kLeft = 3.0;
constexpr double kBottom = 12.5 - kTop;
constexpr double kTolerance = 1e-6;

// A letter-size document: 91 mm page header, 55 mm page footer, 6.6 mm detail rows, the way the
// long delivery note is built.
Report DocumentReport(int rowCount)
{
    Report report;
    report.title = QStringLiteral("ใบส่งของ");
    report.page = PageSetup::letter();
    report.page.setMargins(kLeft, kTop, 5.08, kBottom);

    report.pageHeader = Band(91.0);
    report.pageHeader.add(
        Label("title", "ใบส่งของ", {59.0, 2.4, 82.8}, Font("EucrosiaUPC", 18, "B"), Align::Center));
    report.pageHeader.add(Frame("party_box", {1.6, 40.2, 202.4, 32.8}).asStationery());
    report.pageHeader.add(VLine("divider", 134.8, 40.5, 72.8, 0.5).asStationery());
    report.pageHeader.add(PageNumber("page_no", {180, 2.4, 20}, Font("CordiaUPC", 14),
                                     Align::Right, QStringLiteral("%1/%2")));

    report.detail = Band(6.6);
    report.detail.add(Field("code", "PRO_NO", {3.4, 0.0, 37.0}, Font("EucrosiaUPC", 14)));
    report.detail.add(Field("qty", "PRO_QTY", {147.9, 0.0, 23.3}, Font("CordiaUPC", 14),
                            Align::Center, "###,###,##0.00"));

    report.pageFooter = Band(55.0);
    report.pageFooter.add(HLine("footer_rule", 2.5, 1.6, 203.5).asStationery());
    report.pageFooter.add(
        Label("sign_left", "ผู้รับของ", {10.3, 19.6, 32.0}, Font("EucrosiaUPC", 14, "B"),
              Align::Center));

    QList<QVariantMap> rows;
    for (int i = 0; i < rowCount; ++i)
        rows.append({{"PRO_NO", QStringLiteral("P%1").arg(i, 3, 10, QChar(u'0'))},
                     {"PRO_QTY", double(i + 1)}});
    report.data = std::make_shared<RowList>(rows);
    return report;
}

// Tags of a page's items in the order they were laid out.
QStringList Tags(const Page &page)
{
    QStringList tags;
    for (const PageItem &item : page.items)
        tags.append(item.tag);
    return tags;
}

QStringList DetailCodes(const ReportDocument &document)
{
    QStringList codes;
    for (const Page &page : document.pages) {
        for (const PageItem *item : page.findAll("code"))
            codes.append(item->text);
    }
    return codes;
}

TEST(Pagination, SixtyRowsFlowOverSeveralPagesWithHeaderAndFooterOnEach)
{
    const ReportDocument document = LayoutReport(DocumentReport(60));

    // Between header (5 + 91) and footer (279.4 - 7.5 - 55) there is room for 120.9 mm: 18 rows.
    const double bodyTop = kTop + 91.0;
    const double footerTop = 279.4 - kBottom - 55.0;
    ASSERT_EQ(document.pages.size(), 4);
    const int expectedRows[] = {18, 18, 18, 6};
    for (int p = 0; p < document.pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const Page &page = document.pages[p];
        EXPECT_EQ(page.number, p + 1);
        ASSERT_EQ(page.count("title"), 1);
        EXPECT_NEAR(page.find("title")->rect.top(), kTop + 2.4, kTolerance);
        EXPECT_NEAR(page.find("title")->rect.left(), kLeft + 59.0, kTolerance);
        ASSERT_EQ(page.count("sign_left"), 1);
        EXPECT_NEAR(page.find("sign_left")->rect.top(), footerTop + 19.6, kTolerance);
        EXPECT_NEAR(page.find("footer_rule")->rect.top(), footerTop + 2.5, kTolerance);
        EXPECT_EQ(page.find("page_no")->text, QStringLiteral("%1/4").arg(p + 1));

        const QList<const PageItem *> codes = page.findAll("code");
        EXPECT_EQ(codes.size(), expectedRows[p]);
        for (int r = 0; r < codes.size(); ++r) {
            // Rows follow each other from the foot of the header and never reach the footer.
            EXPECT_NEAR(codes[r]->rect.top(), bodyTop + 6.6 * r, kTolerance);
            EXPECT_LE(codes[r]->rect.top() + 6.6, footerTop + kTolerance);
            EXPECT_EQ(codes[r]->band, BandKind::Detail);
        }
    }

    // Every row printed once, in order, continuing from page to page.
    const QStringList codes = DetailCodes(document);
    ASSERT_EQ(codes.size(), 60);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(codes[i], QStringLiteral("P%1").arg(i, 3, 10, QChar(u'0')));
    EXPECT_EQ(document.pages[3].findAll("qty").last()->text, QStringLiteral("60.00"));
}

TEST(Pagination, ABandThatDoesNotFitMovesWholeToTheNextPage)
{
    Report report = DocumentReport(8);
    report.detail.height = 18.3; // 120.9 mm holds six of them, with 11.1 mm left over
    const ReportDocument document = LayoutReport(report);

    ASSERT_EQ(document.pages.size(), 2);
    EXPECT_EQ(document.pages[0].count("code"), 6);
    EXPECT_EQ(document.pages[1].count("code"), 2);
    EXPECT_NEAR(document.pages[1].find("code")->rect.top(), kTop + 91.0, kTolerance);
}

TEST(Pagination, NoRowsStillPrintsOnePageWithHeaderAndFooter)
{
    for (const bool nullSource : {false, true}) {
        SCOPED_TRACE(nullSource);
        Report report = DocumentReport(0);
        if (nullSource)
            report.data.reset();
        const ReportDocument document = LayoutReport(report);
        ASSERT_EQ(document.pages.size(), 1);
        EXPECT_EQ(Tags(document.pages[0]),
                  (QStringList{"title", "party_box", "divider", "page_no", "footer_rule",
                               "sign_left"}));
        EXPECT_EQ(document.pages[0].find("page_no")->text, QStringLiteral("1/1"));
    }
}

TEST(Pagination, ElementPositionsAreAbsoluteOnTheSheet)
{
    const ReportDocument document = LayoutReport(DocumentReport(1));
    const Page &page = document.pages[0];
    EXPECT_EQ(page.find("party_box")->rect, QRectF(kLeft + 1.6, kTop + 40.2, 202.4, 32.8));
    EXPECT_EQ(page.find("divider")->rect, QRectF(QPointF(kLeft + 134.8, kTop + 40.5),
                                                 QPointF(kLeft + 134.8, kTop + 72.8)));
    EXPECT_DOUBLE_EQ(page.find("divider")->penWidth, 0.5);
    const PageItem *title = page.find("title");
    EXPECT_EQ(title->font, Font("EucrosiaUPC", 18, "B"));
    EXPECT_EQ(title->align, Align::Center);
    EXPECT_EQ(title->text, QStringLiteral("ใบส่งของ"));
    EXPECT_EQ(title->band, BandKind::PageHeader);
    EXPECT_EQ(page.find("sign_left")->band, BandKind::PageFooter);
}

TEST(Pagination, HiddenStationeryLeavesTheDataInPlace)
{
    Report report = DocumentReport(2);
    report.setStationeryPrinted(false);
    const ReportDocument document = LayoutReport(report);
    EXPECT_EQ(Tags(document.pages[0]),
              (QStringList{"title", "page_no", "code", "qty", "code", "qty", "sign_left"}));
}

// The detail rule of a document line: the two detail texts decide the band's height and which
// detail lines print.
struct DetailRuleCase
{
    const char *name;
    const char *attrib;
    const char *attrib2;
    double height;
    QStringList printedTags;
    const char *firstLine;
};

class BeforePrintHook : public testing::TestWithParam<DetailRuleCase>
{
};

TEST_P(BeforePrintHook, ChangesHeightVisibilityAndText)
{
    const DetailRuleCase &c = GetParam();
    Report report = DocumentReport(0);
    report.detail.add(Label("detail1", {}, {47.1, 6.3, 96.0}, Font("EucrosiaUPC", 14)));
    report.detail.add(Label("detail2", {}, {47.1, 12.2, 96.0}, Font("EucrosiaUPC", 14)));
    report.detail.beforePrint = [](Band &band, const ReportRow &row) {
        const QString attrib = row.text("ATTRIB").trimmed();
        const QString attrib2 = row.text("ATTRIB2").trimmed();
        band.setText("detail1", attrib);
        band.setText("detail2", attrib2);
        if (!attrib2.isEmpty()) {
            band.height = 18.3;
        } else if (!attrib.isEmpty()) {
            band.height = 13.5;
            band.setVisible("detail2", false);
        } else {
            band.height = 6.6;
            band.setVisible("detail1", false);
            band.setVisible("detail2", false);
        }
    };
    const QVariantMap line{{"PRO_NO", "A"},
                           {"ATTRIB", QString::fromUtf8(c.attrib)},
                           {"ATTRIB2", QString::fromUtf8(c.attrib2)}};
    const QVariantMap next{{"PRO_NO", "B"}, {"ATTRIB", ""}, {"ATTRIB2", ""}};
    report.data = std::make_shared<RowList>(QList<QVariantMap>{line, next});

    const ReportDocument document = LayoutReport(report);
    ASSERT_EQ(document.pages.size(), 1);
    const Page &page = document.pages[0];

    // The next row starts where the hook's height ends.
    const QList<const PageItem *> codes = page.findAll("code");
    ASSERT_EQ(codes.size(), 2);
    EXPECT_NEAR(codes[1]->rect.top() - codes[0]->rect.top(), c.height, kTolerance);

    QStringList firstRowTags;
    for (const PageItem &item : page.items) {
        if (item.band == BandKind::Detail && item.rect.top() < codes[1]->rect.top())
            firstRowTags.append(item.tag);
    }
    EXPECT_EQ(firstRowTags, c.printedTags);
    if (const PageItem *detail1 = page.find("detail1")) {
        EXPECT_EQ(detail1->text, QString::fromUtf8(c.firstLine));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BeforePrintHook,
    testing::Values(
        DetailRuleCase{"BothDetails", "สีแดง", "ขนาดใหญ่", 18.3,
                       {"code", "qty", "detail1", "detail2"}, "สีแดง"},
        DetailRuleCase{"OnlySecondDetail", "", "ขนาดใหญ่", 18.3,
                       {"code", "qty", "detail1", "detail2"}, ""},
        DetailRuleCase{"OnlyFirstDetail", "สีแดง", "", 13.5, {"code", "qty", "detail1"}, "สีแดง"},
        DetailRuleCase{"NoDetails", "", "", 6.6, {"code", "qty"}, ""}),
    [](const testing::TestParamInfo<DetailRuleCase> &info) {
        return std::string(info.param.name);
    });

TEST(BeforePrint, ChangesDoNotCarryOverToTheNextRow)
{
    Report report = DocumentReport(3);
    report.detail.beforePrint = [](Band &band, const ReportRow &row) {
        if (row.index() == 0) {
            band.height = 20;
            band.setVisible("qty", false);
            band.setText("code", QStringLiteral("first"));
        }
    };
    const ReportDocument document = LayoutReport(report);
    const QList<const PageItem *> codes = document.pages[0].findAll("code");
    ASSERT_EQ(codes.size(), 3);
    EXPECT_EQ(DetailCodes(document), (QStringList{"first", "P001", "P002"}));
    EXPECT_NEAR(codes[1]->rect.top() - codes[0]->rect.top(), 20.0, kTolerance);
    EXPECT_NEAR(codes[2]->rect.top() - codes[1]->rect.top(), 6.6, kTolerance);
    EXPECT_EQ(document.pages[0].count("qty"), 2);
}

TEST(BeforePrint, SuppressedBandsTakeNoSpace)
{
    Report report = DocumentReport(5);
    report.detail.beforePrint = [](Band &band, const ReportRow &row) {
        if (row.index() % 2 == 1)
            band.suppress();
    };
    const ReportDocument document = LayoutReport(report);
    EXPECT_EQ(DetailCodes(document), (QStringList{"P000", "P002", "P004"}));
    const QList<const PageItem *> codes = document.pages[0].findAll("code");
    EXPECT_NEAR(codes[1]->rect.top() - codes[0]->rect.top(), 6.6, kTolerance);
}

TEST(BeforePrint, PageBandsSeeTheirRowsAndMaySuppressThemselves)
{
    Report report = DocumentReport(20); // 18 rows on page 1, 2 on page 2
    report.pageHeader.fixedRow = QVariantMap{{"CUST_NAME", "ร้านตัวอย่าง"}};
    report.pageHeader.add(
        Field("party", "CUST_NAME", {20.4, 47.1, 119.6}, Font("EucrosiaUPC", 14)));
    report.pageFooter.add(Label("last_code", {}, {100, 30, 50}, Font("EucrosiaUPC", 14)));
    report.pageFooter.beforePrint = [](Band &band, const ReportRow &row) {
        band.setText("last_code", row.text("PRO_NO"));
    };
    const ReportDocument document = LayoutReport(report);
    ASSERT_EQ(document.pages.size(), 2);
    for (const Page &page : document.pages)
        EXPECT_EQ(page.find("party")->text, QStringLiteral("ร้านตัวอย่าง"));
    EXPECT_EQ(document.pages[0].find("last_code")->text, QStringLiteral("P017"));
    EXPECT_EQ(document.pages[1].find("last_code")->text, QStringLiteral("P019"));

    report.pageFooter.beforePrint = [](Band &band, const ReportRow &) { band.suppress(); };
    const ReportDocument noFooter = LayoutReport(report);
    EXPECT_EQ(noFooter.pages[0].count("sign_left"), 0);
}

TEST(Groups, HeadersAndFootersFrameEachRunOfEqualKeys)
{
    Report report;
    report.page = PageSetup::a4();
    report.detail = Band(5);
    report.detail.add(Field("item", "ITEM", {0, 0, 50}, Font("CordiaUPC", 12)));
    Group group;
    group.key = [](const ReportRow &row) { return row.value("KIND"); };
    group.header = Band(8);
    group.header.add(Field("kind", "KIND", {0, 0, 50}, Font("CordiaUPC", 12, "B")));
    group.footer = Band(8);
    group.footer.add(Label("kind_end", {}, {0, 0, 50}, Font("CordiaUPC", 12)));
    group.footer.beforePrint = [](Band &band, const ReportRow &row) {
        band.setText("kind_end", QStringLiteral("end %1").arg(row.text("KIND")));
    };
    report.groups.append(group);
    report.summary = Band(10);
    report.summary.add(Label("total", "รวม", {0, 0, 50}, Font("CordiaUPC", 12, "B")));
    report.data = std::make_shared<RowList>(QList<QVariantMap>{
        {{"KIND", "A"}, {"ITEM", "a1"}},
        {{"KIND", "A"}, {"ITEM", "a2"}},
        {{"KIND", "B"}, {"ITEM", "b1"}},
    });

    const ReportDocument document = LayoutReport(report);
    ASSERT_EQ(document.pages.size(), 1);
    QStringList texts;
    for (const PageItem &item : document.pages[0].items)
        texts.append(item.text);
    EXPECT_EQ(texts, (QStringList{"A", "a1", "a2", "end A", "B", "b1", "end B", "รวม"}));
    EXPECT_EQ(document.pages[0].find("total")->band, BandKind::Summary);
    EXPECT_NEAR(document.pages[0].find("total")->rect.top(), 8 + 5 + 5 + 8 + 8 + 5 + 8, kTolerance);
}

TEST(Elements, DateAndPageNumberTexts)
{
    Report report = DocumentReport(1);
    report.printDate = QDate(2024, 3, 5);
    report.pageFooter.add(PrintDate("printed_on", {150, 45, 30}, Font("CordiaUPC", 14)));
    report.pageFooter.add(PageNumber("page_plain", {180, 45, 20}, Font("CordiaUPC", 14)));
    const ReportDocument document = LayoutReport(report);
    EXPECT_EQ(document.pages[0].find("printed_on")->text, QStringLiteral("05/03/2567"));
    EXPECT_EQ(document.pages[0].find("page_plain")->text, QStringLiteral("1"));
}

TEST(Elements, TextWithoutHeightGetsOneLine)
{
    const Element label = Label("caption", "รหัส", {2.6, 41.8, 17.5}, Font("EucrosiaUPC", 14, "B"));
    EXPECT_NEAR(label.rect.height(), 14 * 25.4 / 72, kTolerance);
    EXPECT_TRUE(label.font.bold);
    EXPECT_FALSE(label.font.italic);
    const FontRequest all = Font("CordiaUPC", 12, "biu");
    EXPECT_TRUE(all.bold && all.italic && all.underline);
}

} // namespace
