// Layout of the stock document window: the tool bar, the header and party panels, the lines with
// their buttons, and the pages that replace the main page (the document list, the party search).
#include "documents/edit_authority_panel.h"
#include "documents/stock_line_panel.h"
#include "documents/stock_window.h"

#include "db/schema.h"
#include "ui/dialogs.h"
#include "ui/editing_tool_bar.h"
#include "ui/enter_moves_focus.h"
#include "ui/mode_indicator.h"
#include "ui/record_list_model.h"
#include "ui/record_navigator.h"
#include "ui/search_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *box(QWidget *parent, const char *name, int maxLength, bool readOnly = true)
{
    auto *edit = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setReadOnly(readOnly);
    return edit;
}

int headerWidth(const char *column)
{
    return ColumnWidth(QStringLiteral("invoice"), QString::fromLatin1(column));
}

int partyWidth(const char *column)
{
    return ColumnWidth(QStringLiteral("customer"), QString::fromLatin1(column));
}

// Captions above their boxes, one row.
void addCaptioned(QGridLayout *grid, int column, QLabel *caption, QWidget *field, int stretch = 1)
{
    grid->addWidget(caption, 0, column);
    grid->addWidget(field, 1, column);
    grid->setColumnStretch(column, stretch);
}

QTableView *readOnlyGrid(QWidget *parent, const char *name, QAbstractItemModel *model)
{
    auto *view = named(new QTableView(parent), name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

ModeIndicator::Colours stockColours()
{
    // Yellow while browsing, blue while adding, green while editing.
    return {QStringLiteral("#ffe066"), QStringLiteral("#6fa8ff"), QStringLiteral("#7fd67f")};
}

SearchPanelDef partySearchDef()
{
    SearchPanelDef def;
    def.codeColumn = QStringLiteral("cust_no");
    def.nameColumn = QStringLiteral("cust_name");
    def.codeHeader = QStringLiteral("รหัส");
    def.nameHeader = QStringLiteral("ชื่อ");
    def.startsByName = true;
    def.codeLabel = def.nameLabel = QStringLiteral("ข้อมูลการค้นหา");
    def.closeCaption = QStringLiteral("ใช้ข้อมูลนี้");
    def.ownList = true;
    def.maxLength = partyWidth("CUST_NAME");
    return def;
}

} // namespace

void Tstock::buildLayout()
{
    m_enter = new EnterMovesFocus(this);
    buildToolBar();

    m_mainPage = new QWidget(this);
    auto *main = new QVBoxLayout(m_mainPage);
    main->setContentsMargins(2, 2, 2, 2);
    main->addWidget(buildHeaderPanel());
    main->addWidget(buildPartyPanel());
    main->addWidget(buildLinesPanel(), 1);

    m_partySearchPanel = new SearchPanel(partySearchDef(), this);
    m_partySearchPanel->setObjectName(QStringLiteral("PartySearchPanel"));
    m_partySearchPanel->setListLoader([this](bool byName) {
        RecordList rows;
        QString error;
        if (m_store && !m_store->parties(byName, &rows, &error))
            Dialogs().error(this, error);
        return rows;
    });
    connect(m_partySearchPanel->addButton(QStringLiteral("PartySearchCancel"), QStringLiteral("ยกเลิก")), &QPushButton::clicked,
            this, &Tstock::PartySearchCancelClick);
    connect(m_partySearchPanel->addButton(QStringLiteral("PartySearchRefresh"), QStringLiteral("Refresh")), &QPushButton::clicked,
            m_partySearchPanel, &SearchPanel::RefreshClick);
    connect(m_partySearchPanel, &SearchPanel::findRequested, this, &Tstock::partySearchChosen);

    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_mainPage);
    m_pages->addWidget(buildDocumentListPage());
    m_pages->addWidget(m_partySearchPanel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_pages, 1);

}

