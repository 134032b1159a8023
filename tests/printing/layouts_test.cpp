#include "printing/priced_note_layout.h"
#include "printing_fixture.h"

#include "common/baht_text.h"
#include "report/report_types.h"

#include <gtest/gtest.h>

#include <QHash>

namespace {

constexpr double kTolerance = 1e-6;

// The demo settings: PRN_TOP 10, PRN_LEFT 5.
TEST_F(PrintingTest, PaperAndMarginsOfEachLayout)
{
    const struct
    {
        const char *layout;
        const char *number;
        double width, height;
        double right, bottom;
    } cases[] = {
        {"TPrnDO8", "ISSU1000001", 215.9, 279.4, 5.08, 2.5},
        {"TPrnORD3", "TORD5000001", 215.9, 279.4, 5.08, 2.5},
        {"TPrnDO9s", "ISSU1000001", 215.9, 139.7, 5.08, 12.0},
        {"TPrnDO2", "ISSU1000001", 215.9, 279.4, 0.0, 2.5},
        {"TPrnDO1", "ISSU1000003", 215.9, 279.4, 0.0, 2.5},
    };
    for (const auto &c : cases) {
        const auto document = laidOut(c.layout, c.number);
        const PageSetup &page = document->page;
        EXPECT_EQ(page.orientation(), Orientation::Portrait) << c.layout;
        EXPECT_NEAR(page.paperWidth(), c.width, kTolerance) << c.layout;
        EXPECT_NEAR(page.paperHeight(), c.height, kTolerance) << c.layout;
        EXPECT_NEAR(page.margins().top, 10.0, kTolerance) << c.layout;
        EXPECT_NEAR(page.margins().left, 5.0, kTolerance) << c.layout;
        EXPECT_NEAR(page.margins().right, c.right, kTolerance) << c.layout;
        EXPECT_NEAR(page.margins().bottom, c.bottom, kTolerance) << c.layout;
        EXPECT_EQ(document->title, QString::fromUtf8(c.number));
    }
}

struct ElementCase
{
    const char *layout;
    const char *number;
    const char *tag;
    BandKind band;
    Box box; // relative to the band; lines: x1, y, length (horizontal) or x, y1, length (vertical)
    const char *family = nullptr; // nullptr for lines, boxes and pictures
    double size = 0;
    const char *style = nullptr;
    Align align = Align::Left;
    const char *text = nullptr; // not checked when nullptr
};

void PrintTo(const ElementCase &c, std::ostream *os)
{
    *os << c.layout << " " << c.tag;
}

// The documents only read the demo folder, so the cases share one folder and each layout of a
// number is laid out once.
class ElementPositions : public testing::TestWithParam<ElementCase>
{
protected:
    static void SetUpTestSuite() { s_folder = new TempDataFolder(true); }
    static void TearDownTestSuite()
    {
        s_documents.clear();
        delete s_folder;
        s_folder = nullptr;
    }

    static std::shared_ptr<const ReportDocument> document(const QString &layout,
                                                          const QString &number)
    {
        const QString key = layout + u'/' + number;
        if (!s_documents.contains(key)) {
            s_folder->use();
            const auto prepared = PrepareLayout(layout, number);
            s_documents.insert(key, prepared && prepared->document()
                                        ? prepared->document()
                                        : std::make_shared<const ReportDocument>());
        }
        return s_documents.value(key);
    }

