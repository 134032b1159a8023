#include "documents/stock_line_panel.h"

#include "common/dates.h"
#include "common/shared_state.h"
#include "db/schema.h"
#include "documents/stock_messages.h"
#include "registers/product_register.h"
#include "ui/dialogs.h"
#include "ui/enter_moves_focus.h"
#include "ui/locale_number.h"
#include "ui/mode_indicator.h"
#include "ui/record_list_model.h"
#include "ui/search_panel.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 120;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *box(QWidget *parent, const char *name, const char *column = nullptr, bool readOnly = false)
{
    auto *edit = named(new QLineEdit(parent), name);
    if (column)
        edit->setMaxLength(ColumnWidth(QStringLiteral("invoice1"), QString::fromLatin1(column)));
    edit->setReadOnly(readOnly);
    return edit;
}

QString stockCountedText()
{
    return QStringLiteral(" ปรับ Stock สินค้า");
}

void colour(QLabel *label, const char *colour)
{
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(QLatin1String(colour)));
}

SearchPanelDef projectSearchDef()
{
    SearchPanelDef def;
    def.codeColumn = QStringLiteral("PROJ_NO");
    def.nameColumn = QStringLiteral("PROJ_NAME");
    def.codeHeader = QStringLiteral("รหัสโครงการ");
    def.nameHeader = QStringLiteral("ชื่อโครงการ");
    def.startsByName = false;
    def.codeLabel = QStringLiteral("รหัสโครงการ ");
    def.nameLabel = QStringLiteral("ชื่อโครงการ ");
    def.closeCaption = QStringLiteral("ตกลง");
    def.ownList = true;
    def.textEnterFocusesClose = true;
    return def;
}

} // namespace