void Tstock::buildPanels()
{
    // Floating over the main page.
    m_linePanel = new StockLinePanel(m_store.get(), m_lineIndicator, this);
    connect(m_linePanel, &StockLinePanel::closed, this, &Tstock::linePanelClosed);
    connect(m_linePanel, &StockLinePanel::linesChanged, this, &Tstock::reloadLines);
    m_authorityPanel = new EditAuthorityPanel(m_store.get(), this);
    m_authorityPanel->resize(320, 150);
    connect(m_authorityPanel, &EditAuthorityPanel::authorityChanged, this, [this](bool granted) { m_editAuthority = granted; });
}

void Tstock::buildToolBar()
{
    // The header's own indicator sits beside the header panel.
    for (QAction *action : m_toolBar->actions()) {
        if (m_toolBar->widgetForAction(action) == m_toolBar->indicator())
            action->setVisible(false);
    }
    m_headerIndicator->setObjectName(QStringLiteral("HeaderIndicator"));
    m_headerIndicator->setColours(stockColours());
    m_add = m_toolBar->addButton("Add", QStringLiteral("เ&พิ่ม"), this, &Tstock::AddClick);
    m_add->setToolTip(QStringLiteral("เพิ่มข้อมูล"));
    m_edit = m_toolBar->addButton("Edit", QStringLiteral("แ&ก้ไข"), this, &Tstock::EditClick);
    m_delete = m_toolBar->addButton("Delete", QStringLiteral("&ลบ"), this, &Tstock::DeleteClick);
    m_save = m_toolBar->addButton("Save", QStringLiteral("บัน&ทึก"), this, &Tstock::SaveClick);
    m_save->setToolTip(QStringLiteral("บันทึก"));
    m_cancel = m_toolBar->addButton("Cancel", QStringLiteral("ไ&ม่บันทึก"), this, &Tstock::CancelClick);
    m_cancel->setToolTip(QStringLiteral("ยกเลิก"));
    m_print = m_toolBar->addButton("Print", QString(), this, &Tstock::PrintClick);
    m_search = m_toolBar->addButton("Search", QStringLiteral("ค้นหา"), this, &Tstock::SearchClick);
    m_search->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_quit = m_toolBar->addButton("Quit", QStringLiteral("เ&ลิก"), this, &Tstock::QuitClick);
    m_quit->setToolTip(QStringLiteral("เลิกการทำงาน"));
    m_navigator = new RecordNavigator(m_toolBar);
    connect(m_navigator, &RecordNavigator::moveRequested, this, &Tstock::NavigatorMove);
    for (QAction *move : {m_search, m_navigator->first(), m_navigator->prior(), m_navigator->next(), m_navigator->last()}) {
        move->setToolTip(move->text());
        if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(move)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    m_refresh = m_toolBar->addButton("Refresh", QStringLiteral("Refresh"), this, &Tstock::RefreshClick);

    for (QAction *action : {m_add, m_edit, m_delete, m_print, m_search, m_quit, m_refresh})
        m_states.addNormalOnly(action);
    m_states.addNormalOnly([this](bool on) { m_navigator->setEnabled(on); });
    m_states.addEditingOnly(m_save);
    m_states.addEditingOnly(m_cancel);
}

QWidget *Tstock::buildHeaderPanel()
{
    auto *panel = named(new QWidget(this), "HeaderPanel");
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    auto *grid = new QGridLayout;
    m_number = box(panel, "DocumentNumber", headerWidth("INV_NO"));
    m_date = box(panel, "DocumentDate", headerWidth("INV_DATE"));
    m_time = box(panel, "DocumentTime", headerWidth("INV_TIME"));
    m_referenceCaption = new QLabel(panel);
    m_reference = box(panel, "Reference", headerWidth("REF_ORDER"));
    m_employee = named(new QComboBox(panel), "Employee");
    // The box shows the stored name of any document; a name is picked from the list only.
    m_employee->setEditable(true);
    m_employee->lineEdit()->setReadOnly(true);
    m_employee->setInsertPolicy(QComboBox::NoInsert);
    addCaptioned(grid, 0, new QLabel(QStringLiteral("ใบสำคัญเลขที่"), panel), m_number);
    addCaptioned(grid, 1, new QLabel(QStringLiteral("วันที่"), panel), m_date);
    addCaptioned(grid, 2, new QLabel(QStringLiteral("เวลา"), panel), m_time);
    addCaptioned(grid, 3, m_referenceCaption, m_reference, 2);
    addCaptioned(grid, 4, new QLabel(QStringLiteral("พนักงาน"), panel), m_employee, 2);
    m_picture = named(new QLabel(panel), "WindowPicture");
    m_picture->setFixedSize(96, 48);
    row->addLayout(grid, 1);
    row->addWidget(m_headerIndicator, 0, Qt::AlignBottom);
    row->addWidget(m_picture);

    m_enter->chain({m_date, m_time, m_reference, m_employee});
    connect(m_employee, &QComboBox::activated, this, &Tstock::EmployeeActivated);
    return panel;
}

QWidget *Tstock::buildPartyPanel()
{
    auto *panel = named(new QWidget(this), "PartyPanel");
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 4, 0, 4);
    m_partyCodeCaption = new QLabel(panel);
    m_partyCode = box(panel, "PartyCode", 13);
    m_partyCode->setToolTip(QStringLiteral("ใส่รหัสลูกค้าที่ทราบ หรือ Enter (ว่าง)  สำหรับค้นหา"));
    m_partySearch = named(new QToolButton(panel), "PartySearch");
    m_partySearch->setText(QStringLiteral("?"));
    m_partyNameCaption = new QLabel(panel);
    m_partyName = box(panel, "PartyName", partyWidth("CUST_NAME"));
    m_address1 = box(panel, "Address1", partyWidth("CUST_ADD1"));
    m_address2 = box(panel, "Address2", partyWidth("CUST_ADD2"));
    m_province = box(panel, "Province", partyWidth("CUST_ADD4"));
    m_zip = box(panel, "Zip", partyWidth("CUST_ZIP"));
    m_tel = box(panel, "Tel", partyWidth("CUST_TEL"));
    m_fax = box(panel, "Fax", partyWidth("CUST_FAX"));

    auto *code = new QHBoxLayout;
    code->addWidget(m_partyCode);
    code->addWidget(m_partySearch);
    grid->addWidget(m_partyCodeCaption, 0, 0);
    grid->addLayout(code, 0, 1);
    grid->addWidget(m_partyNameCaption, 0, 2);
    grid->addWidget(m_partyName, 0, 3, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("ที่อยู่"), panel), 1, 0);
    grid->addWidget(m_address1, 1, 1, 1, 3);
    grid->addWidget(m_address2, 1, 4, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("จังหวัด"), panel), 2, 0);
    grid->addWidget(m_province, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("รหัสไปรษณีย์"), panel), 2, 2);
    grid->addWidget(m_zip, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("โทร."), panel), 3, 0);
    grid->addWidget(m_tel, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("โทร. / Fax"), panel), 3, 2);
    grid->addWidget(m_fax, 3, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(5, 1);

    m_states.addEditingOnly(m_partySearch);
    connect(m_partyCode, &QLineEdit::returnPressed, this, &Tstock::PartyCodeReturnPressed);
    connect(m_partySearch, &QToolButton::clicked, this, &Tstock::PartySearchClick);
    return panel;
}

