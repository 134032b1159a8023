#include "ui/search_panel.h"

#include "ui/record_list_model.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

SearchPanel::SearchPanel(const SearchPanelDef &def, QWidget *parent)
    : QFrame(parent)
    , m_def(def)
{
    setObjectName(QStringLiteral("SearchPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto *choiceBox = new QGroupBox(QStringLiteral("  ค้นหาโดย  "), this);
    auto *choiceLayout = new QHBoxLayout(choiceBox);
    m_choice = new QButtonGroup(this);
    const QStringList choices = {QStringLiteral("รหัส"), QStringLiteral("ชื่อ")};
    for (int i = 0; i < choices.size(); ++i) {
        auto *button = new QRadioButton(choices[i], choiceBox);
        button->setObjectName(i == 0 ? QStringLiteral("SearchByCode") : QStringLiteral("SearchByName"));
        m_choice->addButton(button, i);
        choiceLayout->addWidget(button);
    }
    m_label = new QLabel(this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("SearchText"));
    m_text->setMaxLength(def.maxLength);
    m_close = new QPushButton(def.closeCaption, this);
    m_close->setObjectName(QStringLiteral("SearchClose"));

    m_model = new RecordListModel({def.codeColumn, def.nameColumn}, {def.codeHeader, def.nameHeader}, this);
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("SearchList"));
    m_list->setModel(m_model);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, m_list->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 15);
    m_list->installEventFilter(this);

    m_textRow = new QHBoxLayout;
    m_textRow->addWidget(m_text, 1);
    m_textRow->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(choiceBox);
    layout->addWidget(m_label);
    layout->addLayout(m_textRow);
    layout->addWidget(m_list, 1);

    connect(m_choice, &QButtonGroup::idClicked, this, &SearchPanel::ChoiceClick);
    connect(m_text, &QLineEdit::returnPressed, this, &SearchPanel::TextReturnPressed);
    connect(m_list, &QTableView::clicked, this, [this](const QModelIndex &index) { ListClick(index.row()); });
    connect(m_close, &QPushButton::clicked, this, &SearchPanel::CloseClick);
    hide();
}

SearchPanel::~SearchPanel() = default;

QPushButton *SearchPanel::addButton(const QString &objectName, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    m_textRow->addWidget(button);
    return button;
}

bool SearchPanel::byName() const
{
    return m_choice->checkedId() == 1;
}

QString SearchPanel::text() const
{
    return m_text->text();
}

int SearchPanel::find(const RecordList &rows, const SearchPanelDef &def, bool byName, const QString &text)
{
    return byName ? rows.findPrefix(def.nameColumn, text) : rows.findEqual(def.codeColumn, text);
}

void SearchPanel::open(const RecordList &registerRows, int current)
{
    m_choice->button(m_def.startsByName ? 1 : 0)->setChecked(true);
    m_label->setText(m_def.startsByName ? m_def.nameLabel : m_def.codeLabel);
    m_rows = registerRows;
    loadList();
    if (!m_def.ownList)
        selectRow(current);
    m_text->clear();
    show();
    raise();
    m_text->setFocus();
}

void SearchPanel::loadList()
{
    if (m_def.ownList && m_loader)
        m_rows = m_loader(byName());
    m_model->setRows(m_rows);
}

void SearchPanel::selectRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

int SearchPanel::currentRow() const
{
    return m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
}

QString SearchPanel::rowValue(int row) const
{
    return m_rows.text(row, byName() ? m_def.nameColumn : m_def.codeColumn);
}

void SearchPanel::ChoiceClick(int id)
{
    m_label->setText(id == 1 ? m_def.nameLabel : m_def.codeLabel);
    if (m_def.ownList)
        loadList();
    m_text->setFocus();
}

void SearchPanel::TextReturnPressed()
{
    if (!m_def.ownList) {
        CloseClick();
        return;
    }
    // Nothing found: the list stays and its current row is taken.
    selectRow(find(m_rows, m_def, byName(), m_text->text()));
    if (currentRow() >= 0)
        m_text->setText(rowValue(currentRow()));
    if (byName() && !m_def.textEnterFocusesClose)
        m_list->setFocus();
    else
        m_close->setFocus();
}

void SearchPanel::RefreshClick()
{
    loadList();
    m_text->setFocus();
}

void SearchPanel::ListClick(int row)
{
    m_text->setText(rowValue(row));
    if (!m_def.ownList)
        emit rowChosen(row);
}

void SearchPanel::ListReturnPressed()
{
    if (currentRow() >= 0)
        ListClick(currentRow());
    m_close->setFocus();
}

void SearchPanel::CloseClick()
{
    hide();
    emit findRequested(byName(), m_text->text());
}

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListReturnPressed();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