    static TempDataFolder *s_folder;
    static QHash<QString, std::shared_ptr<const ReportDocument>> s_documents;
};

TempDataFolder *ElementPositions::s_folder = nullptr;
QHash<QString, std::shared_ptr<const ReportDocument>> ElementPositions::s_documents;

TEST_P(ElementPositions, AsDeclared)
{
    const ElementCase &c = GetParam();
    ASSERT_TRUE(s_folder->ok()) << s_folder->error().toStdString();
    const auto document = this->document(c.layout, c.number);
    ASSERT_FALSE(document->pages.isEmpty());
    const LayoutBands bands = BandsOf(c.layout);
    const BandOrigins origin = OriginsOf(*document, bands.header, bands.footer);
    const double bandTop = c.band == BandKind::PageHeader ? origin.header
                           : c.band == BandKind::Detail   ? origin.firstDetail
                                                          : origin.footer;
    const PageItem *item = document->pages[0].find(c.tag);
    ASSERT_TRUE(item) << c.tag;
    EXPECT_EQ(item->band, c.band);
    EXPECT_NEAR(item->rect.left() - origin.left, c.box.left, kTolerance);
    EXPECT_NEAR(item->rect.top() - bandTop, c.box.top, kTolerance);
    if (item->kind == ElementKind::Line) {
        const double length = item->rect.width() > 0 ? item->rect.width() : item->rect.height();
        EXPECT_NEAR(length, c.box.width, kTolerance);
    } else {
        EXPECT_NEAR(item->rect.width(), c.box.width, kTolerance);
    }
    if (c.box.height > 0) {
        EXPECT_NEAR(item->rect.height(), c.box.height, kTolerance);
    }
    if (c.family) {
        EXPECT_EQ(item->font, Font(c.family, c.size, c.style));
        EXPECT_EQ(item->align, c.align);
    }
    if (c.text) {
        EXPECT_EQ(item->text, QString::fromUtf8(c.text));
    }
}

constexpr BandKind H = BandKind::PageHeader;
constexpr BandKind D = BandKind::Detail;
constexpr BandKind F = BandKind::PageFooter;
constexpr Align L = Align::Left;
constexpr Align C = Align::Center;
constexpr Align R = Align::Right;
const char *const E = "EucrosiaUPC";
const char *const K = "CordiaUPC";

INSTANTIATE_TEST_SUITE_P(
    Layouts, ElementPositions,
    testing::Values(
        // Long delivery note: goods out ISSU1000001 for C0002.
        ElementCase{"TPrnDO8", "ISSU1000001", "logo", H, {3.4, 4.5, 15.9, 15.9}},
        ElementCase{"TPrnDO8", "ISSU1000001", "title", H, {59.0, 2.4, 82.8}, E, 18, "B", C,
                    "ใบเบิกสินค้า / ใบส่งของ"},
        ElementCase{"TPrnDO8", "ISSU1000001", "company_name", H, {22.2, 14.6, 177.0}, E, 18, "", L,
                    "บริษัท ลาร์เดอรอน เทรดดิ้ง จำกัด"},
        ElementCase{"TPrnDO8", "ISSU1000001", "company_contact", H, {2.6, 28.6, 199.5}, E, 14, "",
                    L, " Tel. 02-940-1234 Fax. 02-940-1235 Email : office@larderon.example"},
        ElementCase{"TPrnDO8", "ISSU1000001", "party_box", H, {1.6, 40.2, 202.4, 32.8}},
        ElementCase{"TPrnDO8", "ISSU1000001", "divider", H, {134.8, 40.5, 32.3}},
        ElementCase{"TPrnDO8", "ISSU1000001", "party_caption", H, {2.9, 47.1, 17.2}, E, 14, "B",
                    L, "ผู้เบิก"},
        ElementCase{"TPrnDO8", "ISSU1000001", "number", H, {159.5, 47.4, 36.0}, K, 14, "", C,
                    "ISSU-1-000001"},
        ElementCase{"TPrnDO8", "ISSU1000001", "party_address1", H, {19.8, 53.2, 121.4}, E, 14, "",
                    L, "โรงงาน 2 ถนนบางนา-ตราด กม. 23 อำเภอบางพลี"},
        ElementCase{"TPrnDO8", "ISSU1000001", "party_address2", H, {19.8, 59.3, 121.2}, E, 14, "",
                    L, " สมุทรปราการ 10540 Tel. 02-555-0420 Fax. 02-555-0421"},
        ElementCase{"TPrnDO8", "ISSU1000001", "employee", H, {152.4, 64.8, 50.3}, K, 14, "", C,
                    "ประเสริฐ มั่นคง"},
        ElementCase{"TPrnDO8", "ISSU1000001", "column_quantity", H, {152.1, 80.7, 14.0}, E, 14,
                    "B", C, "จำนวน"},
        ElementCase{"TPrnDO8", "ISSU1000001", "pro_qty", D, {147.9, 0.0, 23.3}, K, 14, "", C,
                    "120.00"},
        ElementCase{"TPrnDO8", "ISSU1000001", "detail2", D, {47.1, 12.2, 96.0}, E, 14, "", L,
                    "ชั้น 2 ฝั่งทิศเหนือ"},
        ElementCase{"TPrnDO8", "ISSU1000001", "footer_rule", F, {1.6, 2.5, 201.9}},
        ElementCase{"TPrnDO8", "ISSU1000001", "left_signature", F, {10.3, 19.6, 32.0}, E, 14, "B",
                    C, "ผู้เบิกสินค้า"},
        ElementCase{"TPrnDO8", "ISSU1000001", "right_signature_line", F, {158.5, 39.4, 42.1}},
        // Goods in on the long note: the supplier and the goods-in texts.
        ElementCase{"TPrnDO8", "RECV3000003", "title", H, {59.0, 2.4, 82.8}, E, 18, "B", C,
                    "ใบรับสินค้าเข้าคลัง"},
        ElementCase{"TPrnDO8", "RECV3000003", "party_address2", H, {19.8, 59.3, 121.2}, E, 14, "",
                    L, ""},
        ElementCase{"TPrnDO8", "RECV3000003", "left_signature", F, {10.3, 19.6, 32.0}, E, 14, "B",
                    C, "ผู้รับสินค้า"},
        // Purchase order.
        ElementCase{"TPrnORD3", "TORD5000001", "title", H, {59.0, 2.4, 82.8}, E, 18, "B", C,
                    "ใบสั่งซื้อสินค้า"},
        ElementCase{"TPrnORD3", "TORD5000001", "number", H, {159.5, 47.1, 36.0}, K, 14, "", C,
                    "TORD-5-000001"},
        ElementCase{"TPrnORD3", "TORD5000001", "party_caption", H, {2.9, 47.1, 17.5}, E, 14, "B",
                    L, "ผู้จำหน่าย"},
        ElementCase{"TPrnORD3", "TORD5000001", "employee", H, {154.5, 65.6, 47.4}, K, 14, "", C,
                    "สมชาย ใจดี"},
        ElementCase{"TPrnORD3", "TORD5000001", "columns_box", H, {1.6, 75.9, 202.4, 12.4}},
        ElementCase{"TPrnORD3", "TORD5000001", "column_unit", H, {185.7, 78.8, 14.0}, E, 14, "B",
                    R, "หน่วย"},
        ElementCase{"TPrnORD3", "TORD5000001", "pro_qty", D, {145.5, 0.0, 20.6}, K, 14, "", R,
                    "10.00"},
        ElementCase{"TPrnORD3", "TORD5000001", "pro_unit", D, {177.8, 0.0, 22.0}, E, 14, "", R,
                    "ตลับ"},
        ElementCase{"TPrnORD3", "TORD5000001", "left_signature", F, {16.4, 24.6, 21.7}, E, 14,
                    "B", C, "ผู้สั่งของ"},
        ElementCase{"TPrnORD3", "TORD5000001", "right_signature", F, {170.1, 24.9, 20.6}, E, 14,
                    "B", C, "ผู้อนุมัติ"},
        ElementCase{"TPrnORD3", "TORD5000001", "left_signature_line", F, {5.3, 44.2, 42.3}},
        // Short delivery note.
        ElementCase{"TPrnDO9s", "ISSU1000001", "logo", H, {2.4, 3.2, 11.6, 11.6}},
        ElementCase{"TPrnDO9s", "ISSU1000001", "title", H, {153.2, 0.5, 48.9}, E, 14, "BI", R,
                    "ใบเบิกสินค้า / ใบส่งของ"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "company_name", H, {16.7, 0.5, 134.9}, E, 14, "B",
                    L, "บริษัท ลาร์เดอรอน เทรดดิ้ง จำกัด"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "company_contact", H, {16.7, 14.6, 144.5}, E, 14,
                    "", L,
                    "กรุงเทพมหานคร 10900 Tel. 02-940-1234 Fax. 02-940-1235 Email : "
                    "office@larderon.example"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "number", H, {171.4, 7.9, 30.4}, K, 14, "", R,
                    "ISSU-1-000001"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "party_address", H, {11.4, 30.4, 190.0}, E, 12, "",
                    L, "โรงงาน 2 ถนนบางนา-ตราด กม. 23 อำเภอบางพลี สมุทรปราการ 10540"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "column_unit", H, {184.2, 39.2, 16.1}, E, 14, "B",
                    R, "หน่วยนับ"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "pro_no", D, {2.4, -0.3, 29.1}, K, 14, "", L,
                    "CBL-UTP5E"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "pro_qty", D, {158.5, -0.3, 19.8}, K, 14, "", C,
                    "120.00"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "right_signature", F, {141.8, 12.7, 20.6}, E, 14,
                    "B", R, "ผู้อนุมัติ"},
        ElementCase{"TPrnDO9s", "ISSU1000001", "footer_rule", F, {2.1, 2.1, 202.2}},
        // Delivery note with detail column.
        ElementCase{"TPrnDO2", "ISSU1000001", "title", H, {62.2, 2.6, 82.8}, E, 18, "B", C,
                    "ใบเบิกสินค้า / ใบส่งของ"},
        ElementCase{"TPrnDO2", "ISSU1000001", "number", H, {162.2, 4.8, 34.4}, E, 14, "", R,
                    "ISSU1000001"},
        ElementCase{"TPrnDO2", "ISSU1000001", "number_caption", H, {152.4, 4.0, 8.2}, E, 16, "", L,
                    "เลขที่"},
        ElementCase{"TPrnDO2", "ISSU1000001", "company_name", H, {29.9, 19.3, 165.1}, E, 18, "", L,
                    "บริษัท ลาร์เดอรอน เทรดดิ้ง จำกัด"},
        ElementCase{"TPrnDO2", "ISSU1000001", "company_address", H, {10.3, 29.1, 187.9}, E, 12, "",
                    L, "88/8 ถนนงามวงศ์วาน แขวงลาดยาว เขตจตุจักร กรุงเทพมหานคร 10900 "},
        ElementCase{"TPrnDO2", "ISSU1000001", "party_code", H, {178.1, 52.9, 16.1}, K, 14, "", R,
                    "C0002"},
        ElementCase{"TPrnDO2", "ISSU1000001", "party_address", H, {20.4, 60.6, 176.7}, E, 14, "",
                    L,
                    "โรงงาน 2 ถนนบางนา-ตราด กม. 23 อำเภอบางพลี สมุทรปราการ 10540 Tel. 02-555-0420"},
        ElementCase{"TPrnDO2", "ISSU1000001", "terms_box", H, {6.9, 71.2, 191.3, 18.3}},
        ElementCase{"TPrnDO2", "ISSU1000001", "pro_qty", D, {160.6, 0.3, 17.2}, K, 14, "", R,
                    "120"},
        ElementCase{"TPrnDO2", "ISSU1000001", "attrib", D, {106.6, 0.0, 53.2}, E, 14, "", L, ""},
        ElementCase{"TPrnDO2", "ISSU1000001", "left_signature", F, {5.0, 27.8, 19.8}, E, 14, "B",
                    R, "ผู้เบิกสินค้า"},
        ElementCase{"TPrnDO2", "ISSU1000001", "right_signature_line", F, {159.3, 32.1, 39.7}},
        // Priced delivery note: ISSU1000003 for C0003.
        ElementCase{"TPrnDO1", "ISSU1000003", "title", H, {62.2, 2.6, 82.8}, E, 18, "B", C,
                    "ใบส่งของชั่วคราว"},
        ElementCase{"TPrnDO1", "ISSU1000003", "title2", H, {62.2, 10.8, 82.8}, E, 12, "", C,
                    "TEMP DELIVERY ORDER"},
        ElementCase{"TPrnDO1", "ISSU1000003", "number", H, {162.2, 4.8, 34.4}, E, 14, "", R,
                    "ISSU1000003"},
        ElementCase{"TPrnDO1", "ISSU1000003", "tax_id", H, {10.3, 42.1, 92.1}, E, 12, "", L,
                    "เลขประจำตัวผู้เสียภาษี  0105561234567"},
        ElementCase{"TPrnDO1", "ISSU1000003", "party_address", H, {20.4, 60.9, 176.7}, E, 12, "",
                    L, "45/2 ถนนเพชรเกษม นครปฐม 73000 Tel. 034-255-111"},
        ElementCase{"TPrnDO1", "ISSU1000003", "credit_term", H, {47.1, 81.8, 17.5}, E, 14, "", C,
                    "2 ด."},
        ElementCase{"TPrnDO1", "ISSU1000003", "employee", H, {161.4, 81.8, 34.1}, K, 14, "", R,
                    "E0005"},
        ElementCase{"TPrnDO1", "ISSU1000003", "column_price", H, {140.0, 93.1, 18.5}, E, 14, "B",
                    R, "ราคา/หน่วย"},
        ElementCase{"TPrnDO1", "ISSU1000003", "line_no", D, {8.7, 0.3, 9.0}, K, 14, "", C, "1"},
        ElementCase{"TPrnDO1", "ISSU1000003", "item", D, {49.5, 0.0, 89.7}, E, 14, "", L,
                    "น้ำดื่ม ขวด 600 มล. "},
        ElementCase{"TPrnDO1", "ISSU1000003", "unit_price", D, {139.7, 0.3, 18.8}, K, 14, "", R,
                    "7.50"},
        ElementCase{"TPrnDO1", "ISSU1000003", "amount", D, {170.4, 0.3, 24.3}, K, 14, "", R,
                    "360.00"},
        ElementCase{"TPrnDO1", "ISSU1000003", "grand_total_words", F, {9.5, 40.2, 106.9}, E, 14,
                    "I", L, nullptr},
        ElementCase{"TPrnDO1", "ISSU1000003", "grand_total_box", F, {6.9, 38.1, 190.8, 10.6}},
        ElementCase{"TPrnDO1", "ISSU1000003", "remark", F, {110.6, 52.9, 79.6}, E, 14, "B", R,
                    "ข้าพเจ้าได้รับสินค้าตามรายการข้างบนนี้ถูกต้องแล้ว"},
        ElementCase{"TPrnDO1", "ISSU1000003", "right_signature_en", F, {135.5, 70.6, 10.1}, E, 8,
                    "", L, "RECEIVER"}),
    [](const testing::TestParamInfo<ElementCase> &info) {
        return std::string(info.param.layout) + "_" + info.param.number + "_" + info.param.tag;
    });

struct VisibilityCase
{
    const char *layout;
    const char *number;
    QStringList stationery; // hidden on a pre-printed form
    QStringList kept;       // printed on both
};

void PrintTo(const VisibilityCase &c, std::ostream *os)
{
    *os << c.layout;
}

class PreprintedForm : public PrintingTest, public testing::WithParamInterface<VisibilityCase>
{
};

TEST_P(PreprintedForm, Line1HidesTheStationeryOnly)
{
    const VisibilityCase &c = GetParam();
    for (const char *line1 : {"0", "1", "2"}) {
        setSettings({{"LINE1", line1}});
        const auto document = laidOut(c.layout, c.number);
        ASSERT_FALSE(document->pages.isEmpty());
        const Page &page = document->pages[0];
        const bool blankPaper = QByteArray(line1) != "0";
        for (const QString &tag : c.stationery)
            EXPECT_EQ(page.count(tag) > 0, blankPaper) << "LINE1 " << line1 << " " << tag.toStdString();
        for (const QString &tag : c.kept)
            EXPECT_GT(page.count(tag), 0) << "LINE1 " << line1 << " " << tag.toStdString();
        if (!blankPaper) {
            for (const PageItem &item : page.items) {
                EXPECT_NE(item.kind, ElementKind::Line) << item.tag.toStdString();
                EXPECT_NE(item.kind, ElementKind::Rectangle) << item.tag.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PreprintedForm,
    testing::Values(
        VisibilityCase{"TPrnDO8", "ISSU1000001",
                       {"party_box", "divider", "code_caption", "date_caption", "party_caption",
                        "number_caption", "address_caption", "reference_caption",
                        "employee_caption", "columns_box", "column_code", "column_item",
                        "column_quantity", "column_unit", "footer_rule", "left_signature_line",
                        "right_signature_line"},
                       {"logo", "title", "company_name", "company_address", "company_contact",
                        "party_code", "date", "party_name", "number", "party_address1",
                        "party_address2", "reference", "employee", "pro_no", "pro_name",
                        "pro_qty", "pro_unit", "detail1", "detail2", "left_signature",
                        "right_signature"}},
        VisibilityCase{"TPrnORD3", "TORD5000001",
                       {"party_box", "divider", "code_caption", "party_caption", "columns_box",
                        "column_quantity", "footer_rule", "left_signature_line"},
                       {"logo", "title", "company_name", "number", "party_name", "employee",
                        "pro_qty", "left_signature", "right_signature"}},
        VisibilityCase{"TPrnDO9s", "ISSU1000001",
                       {"number_caption", "date_caption", "company_rule", "party_caption",
                        "address_caption", "columns_top_rule", "column_code", "column_item",
                        "column_detail", "column_quantity", "column_unit", "columns_bottom_rule",
                        "footer_rule", "left_signature_line", "right_signature_line"},
                       {"logo", "company_name", "title", "company_address", "number",
                        "company_contact", "date", "party_name", "party_address", "pro_no",
                        "pro_name", "attrib", "pro_qty", "pro_unit", "left_signature",
                        "right_signature"}},
        VisibilityCase{"TPrnDO2", "ISSU1000001",
                       {"number_caption", "date_caption", "party_box", "party_caption",
                        "code_caption", "address_caption", "terms_box", "reference_caption",
                        "employee_caption", "columns_box", "column_code", "column_item",
                        "column_detail", "column_quantity", "column_unit", "footer_rule",
                        "left_signature_line", "right_signature_line"},
                       {"title", "number", "logo", "date", "company_name", "company_address",
                        "company_contact", "party_name", "party_code", "party_address",
                        "reference", "employee", "pro_no", "pro_name", "attrib", "pro_qty",
                        "pro_unit", "left_signature", "right_signature"}},
        VisibilityCase{"TPrnDO1", "ISSU1000003",
                       {"number_caption", "date_caption", "party_box", "customer_caption",
                        "code_caption", "customer_name_caption_en", "customer_no_caption_en",
                        "address_caption", "address_caption_en", "terms_box", "order_no_caption",
                        "terms_caption", "due_date_caption", "discount_caption",
                        "salesman_caption", "discount_caption_en", "order_no_caption_en",
                        "terms_caption_en", "due_date_caption_en", "salesman_caption_en",
                        "columns_box", "column_no", "column_quantity", "column_unit",
                        "column_item", "column_price", "column_discount", "column_amount",
                        "column_no_en", "column_quantity_en", "column_unit_en", "column_item_en",
                        "column_discount_en", "column_amount_en", "footer_rule",
                        "subtotal_caption", "discount_total_caption", "after_discount_caption",
                        "grand_total_box", "grand_total_caption", "left_signature_line",
                        "right_signature_line"},
                       {"title", "title2", "number", "logo", "date", "company_name",
                        "company_address", "company_contact", "tax_id", "party_name",
                        "party_code", "party_address", "reference", "credit_term", "due_date",
                        "customer_discount", "employee", "line_no", "pro_qty", "pro_unit",
                        "item", "unit_price", "line_discount", "amount", "subtotal", "discount",
                        "after_discount", "grand_total_words", "grand_total", "remark",
                        "left_signature", "left_signature_en", "right_signature",
                        "right_signature_en"}}),
    [](const testing::TestParamInfo<VisibilityCase> &info) {
        return std::string(info.param.layout);
    });

TEST_F(PrintingTest, LogoMovesTheCompanyName)
{
    const struct
    {
        const char *layout;
        const char *number;
        double withLogo, withoutLogo;
        QStringList movingTags;
    } cases[] = {
        {"TPrnDO8", "ISSU1000001", 22.2, 2.6, {"company_name"}},
        {"TPrnORD3", "TORD5000001", 22.2, 2.6, {"company_name"}},
        {"TPrnDO9s", "ISSU1000001", 16.7, 2.4,
         {"company_name", "company_address", "company_contact"}},
        {"TPrnDO2", "ISSU1000001", 29.9, 10.3, {"company_name"}},
        {"TPrnDO1", "ISSU1000003", 29.9, 10.3, {"company_name"}},
    };
    for (const auto &c : cases) {
        for (const bool logo : {true, false}) {
            setSettings({{"LINE4", logo ? "1" : "0"}});
            const auto document = laidOut(c.layout, c.number);
            ASSERT_FALSE(document->pages.isEmpty());
            const Page &page = document->pages[0];
            const double left = document->page.margins().left;
            EXPECT_EQ(page.count("logo"), logo ? 1 : 0) << c.layout;
            for (const QString &tag : c.movingTags) {
                const PageItem *item = page.find(tag);
                ASSERT_TRUE(item) << c.layout << " " << tag.toStdString();
                EXPECT_NEAR(item->rect.left() - left, logo ? c.withLogo : c.withoutLogo,
                            kTolerance)
                    << c.layout << " " << tag.toStdString() << " logo " << logo;
            }
        }
    }
}

TEST_F(PrintingTest, LongNoteDetailRule)
{
    const struct
    {
        const char *attrib;
        const char *attrib2;
        double height;
        bool detail1, detail2;
    } lines[] = {
        {"", "", 6.6, false, false},
        {"LOT 1", "", 13.5, true, false},
        {"", "ขนาดใหญ่", 18.3, true, true},
        {"สีแดง", "ขนาดใหญ่", 18.3, true, true},
        {"", "", 6.6, false, false},
    };
    QList<QVariantMap> rows;
    for (int i = 0; i < int(std::size(lines)); ++i) {
        rows.append({{"PRO_NO", QStringLiteral("P%1").arg(i)},
                     {"ATTRIB", QString::fromUtf8(lines[i].attrib)},
                     {"ATTRIB2", QString::fromUtf8(lines[i].attrib2)},
                     {"PRO_QTY", 1.0}});
    }
    addDocument(1, "ISSU1000050", {{"CUST_NO", "C0001"}}, rows);
    const auto document = laidOut("TPrnDO8", "ISSU1000050");
    ASSERT_EQ(document->pages.size(), 1);
    const Page &page = document->pages[0];
    const QList<const PageItem *> codes = page.findAll("pro_no");
    ASSERT_EQ(codes.size(), rows.size());
    for (int i = 0; i + 1 < codes.size(); ++i) {
        const double top = codes[i]->rect.top();
        const double next = codes[i + 1]->rect.top();
        EXPECT_NEAR(next - top, lines[i].height, kTolerance) << "line " << i;
        const auto inRow = [&](const char *tag) -> const PageItem * {
            for (const PageItem *item : page.findAll(tag)) {
                if (item->rect.top() > top - kTolerance && item->rect.top() < next - kTolerance)
                    return item;
            }
            return nullptr;
        };
        const PageItem *detail1 = inRow("detail1");
        const PageItem *detail2 = inRow("detail2");
        EXPECT_EQ(detail1 != nullptr, lines[i].detail1) << "line " << i;
        EXPECT_EQ(detail2 != nullptr, lines[i].detail2) << "line " << i;
        if (detail1) {
            EXPECT_EQ(detail1->text, QString::fromUtf8(lines[i].attrib)) << "line " << i;
            EXPECT_NEAR(detail1->rect.top() - top, 6.3, kTolerance);
        }
        if (detail2) {
            EXPECT_EQ(detail2->text, QString::fromUtf8(lines[i].attrib2)) << "line " << i;
            EXPECT_NEAR(detail2->rect.top() - top, 12.2, kTolerance);
        }
    }
}

TEST_F(PrintingTest, LineDetailsOfTheOneLineLayouts)
{
    addDocument(1, "ISSU1000051", {{"CUST_NO", "C0001"}},
                {{{"PRO_NO", "A"}, {"ATTRIB", "LOT 7"}, {"ATTRIB2", "ไม่พิมพ์"}, {"PRO_QTY", 2.5}}});
    const struct
    {
        const char *layout;
        const char *quantity;
        double height;
    } cases[] = {{"TPrnDO9s", "2.50", 5.6}, {"TPrnDO2", "2.5", 6.1}};
    for (const auto &c : cases) {
        setSettings({{"LINE1", "0"}});
        const auto document = laidOut(c.layout, "ISSU1000051");
        ASSERT_EQ(document->pages.size(), 1);
        const Page &page = document->pages[0];
        ASSERT_TRUE(page.find("attrib"));
        EXPECT_EQ(page.find("attrib")->text, QStringLiteral("LOT 7")) << c.layout;
        ASSERT_TRUE(page.find("pro_qty"));
        EXPECT_EQ(page.find("pro_qty")->text, QString::fromUtf8(c.quantity)) << c.layout;
        EXPECT_EQ(page.count("column_detail"), 0) << c.layout;
        for (const PageItem &item : page.items)
            EXPECT_FALSE(item.text.contains(QStringLiteral("ไม่พิมพ์"))) << item.tag.toStdString();
    }
}

TEST_F(PrintingTest, PricedNoteTotalsAndWords)
{
    addDocument(1, "ISSU1000060", {{"CUST_NO", "C0001"}, {"CUST_NAME", "ฝ่ายบัญชีและการเงิน"},
                                   {"DISCOUNT", 20.0}},
                {{{"PRO_NO", "A"}, {"PRO_NAME", "สินค้า ก"}, {"PRO_QTY", 2.0},
                  {"UNIT_PRICE", 100.0}, {"DISCOUNT", 10.0}, {"PRICE", 180.0}},
                 {{"PRO_NO", "B"}, {"PRO_NAME", "สินค้า ข"}, {"ATTRIB", "สีฟ้า"}, {"PRO_QTY", 1.0},
                  {"UNIT_PRICE", 50.0}, {"PRICE", 55.0}}});
    const auto document = laidOut("TPrnDO1", "ISSU1000060");
    ASSERT_EQ(document->pages.size(), 1);
    const Page &page = document->pages[0];
    const struct
    {
        const char *tag;
        QString text;
    } expected[] = {
        {"subtotal", "230.00"},
        {"discount", "20.00"},
        {"after_discount", "210.00"},
        {"grand_total", "210.00"},
        {"grand_total_words", u'<' + BahtText(2100000) + u'>'},
    };
    for (const auto &e : expected) {
        ASSERT_TRUE(page.find(e.tag)) << e.tag;
        EXPECT_EQ(page.find(e.tag)->text, e.text) << e.tag;
    }
    EXPECT_EQ(page.find("grand_total_words")->text, QStringLiteral("<สองร้อยสิบบาทถ้วน>"));
    // The amount column prints the stored amounts; the item joins name and detail.
    const QList<const PageItem *> amounts = page.findAll("amount");
    ASSERT_EQ(amounts.size(), 2);
    EXPECT_EQ(amounts[0]->text, QStringLiteral("180.00"));
    EXPECT_EQ(amounts[1]->text, QStringLiteral("55.00"));
    const QList<const PageItem *> items = page.findAll("item");
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text, QStringLiteral("สินค้า ก "));
    EXPECT_EQ(items[1]->text, QStringLiteral("สินค้า ข สีฟ้า"));
    EXPECT_EQ(page.find("line_discount")->text, QStringLiteral("10"));
}

TEST_F(PrintingTest, PricedNoteEdgeCases)
{
    // No lines and no discount: a zero grand total prints only the brackets. A customer missing
    // from the register leaves the address empty; without a tax number that line is empty.
    addDocument(1, "ISSU1000061", {{"CUST_NO", "C9999"}, {"CUST_NAME", "ลูกค้าเก่า"}}, {});
    setSettings({{"OF_TAXID", ""}});
    const auto document = laidOut("TPrnDO1", "ISSU1000061");
    ASSERT_EQ(document->pages.size(), 1);
    const Page &page = document->pages[0];
    const struct
    {
        const char *tag;
        const char *text;
    } expected[] = {
        {"grand_total_words", "<>"}, {"grand_total", "0.00"}, {"subtotal", "0.00"},
        {"party_address", ""},       {"party_name", "ลูกค้าเก่า"}, {"party_code", "C9999"},
        {"tax_id", ""},
    };
    for (const auto &e : expected) {
        ASSERT_TRUE(page.find(e.tag)) << e.tag;
        EXPECT_EQ(page.find(e.tag)->text, QString::fromUtf8(e.text)) << e.tag;
    }
    EXPECT_EQ(page.count("line_no"), 0);
}

class SixtyLines : public PrintingTest, public testing::WithParamInterface<const char *>
{
};

TEST_P(SixtyLines, BreakIntoPagesWithHeaderAndFooter)
{
    const QString layout = QString::fromUtf8(GetParam());
    const bool order = layout == u"TPrnORD3";
    const QString number = order ? QStringLiteral("TORD5000070") : QStringLiteral("ISSU1000070");
    QList<QVariantMap> rows;
    for (int i = 1; i <= 60; ++i) {
        rows.append({{"PRO_NO", QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0'))},
                     {"PRO_NAME", QStringLiteral("สินค้าที่ %1").arg(i)},
                     {"ATTRIB", i % 3 == 0 ? QStringLiteral("LOT %1").arg(i) : QString()},
                     {"PRO_QTY", double(i)},
                     {"UNIT_PRICE", 10.0}});
    }
    addDocument(order ? 5 : 1, number, {{"CUST_NO", order ? "S0001" : "C0001"}}, rows);
    const auto document = laidOut(layout, number);
    ASSERT_GT(document->pages.size(), 1);

    const LayoutBands bands = BandsOf(layout);
    const BandOrigins origin = OriginsOf(*document, bands.header, bands.footer);
    int lines = 0;
    for (const Page &page : document->pages) {
        for (const char *tag : {"title", "company_name", "party_name", "number"})
            EXPECT_EQ(page.count(tag), 1) << "page " << page.number << " " << tag;
        for (const char *tag : {"left_signature", "right_signature"}) {
            ASSERT_EQ(page.count(tag), 1) << "page " << page.number << " " << tag;
            EXPECT_EQ(page.find(tag)->band, BandKind::PageFooter);
            EXPECT_GT(page.find(tag)->rect.top(), origin.footer);
        }
        const QList<const PageItem *> codes = page.findAll(layout == u"TPrnDO1" ? "line_no"
                                                                                : "pro_qty");
        ASSERT_FALSE(codes.isEmpty()) << "page " << page.number;
        // Lines stay between the header and the footer.
        EXPECT_GE(codes.first()->rect.top(), origin.firstDetail - 0.3 - kTolerance);
        if (layout == u"TPrnDO1") {
            // The numbering goes on across pages.
            EXPECT_EQ(codes.first()->text, QString::number(lines + 1)) << "page " << page.number;
        }
        lines += int(codes.size());
    }
    EXPECT_EQ(lines, 60);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SixtyLines,
                         testing::Values("TPrnDO8", "TPrnORD3", "TPrnDO9s", "TPrnDO2", "TPrnDO1"),
                         [](const testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param);
                         });

} // namespace
