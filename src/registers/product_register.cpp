#include "registers/product_register.h"

#include "common/shared_state.h"
#include "db/stock_balance.h"
#include "registers/register_statements.h"
#include "registers/register_sticker_sheet.h"
#include "ui/dialogs.h"
#include "ui/locale_number.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kTable = QStringLiteral("product");
constexpr int kPictureSize = 175;

FieldDef line(const char *column, const QString &caption, int boxLimit = 0, const QString &note = {})
{
    return TextField(kTable, QString::fromLatin1(column), caption, boxLimit, note);
}

} // namespace

RegisterDef ProductRegisterDef()
{
    RegisterDef def;
    def.className = QStringLiteral("TRef_Part_Sql");
    def.caption = QStringLiteral(" ทะเบียนสินค้า");
    def.codeColumn = QStringLiteral("PRO_NO");
    def.nameColumn = QStringLiteral("PRO_NAME");

    def.fields = {line("PRO_NO", QStringLiteral("รหัสสินค้า"), 13, QStringLiteral("( ไม่เกิน 13 หลัก )")),
                   line("PRO_NAME", QStringLiteral("ชื่อสินค้า"), 40),
                   line("PRO_UNIT", QStringLiteral("หน่วยนับ"), 10),
                   line("PRO_GROUP", QStringLiteral("กลุ่มสินค้า"), 5),
                   line("CUT_STOCK", QStringLiteral("ตัดสต๊อคหรือไม่"), 1, QStringLiteral("0 = ไม่ตัด  1 =  ตัด")),
                   line("LOCATE", QStringLiteral("สถานที่เก็บ"), 50),
                   MemoField(QStringLiteral("ATTRIB"), QStringLiteral("หมายเหตุ"), BoxLimit(kTable, QStringLiteral("ATTRIB"), 200)),
                   NumberField(QStringLiteral("PRO_RORDER"), QStringLiteral("จำนวนต่ำสุดที่ต้องนำเข้า")),
                   line("EXPIRE", QStringLiteral("วันสิ้นอายุ")),
                   HiddenField(QStringLiteral("WARN_TERM"))};
    def.enterChains = {{"PRO_NO", "PRO_NAME", "PRO_UNIT", "PRO_GROUP", "CUT_STOCK", "LOCATE", "ATTRIB"},
                        {"PRO_RORDER", "EXPIRE", "PRO_NO"}};
    def.searchBeside = QStringLiteral("PRO_NO");
    def.search.codeColumn = def.codeColumn;
    def.search.nameColumn = def.nameColumn;
    def.search.codeHeader = QStringLiteral("รหัส");
    def.search.nameHeader = QStringLiteral("ชื่อสินค้า");
    def.search.startsByName = false;
    def.search.codeLabel = def.search.nameLabel = QStringLiteral("พิมพ์รายการที่ค้นหา");
    def.search.closeCaption = QStringLiteral("กลับ");
    def.search.ownList = true;
    // The warranty term has no box: a new product takes the one of the product on display.
    def.add = {{{"CUT_STOCK", "1"}, {"PRO_RORDER", "0"}}, {"EXPIRE", "WARN_TERM"}};
    def.copy = NewRecordPreset{{{"CUT_STOCK", "1"}},
                                {"PRO_NO", "PRO_NAME", "PRO_UNIT", "PRO_GROUP", "PRO_RORDER", "ATTRIB", "EXPIRE", "WARN_TERM"}};
    def.messages.duplicateOnSave = QStringLiteral("รหัสซ้ำ...");
    def.messages.emptyCode = QStringLiteral("ข้อมูลไม่ครบ ....");
    def.freeCodeFocusesName = true;
    return def;
}

RegisterTable ProductTable()
{
    return {kTable,
            QStringLiteral("PRO_NO"),
            QStringLiteral("PRO_NAME"),
            {"PRO_NO", "PRO_NAME", "PRO_UNIT", "PRO_GROUP", "CUT_STOCK", "ATTRIB", "LOCATE", "PRO_RORDER", "WARN_TERM", "EXPIRE"},
            {"PRO_RORDER"},
            {"invoice1", "order1", "Tmpord1"}};
}

