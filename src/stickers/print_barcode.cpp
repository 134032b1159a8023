#include "stickers/print_barcode.h"

#include "common/shared_state.h"
#include "db/data_connection.h"
#include "report/report_preview.h"
#include "stickers/barcode_preview.h"
#include "stickers/sticker_job.h"
#include "stickers/sticker_positions_page.h"
#include "stickers/sticker_sheet.h"
#include "ui/dialogs.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A sample for the two preview barcodes until a product is chosen.
const QString kSampleCode = QStringLiteral("885000000000");

// A framed group of radio choices; the group's ids are the choices' item numbers from 0.
QGroupBox *Choices(QWidget *parent, const QString &title, const QStringList &items, int checked,
                   QButtonGroup **group)
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QHBoxLayout(box);
    *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), box);
        button->setChecked(i == checked);
        (*group)->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

QLineEdit *ReadOnlyBox(QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setReadOnly(true);
    return box;
}

} // namespace

Tprint_barcode::Tprint_barcode(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Tprint_barcode"));
    setWindowTitle(caption());
    buildForm();
    // The window's own connection; without it the list stays empty and the print buttons say
    // that there is no code to print.
    QString error;
    m_connection = OpenDataConnection(&error);
    if (!m_connection)
        Dialogs().error(this, error);
    move(0, 0); // top-left corner of the main window's client area
}

Tprint_barcode::~Tprint_barcode() = default;

void Tprint_barcode::buildForm()
{
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildOptions());
    m_pages = new QTabWidget(this);
    m_pages->addTab(buildProductPage(), QStringLiteral("ข้อมูลสินค้า    "));
    m_a4 = new StickerPositionsPage(QStringLiteral("กระดาษหรือสติกเกอร์แผ่น ขนาด A4 "), 10, QStringLiteral("A4"), this);
    m_a9 = new StickerPositionsPage(QStringLiteral("ป้ายสติกเกอร์อเนกประสงค์ ขนาด A4 / A9"), 10, QStringLiteral("A9"), this);
    m_a10 = new StickerPositionsPage(QStringLiteral("ป้ายสติกเกอร์อเนกประสงค์ ขนาด A10"), 8, QStringLiteral("A10"), this);
    m_pages->addTab(m_a4, QStringLiteral("พิมพ์ขนาด A4 "));
    m_pages->addTab(m_a9, QStringLiteral("พิมพ์ขนาด A9 "));
    m_pages->addTab(m_a10, QStringLiteral("พิมพ์ขนาด A10"));
    layout->addWidget(m_pages, 1);
    for (const auto &[page, sheet] : {std::pair{m_a4, StickerSheet::A4}, std::pair{m_a9, StickerSheet::A9},
                                      std::pair{m_a10, StickerSheet::A10}}) {
        connect(page, &StickerPositionsPage::printRequested, this,
                [this, sheet = sheet](Symbology symbology) { PrintClick(sheet, symbology); });
    }
}

QWidget *Tprint_barcode::buildOptions()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);

    auto *preview = new QGroupBox(column);
    auto *previewLayout = new QFormLayout(preview);
    m_eanPreview = new BarcodePreview(Symbology::Ean13, preview);
    m_code128Preview = new BarcodePreview(Symbology::Code128, preview);
    m_eanPreview->setValue(kSampleCode);
    m_code128Preview->setValue(kSampleCode);
    previewLayout->addRow(new QLabel(QStringLiteral("Ean13"), preview));
    previewLayout->addRow(m_eanPreview);
    previewLayout->addRow(new QLabel(QStringLiteral("Code128"), preview));
    previewLayout->addRow(m_code128Preview);
    m_code = ReadOnlyBox(preview);
    m_name = ReadOnlyBox(preview);
    m_code->installEventFilter(this);
    previewLayout->addRow(QStringLiteral("รหัสสินค้า"), m_code);
    previewLayout->addRow(QStringLiteral("ชื่อสินค้า"), m_name);
    layout->addWidget(preview);

    layout->addWidget(Choices(column, QStringLiteral(" กำหนดรหัสหลักที่ 13 อัตโนมัติ"),
                              {QStringLiteral("ไม่กำหนด"), QStringLiteral("กำหนด")}, 0, &m_checkDigit));
    auto *printed = new QHBoxLayout;
    const QStringList noYes = {QStringLiteral("ไม่พิมพ์"), QStringLiteral("พิมพ์")};
    printed->addWidget(Choices(column, QStringLiteral("  พิมพ์เส้น  "), noYes, 0, &m_lines));
    printed->addWidget(Choices(column, QStringLiteral("  พิมพ์ชื่อสินค้า  "), noYes, 0, &m_names));
    layout->addLayout(printed);
    layout->addWidget(Choices(column, QStringLiteral("  ตำแหน่งพิมพ์  "),
                              {QStringLiteral("ชิดซ้าย"), QStringLiteral("ตรงกลาง"), QStringLiteral("ชิดขวา")}, 1,
                              &m_alignment));

    auto *printer = new QGroupBox(QStringLiteral("  การตั้งค่าเครื่องพิมพ์  "), column);
    auto *printerLayout = new QFormLayout(printer);
    m_top = new QLineEdit(QStringLiteral("2"), printer);
    m_left = new QLineEdit(QStringLiteral("6"), printer);
    for (QLineEdit *box : {m_top, m_left})
        box->setMaxLength(3);
    printerLayout->addRow(QStringLiteral("ระยะกั้นบน (Top)"), m_top);
    printerLayout->addRow(QStringLiteral("ระยะกั้นซ้าย (Left)"), m_left);
    layout->addWidget(printer);
    layout->addStretch();
    return column;
}