StockLinePanel::StockLinePanel(StockDocumentStore *store, ModeIndicator *indicator, QWidget *parent)
    : QFrame(parent)
    , m_store(store)
    , m_indicator(indicator)
{
    setObjectName(QStringLiteral("LinePanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    build();
    hide();
}

StockLinePanel::~StockLinePanel() = default;

void StockLinePanel::build()
{
    auto *grid = new QGridLayout;
    int row = 0;
    const auto add = [&](QLabel *caption, QWidget *field, QWidget *beside = nullptr) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
        if (beside)
            grid->addWidget(beside, row, 2);
        ++row;
    };
    m_productCaption = new QLabel(QStringLiteral("รหัสสินค้า พัสดุ - ครุภัณฑ์"), this);
    m_product = box(this, "ProductBox", "PRO_NO");
    m_product->setMaxLength(ColumnWidth(QStringLiteral("product"), QStringLiteral("PRO_NAME")));
    add(m_productCaption, m_product);
    m_group = box(this, "GroupBox", "PRO_GROUP", true);
    add(new QLabel(QStringLiteral("กลุ่มสินค้า"), this), m_group);
    m_detail1Caption = new QLabel(QStringLiteral("หมายเลข / SN : "), this);
    m_detail1 = box(this, "Detail1", "ATTRIB");
    add(m_detail1Caption, m_detail1);
    m_detail2Caption = new QLabel(QStringLiteral("รายละเอียด 2"), this);
    m_detail2 = box(this, "Detail2", "ATTRIB2");
    add(m_detail2Caption, m_detail2);
    m_stock = named(new QLabel(this), "StockIndicator");
    grid->addWidget(m_stock, row++, 1);
    m_projectCode = box(this, "ProjectCode", "FOR_PROJ", true);
    m_projectSearch = named(new QPushButton(QStringLiteral("ค้น"), this), "ProjectSearch");
    add(new QLabel(QStringLiteral("รหัสโครงการ"), this), m_projectCode, m_projectSearch);
    m_projectName = box(this, "ProjectName", nullptr, true);
    add(new QLabel(QStringLiteral("ชื่อโครงการ"), this), m_projectName);
    m_balanceCaption = new QLabel(QStringLiteral("จำนวนคงเหลือ"), this);
    m_balance = box(this, "Balance", nullptr, true);
    add(m_balanceCaption, m_balance);
    m_quantityCaption = new QLabel(this);
    m_quantity = box(this, "Quantity");
    add(m_quantityCaption, m_quantity);
    m_unit = box(this, "Unit", "PRO_UNIT", true);
    add(new QLabel(QStringLiteral("หน่วยนับ"), this), m_unit);

    auto *side = new QVBoxLayout;
    m_picture = named(new QLabel(this), "ProductPicture");
    m_picture->setFixedSize(kPictureSize, kPictureSize);
    m_picture->setFrameShape(QFrame::Box);
    m_pictureName = named(new QLabel(this), "PictureName");
    auto *choice = new QGroupBox(QStringLiteral("ค้นหาโดย"), this);
    auto *choiceLayout = new QHBoxLayout(choice);
    m_searchBy = new QButtonGroup(this);
    for (int id = 0; id < 2; ++id) {
        auto *button = new QRadioButton(id == 0 ? QStringLiteral("รหัส") : QStringLiteral("ชื่อ"), choice);
        button->setObjectName(id == 0 ? QStringLiteral("ProductByCode") : QStringLiteral("ProductByName"));
        m_searchBy->addButton(button, id);
        choiceLayout->addWidget(button);
    }
    m_searchBy->button(1)->setChecked(true);
    side->addWidget(m_picture);
    side->addWidget(m_pictureName);
    side->addWidget(choice);
    side->addStretch();

    m_productModel = new RecordListModel({QStringLiteral("pro_no"), QStringLiteral("pro_name")},
                                         {QStringLiteral("รหัส"), QStringLiteral("ชื่อสินค้า พัสดุ - ครุภัณฑ์")}, this);
    m_productList = named(new QTableView(this), "ProductList");
    m_productList->setModel(m_productModel);
    m_productList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_productList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_productList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_productList->verticalHeader()->hide();
    m_productList->horizontalHeader()->setStretchLastSection(true);
    m_productList->installEventFilter(this);

    m_buttonRow = new QWidget(this);
    auto *buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_close = named(new QPushButton(QStringLiteral("จบ / ยกเลิก"), m_buttonRow), "LineClose");
    m_save = named(new QPushButton(QStringLiteral("บันทึก"), m_buttonRow), "LineSave");
    auto *refresh = named(new QPushButton(QStringLiteral("Refresh"), m_buttonRow), "ProductRefresh");
    buttons->addWidget(m_close);
    buttons->addStretch();
    buttons->addWidget(refresh);
    buttons->addWidget(m_save);

    auto *top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_productList, 1);
    layout->addWidget(buildProjectSearch(), 1);
    layout->addWidget(m_buttonRow);

    m_enter = new EnterMovesFocus(this);
    m_enter->chain({m_detail1, m_detail2, m_projectCode, m_projectName, m_balance, m_quantity, m_unit, m_save});
    m_enter->link(m_group, m_detail1);
    m_product->installEventFilter(this);

    connect(m_product, &QLineEdit::returnPressed, this, &StockLinePanel::ProductReturnPressed);
    connect(m_productList, &QTableView::clicked, this, [this](const QModelIndex &index) { ProductListClick(index.row()); });
    connect(m_searchBy, &QButtonGroup::idClicked, this, &StockLinePanel::SearchChoiceClick);
    connect(refresh, &QPushButton::clicked, this, &StockLinePanel::RefreshClick);
    connect(m_save, &QPushButton::clicked, this, &StockLinePanel::SaveClick);
    connect(m_close, &QPushButton::clicked, this, &StockLinePanel::CloseClick);
    connect(m_projectSearch, &QPushButton::clicked, this, &StockLinePanel::ProjectSearchClick);
}