QWidget *Tstock::buildLinesPanel()
{
    auto *panel = named(new QWidget(this), "LinesPanel");
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("รายการสินค้า พัสดุ - ครุภัณฑ์"), panel));
    m_linesModel = new RecordListModel(
        {QStringLiteral("PRO_NO"), QStringLiteral("PRO_NAME"), QStringLiteral("ATTRIB"), QStringLiteral("PRO_GROUP"),
         QStringLiteral("PRO_QTY"), QStringLiteral("PRO_UNIT"), QStringLiteral("FOR_PROJ")},
        {QStringLiteral("รหัส"), QStringLiteral("ชื่อสินค้า พัสดุ - ครุภัณฑ์"), QStringLiteral("รายละเอียด/SN"),
         QStringLiteral("กลุ่มสินค้า"), QStringLiteral("จำนวน"), QStringLiteral("หน่วยนับ"), QStringLiteral("เพื่อโครงการ")},
        this);
    m_grid = readOnlyGrid(panel, "LinesGrid", m_linesModel);
    m_grid->setColumnWidth(0, 120);
    m_grid->setColumnWidth(1, 240);
    m_grid->installEventFilter(this);

    m_lineAdd = named(new QPushButton(QStringLiteral("เพิ่ม"), panel), "LineAdd");
    m_lineAdd->setToolTip(QStringLiteral("เพิ่มรายการ"));
    m_lineDelete = named(new QPushButton(QStringLiteral("ลบ"), panel), "LineDelete");
    m_lineDelete->setToolTip(QStringLiteral("ลบรายการ"));
    m_lineEdit = named(new QPushButton(QStringLiteral("แก้ไข"), panel), "LineEdit");
    m_lineIndicator = named(new ModeIndicator(panel), "LineIndicator");
    m_lineIndicator->setColours(stockColours());
    auto *buttons = new QVBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(m_lineAdd), static_cast<QWidget *>(m_lineDelete),
                            static_cast<QWidget *>(m_lineEdit), static_cast<QWidget *>(m_lineIndicator)})
        buttons->addWidget(widget);
    buttons->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(m_grid, 1);
    row->addLayout(buttons);
    layout->addLayout(row, 1);

    connect(m_lineAdd, &QPushButton::clicked, this, &Tstock::LineAddClick);
    connect(m_lineDelete, &QPushButton::clicked, this, &Tstock::LineDeleteClick);
    connect(m_lineEdit, &QPushButton::clicked, this, &Tstock::LineEditClick);
    return panel;
}

