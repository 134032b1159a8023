// What a user gets out of a printed PDF: the text as stored, searchable and copyable, and every
// text inside its own frame however long it is.
#include "printing_fixture.h"

#include "pdf_text.h"
#include "report/page_painter.h"
#include "report/report_output.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// Words whose Thai marks, sara am and Latin ligatures a PDF text layer loses most easily.
const QString kCompany = QStringLiteral("บริษัท น้ำใจ ผู้ผลิต ก๋วยเตี๋ยว จำกัด");
const QString kParty = QStringLiteral("ร้านปั๊มน้ำ ฝั่งธน office");
const QStringList kProducts = {QStringLiteral("น้ำปลา ตราปั๊ม 700 มล."),
                               QStringLiteral("เส้นก๋วยเตี๋ยว ผู้ใหญ่ 1 สตางค์"),
                               QStringLiteral("ถุงมือ ฝั่งซ้าย ffi office")};

struct LayoutCase
{
    const char *layout;
    const char *number;
};

const LayoutCase kLayouts[] = {
    {"TPrnDO8", "TEXT1000001"}, {"TPrnDO8", "TEXT3000001"}, {"TPrnORD3", "TEXT5000001"},
    {"TPrnDO9s", "TEXT1000001"}, {"TPrnDO2", "TEXT3000001"}, {"TPrnDO1", "TEXT1000001"},
};

class PrintedText : public PrintingTest
{
protected:
    void SetUp() override
    {
        PrintingTest::SetUp();
        ASSERT_TRUE(out.isValid());
        setSettings({{"OF_NAME", kCompany}, {"OF_EMAIL", "office@example.co.th"}});
    }

    void addDocuments(const QString &partyName, const QStringList &products)
    {
        QList<QVariantMap> lines;
        for (const QString &name : products)
            lines.append({{"PRO_NO", "P-001"}, {"PRO_NAME", name}, {"PRO_QTY", 3}, {"PRO_UNIT", "ชิ้น"}});
        for (const int kind : {1, 3, 5}) {
            addDocument(kind, QStringLiteral("TEXT%1").arg(kind) + QStringLiteral("000001"),
                        {{"CUST_NO", "C0001"}, {"CUST_NAME", partyName}, {"INV_DATE", "01/12/2569"}},
                        lines);
        }
    }

    QTemporaryDir out;
};

TEST_F(PrintedText, PdfTextIsTheStoredTextOnEveryLayout)
{
    addDocuments(kParty, kProducts);
    for (const LayoutCase &c : kLayouts) {
        SCOPED_TRACE(c.layout);
        const std::unique_ptr<DocumentLayout> layout = prepared(c.layout, c.number);
        ASSERT_TRUE(layout);
        const QString pdf = out.filePath(QStringLiteral("%1-%2.pdf").arg(c.layout, c.number));
        QString error;
        ASSERT_TRUE(WriteReportPdf(*layout->document(), pdf, &error)) << error.toStdString();

        ASSERT_FALSE(layout->data().header.isEmpty()) << "no header";
        const Page &page = layout->document()->pages.at(0);
        ASSERT_TRUE(page.find("title"));
        const QString text = PdfText(pdf);
        QStringList expected = {kCompany, kParty, page.find("title")->text};
        expected += kProducts;
        for (const QString &stored : expected)
            EXPECT_TRUE(text.contains(stored)) << stored.toStdString() << " not in\n" << text.toStdString();
        EXPECT_FALSE(text.contains(QChar(0xFB03))) << "a ligature stands for the letters ffi";
        for (const QChar ch : text)
            EXPECT_FALSE(ch.unicode() >= 0xF700 && ch.unicode() <= 0xF71F) << "private-use glyph form";
    }
}

// Renders page at 8 pixels per millimetre with and without its items tagged tag; every pixel that
// the tagged items change lies inside their frames' width (half a pixel of smoothing allowed).
void ExpectDrawnInsideFrames(const Page &page, QSizeF paper, const QString &tag)
{
    constexpr double kPixelsPerMm = 8;
    Page without = page;
    without.items.removeIf([&](const PageItem &item) { return item.tag == tag; });
    const QList<const PageItem *> tagged = page.findAll(tag);
    ASSERT_FALSE(tagged.isEmpty()) << tag.toStdString();
    const QImage with = RenderPageImage(page, paper, kPixelsPerMm);
    const QImage base = RenderPageImage(without, paper, kPixelsPerMm);
    ASSERT_EQ(with.size(), base.size());
    int changed = 0, outside = 0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) == base.pixel(x, y))
                continue;
            ++changed;
            const double mm = (x + 0.5) / kPixelsPerMm;
            const double ymm = (y + 0.5) / kPixelsPerMm;
            bool inside = false;
            for (const PageItem *item : tagged) {
                const QRectF &r = item->rect;
                inside = inside || (mm >= r.left() - 0.5 / kPixelsPerMm &&
                                    mm <= r.right() + 0.5 / kPixelsPerMm &&
                                    ymm >= r.top() - r.height() && ymm <= r.bottom() + r.height());
            }
            outside += inside ? 0 : 1;
        }
    }
    EXPECT_GT(changed, 0) << tag.toStdString() << " drew nothing";
    EXPECT_EQ(outside, 0) << tag.toStdString() << ": pixels drawn outside the frame";
}

TEST_F(PrintedText, LongNamesStayInsideTheirFrames)
{
    const QString longParty = QString(QStringLiteral("ห้างหุ้นส่วนจำกัด ร้านค้าปลีก ")).repeated(4).left(100);
    const QString longProduct = QString(QStringLiteral("สินค้าทดสอบ ชื่อยาว ")).repeated(3).left(50);
    ASSERT_EQ(longParty.size(), 100);
    ASSERT_EQ(longProduct.size(), 50);
    addDocuments(longParty, {longProduct});
    for (const LayoutCase &c : kLayouts) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.layout, c.number).toStdString());
        const std::shared_ptr<const ReportDocument> document = laidOut(c.layout, c.number);
        ASSERT_FALSE(document->pages.isEmpty());
        const Page &page = document->pages.at(0);
        ExpectDrawnInsideFrames(page, document->page.paperSize(), QStringLiteral("party_name"));
        const QString lineTag = page.find("pro_name") ? QStringLiteral("pro_name") : QStringLiteral("item");
        ExpectDrawnInsideFrames(page, document->page.paperSize(), lineTag);
    }
}

} // namespace