QWidget *StockLinePanel::buildProjectSearch()
{
    m_projectPanel = new SearchPanel(projectSearchDef(), this);
    m_projectPanel->setObjectName(QStringLiteral("ProjectSearchPanel"));
    m_projectPanel->setListLoader([this](bool byName) {
        RecordList rows;
        QString error;
        if (!m_store->projects(byName, &rows, &error))
            Dialogs().error(this, error);
        return rows;
    });
    const auto closeSearch = [this] {
        m_projectPanel->hide();
        m_buttonRow->show();
    };
    connect(m_projectPanel->addButton(QStringLiteral("ProjectCancel"), QStringLiteral("ยกเลิก")), &QPushButton::clicked, this,
            closeSearch);
    connect(m_projectPanel->addButton(QStringLiteral("ProjectRefresh"), QStringLiteral("Refresh")), &QPushButton::clicked,
            m_projectPanel, &SearchPanel::RefreshClick);
    connect(m_projectPanel, &SearchPanel::findRequested, this, [this, closeSearch](bool byName, const QString &text) {
        projectChosen(byName, text);
        closeSearch();
    });
    return m_projectPanel;
}

QString StockLinePanel::balanceText() const
{
    return m_balance->text();
}

QString StockLinePanel::stockText() const
{
    return m_stock->isHidden() ? QString() : m_stock->text();
}

QString StockLinePanel::pictureCaption() const
{
    return m_pictureName->text();
}

void StockLinePanel::setMode(const QString &mode)
{
    m_mode = mode;
    m_indicator->setMode(mode);
}

bool StockLinePanel::byName() const
{
    return m_searchBy->checkedId() == 1;
}

void StockLinePanel::loadProducts()
{
    QString error;
    RecordList rows;
    if (!m_store->products(byName(), &rows, &error))
        Dialogs().error(this, error);
    m_products = rows;
    m_productModel->setRows(m_products);
}