QWidget *Tstock::buildDocumentListPage()
{
    auto *page = named(new QWidget(this), "DocumentListPage");
    auto *layout = new QVBoxLayout(page);
    m_documentListModel = new RecordListModel({QStringLiteral("inv_no")}, {QStringLiteral("เลขใบสำคัญ")}, this);
    m_documentList = readOnlyGrid(page, "DocumentList", m_documentListModel);
    m_documentList->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto *back = named(new QPushButton(QStringLiteral("กลับรายการหลัก"), page), "DocumentListBack");
    layout->addWidget(m_documentList, 1);
    layout->addWidget(back);
    connect(m_documentList, &QTableView::clicked, this, [this](const QModelIndex &index) { moveTo(index.row()); });
    connect(back, &QPushButton::clicked, this, &Tstock::DocumentListBackClick);
    return page;
}

void Tstock::applyKindCaptions()
{
    const bool out = m_kind->goodsOut();
    setWindowTitle(out ? QStringLiteral(" จำหน่ายสินค้า") : m_kind->goodsIn() ? QStringLiteral(" นำเข้า") : QStringLiteral("ใบสั่งสินค้า"));
    m_partyCodeCaption->setText(out ? QStringLiteral("รหัสผู้เบิก") : QStringLiteral("รหัสผู้นำเข้า"));
    m_partyNameCaption->setText(out ? QStringLiteral("ชื่อผู้เบิก") : QStringLiteral("ชื่อผู้นำเข้า"));
    m_referenceCaption->setText(out ? QStringLiteral("อ้างถึงใบขอเบิก") : QStringLiteral("อ้างถึง"));
    m_print->setText(out ? QStringLiteral("ใบจำหน่าย") : m_kind->goodsIn() ? QStringLiteral("ใบนำเข้า") : QStringLiteral("ใบสั่งสินค้า"));
}