TRef_Part_Sql::TRef_Part_Sql(QWidget *parent)
    : RegisterWindow(ProductRegisterDef(), parent)
{
    connect(addNormalOnlyButton(QStringLiteral("PRO_NO"), QStringLiteral("Barcode"),
                                QStringLiteral("พิมพ์บาร์โค๊ด รหัส Ean 13")),
            &QToolButton::clicked, this, &TRef_Part_Sql::BarcodeClick);

    m_unitEcho = new QLabel(this);
    m_unitEcho->setObjectName(QStringLiteral("UnitEcho"));
    fields()->addBeside(QStringLiteral("PRO_RORDER"), m_unitEcho);
    connect(static_cast<QLineEdit *>(fields()->box(QStringLiteral("PRO_UNIT"))), &QLineEdit::textChanged,
            m_unitEcho, &QLabel::setText);

    auto *side = new QVBoxLayout;
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture"));
    m_picture->setFixedSize(kPictureSize, kPictureSize);
    m_picture->setFrameShape(QFrame::Box);
    auto *stockBox = new QGroupBox(QStringLiteral("จำนวนคงเหลือ"), this);
    m_stock = new QLabel(stockBox);
    m_stock->setObjectName(QStringLiteral("Stock"));
    m_stock->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (new QVBoxLayout(stockBox))->addWidget(m_stock);
    side->addWidget(m_picture);
    side->addWidget(stockBox);
    side->addStretch();
    bodyLayout()->addLayout(side);

    QString error;
    std::unique_ptr<SqlRegisterStore> store = OpenRegisterStore(ProductTable(), &error);
    m_store = store.get();
    if (store)
        m_balances = std::make_unique<StockBalanceQuery>(store->database());
    start(std::move(store), error);
}

TRef_Part_Sql::~TRef_Part_Sql() = default;

QString TRef_Part_Sql::stockText() const
{
    return m_stock->text();
}

QPixmap TRef_Part_Sql::picture() const
{
    return m_picture->pixmap();
}

QString TRef_Part_Sql::PictureFile(const QString &dataFolder, const QString &code)
{
    const QDir folder(dataFolder + QStringLiteral("picture"));
    const bool staysInFolder = !code.isEmpty() && !code.contains(u'/') && !code.contains(u'\\') && code != u"..";
    const QString own = folder.filePath(code + QStringLiteral(".jpg"));
    if (staysInFolder && QImageReader(own).canRead())
        return own;
    const QString fallBack = folder.filePath(QStringLiteral("temp.jpg"));
    return QImageReader(fallBack).canRead() ? fallBack : QString();
}

void TRef_Part_Sql::recordShown(int row)
{
    const QString file = row < 0 ? QString() : PictureFile(Shared().DataFolder, rows().text(row, QStringLiteral("PRO_NO")));
    const QPixmap pixmap(file);
    if (pixmap.isNull())
        m_picture->clear();
    else
        m_picture->setPixmap(pixmap.scaled(kPictureSize, kPictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    showStock(row);
}

void TRef_Part_Sql::showStock(int row)
{
    const double opening = rows().value(row, QStringLiteral("PRO_TOTAL")).toDouble(); // empty is 0
    if (row < 0 || rows().text(row, QStringLiteral("CUT_STOCK")) == u"0" || !m_balances) {
        m_stock->setText(NumberToBoxText(opening));
        return;
    }
    QString error;
    const std::optional<double> balance = m_balances->balance(rows().text(row, QStringLiteral("PRO_NO")), opening, &error);
    if (!balance) {
        m_stock->clear();
        Dialogs().error(this, error);
        return;
    }
    m_stock->setText(NumberToBoxText(*balance));
}

void TRef_Part_Sql::newRecordStarted(bool copy)
{
    if (!copy)
        m_stock->clear();
}

void TRef_Part_Sql::BarcodeClick()
{
    const QString code = fieldText(QStringLiteral("PRO_NO"));
    if (code.size() != 13) {
        Dialogs().message(this, QStringLiteral("รหัส 13 หลัก ( EAN13 ) เท่านั้น"));
        return;
    }
    Shared().RegisterStickerCode = code;
    Shared().RegisterStickerName = fieldText(QStringLiteral("PRO_NAME"));
    const RegisterStickerSheetOpener &open = CurrentRegisterStickerSheetOpener();
    if (!open)
        return;
    const int position = current();
    if (QWidget *preview = open())
        connect(preview, &QObject::destroyed, this, [this, position] { moveTo(position); });
}