QWidget *Tprint_barcode::buildProductPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Choices(page, QStringLiteral("  ค้นหาโดย  "),
                              {QStringLiteral("รหัส"), QStringLiteral("ชื่อ")}, 1, &m_searchBy));
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("ต้องการค้นหา"), page));
    m_search = new QLineEdit(page);
    m_search->installEventFilter(this);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);
    m_list = new QTableWidget(0, 2, page);
    m_list->setHorizontalHeaderLabels({QStringLiteral("รหัส"), QStringLiteral("ชื่อ")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 130);
    layout->addWidget(m_list, 1);
    connect(m_searchBy, &QButtonGroup::idClicked, this, [this] { SearchByClick(); });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { ProductListClick(row); });
    return page;
}

StickerPositionsPage *Tprint_barcode::sheetPage(StickerSheet sheet) const
{
    switch (sheet) {
    case StickerSheet::A9:
        return m_a9;
    case StickerSheet::A10:
        return m_a10;
    default:
        return m_a4;
    }
}

void Tprint_barcode::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        FormActivate();
    }
}

bool Tprint_barcode::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            SearchKeyEnter();
            return true;
        }
    }
    if (watched == m_code && event->type() == QEvent::FocusOut)
        CodeBoxExit();
    return QWidget::eventFilter(watched, event);
}

void Tprint_barcode::FormActivate()
{
    m_pages->setCurrentIndex(0);
    for (StickerPositionsPage *page : {m_a4, m_a9, m_a10})
        page->tickAll();
    readProducts();
    m_search->setFocus();
}

bool Tprint_barcode::searchingByName() const
{
    return m_searchBy->checkedId() == 1;
}

void Tprint_barcode::readProducts()
{
    m_products.clear();
    QString error;
    if (m_connection && !ReadStickerProducts(m_connection->database(), searchingByName(), &m_products, &error))
        Dialogs().error(this, error);
    showProducts();
    if (!m_products.isEmpty())
        chooseProduct(0);
}

void Tprint_barcode::showProducts()
{
    m_list->setRowCount(int(m_products.size()));
    for (int row = 0; row < m_products.size(); ++row) {
        m_list->setItem(row, 0, new QTableWidgetItem(m_products.at(row).code));
        m_list->setItem(row, 1, new QTableWidgetItem(m_products.at(row).name));
    }
}

void Tprint_barcode::SearchByClick()
{
    readProducts();
    m_search->setFocus();
}

void Tprint_barcode::SearchKeyEnter()
{
    const int found = FindProductStartingWith(m_products, m_search->text(), searchingByName());
    if (found >= 0)
        chooseProduct(found);
    else if (m_list->currentRow() >= 0)
        chooseProduct(m_list->currentRow());
}

void Tprint_barcode::ProductListClick(int row)
{
    if (row < 0 || row >= m_products.size())
        return;
    const StickerProduct &clicked = m_products.at(row);
    m_search->setText(searchingByName() ? clicked.name : clicked.code);
    // Two products of the same name or code: the first of them is chosen.
    const int first = FindProductEqualTo(m_products, m_search->text(), searchingByName());
    chooseProduct(first >= 0 ? first : row);
}

void Tprint_barcode::chooseProduct(int index)
{
    const StickerProduct &product = m_products.at(index);
    m_list->setCurrentCell(index, m_list->currentColumn() < 0 ? 0 : m_list->currentColumn());
    m_code->setText(product.code);
    m_name->setText(product.name);
    m_eanPreview->setValue(product.code);
    m_code128Preview->setValue(product.code);
    CodeBoxExit();
}

// The 13th digit rule, and the job's barcode follows the code box.
void Tprint_barcode::CodeBoxExit()
{
    m_eanPreview->setValue(m_code->text());
    if (m_checkDigit->checkedId() == 1)
        m_code->setText(WithThirteenthDigit(m_code->text()));
    Shared().StickerBarcode = m_code->text();
}

void Tprint_barcode::PrintClick(StickerSheet sheet, Symbology symbology)
{
    StickerRequest request;
    request.sheet = sheet;
    request.symbology = symbology;
    request.code = m_code->text();
    request.name = m_name->text();
    request.topText = m_top->text();
    request.leftText = m_left->text();
    request.printLines = m_lines->checkedId();
    request.printName = m_names->checkedId();
    request.alignment = m_alignment->checkedId();
    request.printedSlots = sheetPage(sheet)->ticked();
    StickerProblem problem;
    if (!HandOverStickerJob(request, &problem)) {
        Dialogs().message(this, problem.message);
        return;
    }
    ShowReportPreview(LayOutStickerSheet(sheet, symbology));
}