int StockLinePanel::currentProductRow() const
{
    const QModelIndex index = m_productList->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void StockLinePanel::selectProductRow(int row)
{
    if (row < 0 || row >= m_products.size())
        return;
    const QModelIndex index = m_productModel->index(row, 0);
    m_productList->setCurrentIndex(index);
    m_productList->scrollTo(index);
}

void StockLinePanel::open(const QString &mode)
{
    setMode(mode);
    m_projectPanel->hide();
    m_buttonRow->show();
    m_product->setEnabled(true);
    if (m_products.isEmpty())
        loadProducts();
    m_quantityCaption->setText(m_store->kind().goodsOut() ? QStringLiteral("จำนวนจำหน่าย") : QStringLiteral("จำนวนนำเข้า"));
    m_pictureName->setText(QStringLiteral("Temp.jpg"));
    m_picture->clear();
    show();
    raise();
}

void StockLinePanel::openForAdd(const QString &number)
{
    m_number = number;
    m_stored.clear();
    m_productRow.clear();
    m_stockFlag.clear();
    open(QStringLiteral("add"));
    for (QLineEdit *edit : {m_quantity, m_product, m_detail1, m_detail2, m_projectCode, m_projectName, m_group, m_balance, m_unit})
        edit->clear();
    m_stock->clear();
    // Goods in show the detail captions only once a product is shown.
    m_detail1Caption->setVisible(!m_store->kind().goodsIn());
    m_detail2Caption->setVisible(!m_store->kind().goodsIn());
    m_product->setFocus();
}

void StockLinePanel::openForCorrection(const QString &number, const QVariantMap &line)
{
    m_number = number;
    m_stored = line;
    m_productRow.clear();
    m_stockFlag = line.value(QStringLiteral("CUT_STOCK")).toString();
    open(QStringLiteral("edit"));
    const QString code = line.value(QStringLiteral("PRO_NO")).toString();
    const QString name = line.value(QStringLiteral("PRO_NAME")).toString();
    m_group->setText(line.value(QStringLiteral("PRO_GROUP")).toString());
    m_unit->setText(line.value(QStringLiteral("PRO_UNIT")).toString());
    m_projectCode->setText(line.value(QStringLiteral("FOR_PROJ")).toString());
    QVariantMap project;
    QString error;
    if (!m_store->readProject(m_projectCode->text(), &project, &error))
        Dialogs().error(this, error);
    m_projectName->setText(project.value(QStringLiteral("PROJ_NAME")).toString());
    m_quantity->setText(NumberToBoxText(line.value(QStringLiteral("PRO_QTY")).toDouble()));
    m_detail1->setText(line.value(QStringLiteral("ATTRIB")).toString());
    m_detail2->setText(line.value(QStringLiteral("ATTRIB2")).toString());
    selectProductRow(m_products.findEqual(QStringLiteral("pro_no"), code));
    m_product->setText(byName() ? name : code);
    // The line's product as the register has it now; its quantity stays the line's.
    QVariantMap product;
    if (!m_store->readProduct(byName(), byName() ? name : code, &product, &error))
        Dialogs().error(this, error);
    if (!product.isEmpty()) {
        m_productRow = product;
        showProduct();
    } else {
        showStockFlag(m_stockFlag);
    }
    m_quantity->setFocus();
}

bool StockLinePanel::readProduct(const QString &code)
{
    QVariantMap product;
    QString error;
    if (!m_store->readProduct(false, code, &product, &error)) {
        Dialogs().error(this, error);
        return false;
    }
    m_productRow = product;
    if (!product.isEmpty())
        m_stockFlag = product.value(QStringLiteral("CUT_STOCK")).toString();
    return !product.isEmpty();
}

void StockLinePanel::loadPicture(const QString &code)
{
    const QString own = code + QStringLiteral(".jpg");
    const QString file = TRef_Part_Sql::PictureFile(Shared().DataFolder, code);
    const bool fellBack = !file.endsWith(QLatin1Char('/') + own);
    m_pictureName->setText(fellBack ? StockMessages::pictureMissing() : own);
    const QPixmap pixmap(file);
    if (pixmap.isNull()) {
        m_picture->clear();
        return;
    }
    m_picture->setPixmap(pixmap.scaled(kPictureSize, kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void StockLinePanel::showStockFlag(const QString &flag)
{
    m_stock->setText(flag == u"1" ? stockCountedText() : QStringLiteral(" ไม่ปรับ Stock สินค้า"));
    colour(m_stock, flag == u"1" ? "blue" : "red");
    m_stock->show();
}

void StockLinePanel::showProduct()
{
    m_detail1Caption->show();
    m_detail2Caption->show();
    showStockFlag(m_stockFlag);
    double balance = 0;
    if (IsStockCounted(m_stockFlag)) {
        QString error;
        const std::optional<double> value = m_store->balance(m_productRow.value(QStringLiteral("PRO_NO")).toString(), &error);
        if (!value)
            Dialogs().error(this, error);
        balance = value.value_or(0);
    }
    m_balance->setText(NumberToBoxText(balance));
    m_group->setText(m_productRow.value(QStringLiteral("PRO_GROUP")).toString());
    m_unit->setText(m_productRow.value(QStringLiteral("PRO_UNIT")).toString());
    m_unit->setReadOnly(true);
    if (m_mode != u"edit")
        m_quantity->setText(QStringLiteral("1"));
}

void StockLinePanel::productBoxEntered()
{
    m_balance->show();
    m_balanceCaption->show();
    if (m_store->kind().purchaseOrder()) {
        m_stock->setText(QStringLiteral(" ยังไม่ปรับ Stock สินค้า"));
        colour(m_stock, "green");
    } else {
        m_stock->setText(stockCountedText());
        colour(m_stock, "blue");
    }
    m_stock->show();
    // A quantity already typed stays.
    if (m_quantity->text().isEmpty())
        m_quantity->setText(QStringLiteral("1"));
}

void StockLinePanel::ProductReturnPressed()
{
    const QString text = m_product->text();
    if (!text.isEmpty()) {
        // Nothing found: the list stays where it was and its row is taken.
        selectProductRow(byName() ? m_products.findPrefix(QStringLiteral("pro_name"), text)
                                  : m_products.findEqual(QStringLiteral("pro_no"), text));
    }
    const int row = text.isEmpty() ? -1 : currentProductRow();
    m_product->setText(m_products.text(row, byName() ? QStringLiteral("pro_name") : QStringLiteral("pro_no")));
    if (!readProduct(m_products.text(row, QStringLiteral("pro_no")))) {
        Dialogs().message(this, StockMessages::productNotFound());
        m_product->setFocus();
        return;
    }
    loadPicture(m_productRow.value(QStringLiteral("PRO_NO")).toString());
    m_quantity->setText(QStringLiteral("1"));
    showProduct();
    if (byName())
        m_productList->setFocus();
    else
        m_detail1->setFocus();
}

void StockLinePanel::ProductListClick(int row)
{
    m_product->setText(m_products.text(row, byName() ? QStringLiteral("pro_name") : QStringLiteral("pro_no")));
    if (!readProduct(m_products.text(row, QStringLiteral("pro_no"))))
        return;
    loadPicture(m_productRow.value(QStringLiteral("PRO_NO")).toString());
    m_quantity->setText(QStringLiteral("1"));
    showProduct();
}

void StockLinePanel::ProductListReturnPressed()
{
    const int row = currentProductRow();
    m_product->setText(m_products.text(row, byName() ? QStringLiteral("pro_name") : QStringLiteral("pro_no")));
    if (readProduct(m_products.text(row, QStringLiteral("pro_no")))) {
        m_quantity->setText(QStringLiteral("1"));
        showProduct();
    }
    m_detail1->setFocus();
}

void StockLinePanel::SearchChoiceClick(int id)
{
    m_productCaption->setText(id == 1 ? QStringLiteral("ชื่อสินค้า ") : QStringLiteral("รหัสสินค้า "));
    loadProducts();
}

void StockLinePanel::RefreshClick()
{
    loadProducts();
}

void StockLinePanel::ProjectSearchClick()
{
    m_buttonRow->hide();
    m_projectPanel->open(RecordList(), -1);
}

void StockLinePanel::projectChosen(bool byName, const QString &text)
{
    Q_UNUSED(byName);
    Q_UNUSED(text);
    const int row = m_projectPanel->currentRow();
    if (row < 0)
        return;
    m_projectCode->setText(m_projectPanel->rows().text(row, QStringLiteral("PROJ_NO")));
    m_projectName->setText(m_projectPanel->rows().text(row, QStringLiteral("PROJ_NAME")));
}

void StockLinePanel::SaveClick()
{
    if (m_product->text().isEmpty() || (m_productRow.isEmpty() && m_stored.isEmpty())) {
        Dialogs().message(this, StockMessages::noProductChosen());
        return;
    }
    const QVariantMap &product = m_productRow.isEmpty() ? m_stored : m_productRow;
    m_product->setText(product.value(QStringLiteral("PRO_NO")).toString());
    m_stock->setVisible(m_stockFlag == u"1");
    QString message;
    if (!IsNumberText(m_quantity->text(), &message)) {
        Dialogs().message(this, message);
        m_quantity->setFocus();
        return;
    }
    LineEntry line;
    line.autoKey = m_stored.value(QStringLiteral("AUTO")).toLongLong();
    line.product = m_productRow;
    line.stored = m_stored;
    line.group = m_group->text();
    line.unit = m_unit->text();
    line.stockFlag = m_stockFlag;
    line.detail1 = m_detail1->text();
    line.detail2 = m_detail2->text();
    line.project = m_projectCode->text();
    line.quantity = m_quantity->text().trimmed().toDouble();

    const StockWriteResult saved = m_store->saveLine(m_number, line);
    using Status = StockWriteResult::Status;
    switch (saved.status) {
    case Status::Done:
        closePanel(true);
        return;
    case Status::NotEnoughStock:
        // What the other copies left of the product is what the user sees now.
        if (saved.product == product.value(QStringLiteral("PRO_NO")).toString())
            m_balance->setText(NumberToBoxText(saved.balance));
        Dialogs().message(this, StockMessages::notEnoughStock());
        m_quantity->setFocus();
        return;
    case Status::Missing:
        Dialogs().message(this, StockMessages::lineGone());
        closePanel(true);
        return;
    default:
        Dialogs().message(this, StockMessages::locked());
        emit linesChanged();
        return;
    }
}

void StockLinePanel::CloseClick()
{
    closePanel(false);
}

void StockLinePanel::closePanel(bool saved)
{
    setMode(QStringLiteral("normal"));
    m_projectPanel->hide();
    hide();
    emit closed(saved);
}

bool StockLinePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_product && event->type() == QEvent::FocusIn)
        productBoxEntered();
    if (watched == m_productList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ProductListReturnPressed();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
