#pragma once

#include "ui/record_list.h"

#include <QFrame>
#include <QPoint>

#include <functional>

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordListModel;

// How a register's search panel behaves; the registers differ only in these points.
struct SearchPanelDef
{
    QString codeColumn;
    QString nameColumn;
    QString codeHeader; // list column captions
    QString nameHeader;
    bool startsByName = true;
    // The label above the search text, by the choice.
    QString codeLabel;
    QString nameLabel;
    QString closeCaption = QStringLiteral("OK");
    // An own list (the product register): the panel lists codes and names ordered by the chosen
    // column, Enter only finds in that list, and the close button moves the register. Without
    // one the panel shows the register's own list: choosing a row there moves the record shown,
    // and Enter in the search text finds and closes at once.
    bool ownList = false;
    int maxLength = 40;
    // With an own list: Enter in the search text sends the focus to the close button by name as
    // well (otherwise by name it goes to the list).
    bool textEnterFocusesClose = false;
    // Top-left corner of the panel over the register's fields.
    QPoint position{8, 8};
};

// The search panel laid over a register's fields: a choice "by code" / "by name", the search
// text, a list and a close button. Codes match when equal ignoring letter case, names when they
// begin with the text, letter case counting.
class SearchPanel : public QFrame
{
    Q_OBJECT
public:
    // Gives the panel's own list ordered by the chosen column (byName false: by code).
    using ListLoader = std::function<RecordList(bool byName)>;

    SearchPanel(const SearchPanelDef &def, QWidget *parent = nullptr);
    ~SearchPanel() override;

    void setListLoader(ListLoader loader) { m_loader = std::move(loader); }
    // Shows the panel at its starting choice with an empty search text; registerRows is the
    // register's list (shown without an own list), current its row on display.
    void open(const RecordList &registerRows, int current);

    bool byName() const;
    QString text() const;
    QLineEdit *textBox() const { return m_text; }
    QTableView *list() const { return m_list; }
    QPushButton *closeButton() const { return m_close; }
    // A further button right of the close button ("ยกเลิก", "Refresh"); the caller connects it.
    QPushButton *addButton(const QString &objectName, const QString &caption);
    // The rows listed and the one selected (-1 for none).
    const RecordList &rows() const { return m_rows; }
    int currentRow() const;

    static int find(const RecordList &rows, const SearchPanelDef &def, bool byName, const QString &text);

public slots:
    void ChoiceClick(int id);
    void TextReturnPressed();
    void ListClick(int row);
    void ListReturnPressed();
    void CloseClick();
    // Reads the own list again in the chosen order.
    void RefreshClick();

signals:
    // Without an own list: the user chose this row of the register's list.
    void rowChosen(int row);
    // The register should show the first record the text finds; the panel has closed.
    void findRequested(bool byName, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadList();
    void selectRow(int row);
    QString rowValue(int row) const;

    SearchPanelDef m_def;
    ListLoader m_loader;
    RecordList m_rows;
    RecordListModel *m_model = nullptr;
    QButtonGroup *m_choice = nullptr;
    QLabel *m_label = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_close = nullptr;
    QHBoxLayout *m_textRow = nullptr;
    QTableView *m_list = nullptr;
};
