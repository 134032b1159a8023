#pragma once

#include "documents/stock_document_store.h"
#include "report/report_preview.h"
#include "ui/mode_states.h"
#include "ui/record_list.h"

#include <QWidget>

#include <memory>

class EditAuthorityPanel;
class EditingToolBar;
class EnterMovesFocus;
class ModeIndicator;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class QToolButton;
class RecordListModel;
class RecordNavigator;
class SearchPanel;
class StockLinePanel;

// The stock document window: goods out, goods in or purchase orders, as DocumentMode said when it
// first became active. It lists the documents of its number head, shows one with its party,
// employee and lines, adds, edits and deletes headers, hands lines to the line panel and prints
// through the print hand-off. At most one exists (StockWindowOpen). All data work is the store's;
// the window shows what it answers.
class Tstock : public QWidget
{
    Q_OBJECT
public:
    explicit Tstock(QWidget *parent = nullptr);
    ~Tstock() override;

    const DocumentKind *kind() const { return m_kind; }
    QString headerMode() const { return m_states.mode(); }
    QString lineMode() const;
    QSize sizeHint() const override;
    bool editAuthority() const { return m_editAuthority; }
    // The number of the document shown; empty when none is.
    QString shownNumber() const;
    const RecordList &lines() const { return m_lines; }
    StockLinePanel *linePanel() const { return m_linePanel; }
    // Where printing goes (tests give their own printer and PDF file name).
    void setPrintOutput(const PreviewOutput &output) { m_printOutput = output; }

public slots:
    void FormActivate();
    void AddClick();
    void EditClick();
    void DeleteClick();
    void SaveClick();
    void CancelClick();
    void PrintClick();
    void SearchClick();
    void QuitClick();
    void RefreshClick();
    void NavigatorMove(int row);
    void DocumentListBackClick();
    void PartyCodeReturnPressed();
    void PartySearchClick();
    void PartySearchCancelClick();
    void EmployeeActivated(int index);
    void LineAddClick();
    void LineEditClick();
    void LineDeleteClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    QWidget *buildHeaderPanel();
    QWidget *buildPartyPanel();
    QWidget *buildLinesPanel();
    QWidget *buildDocumentListPage();
    // The line and edit-authority panels, once the store is open.
    void buildPanels();
    void buildToolBar();
    void applyKindCaptions();

    bool loadDocumentList(QString *error);
    void moveTo(int row);
    void showDocument();
    void showEmptyDocument();
    void displayDocument();
    void reloadLines();
    void setHeaderMode(const QString &mode);
    void setEntryEditable(bool editable);
    void setLineButtonsShown(bool shown);
    void refreshEditButton();
    void partyChosen(const QVariantMap &party);
    void partySearchChosen(bool byName, const QString &text);
    QVariantMap headerToSave() const;
    bool askFirstNumber(QString *answer);
    StockWriteResult insertWithNumbering(const QVariantMap &header, bool *stopped);
    void savedAt(const QString &number);
    void reportWriteFailure(const StockWriteResult &result);
    bool needAuthority();
    // The row of the lines grid that is current (the last one when none is).
    int currentLine() const;
    void linePanelClosed(bool saved);
    void holdForLinePanel(bool held);
    void placeFloatingPanels();

    // Data.
    std::unique_ptr<StockDocumentStore> m_store;
    const DocumentKind *m_kind = nullptr;
    bool m_activated = false;
    bool m_ownsOpenFlag = false;
    RecordList m_numbers;
    int m_row = -1;
    QVariantMap m_header; // every header column of the document shown or being entered
    bool m_headerShown = false;
    QVariantMap m_party;  // the party's register row
    RecordList m_lines;
    RecordList m_employees;
    bool m_editAuthority = false;
    PreviewOutput m_printOutput = PreviewOutput::system();

    // Tool bar and the header state.
    EditingToolBar *m_toolBar = nullptr;
    ModeIndicator *m_headerIndicator = nullptr;
    ModeStates m_states;
    RecordNavigator *m_navigator = nullptr;
    QAction *m_add = nullptr;
    QAction *m_edit = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_save = nullptr;
    QAction *m_cancel = nullptr;
    QAction *m_print = nullptr;
    QAction *m_search = nullptr;
    QAction *m_quit = nullptr;
    QAction *m_refresh = nullptr;

    QStackedWidget *m_pages = nullptr;
    QWidget *m_mainPage = nullptr;

    // Header panel.
    QLineEdit *m_number = nullptr;
    QLineEdit *m_date = nullptr;
    QLineEdit *m_time = nullptr;
    QLabel *m_referenceCaption = nullptr;
    QLineEdit *m_reference = nullptr;
    QComboBox *m_employee = nullptr;
    QLabel *m_picture = nullptr;

    // Party panel.
    QLabel *m_partyCodeCaption = nullptr;
    QLineEdit *m_partyCode = nullptr;
    QToolButton *m_partySearch = nullptr;
    QLabel *m_partyNameCaption = nullptr;
    QLineEdit *m_partyName = nullptr;
    QLineEdit *m_address1 = nullptr;
    QLineEdit *m_address2 = nullptr;
    QLineEdit *m_province = nullptr;
    QLineEdit *m_zip = nullptr;
    QLineEdit *m_tel = nullptr;
    QLineEdit *m_fax = nullptr;

    // Lines.
    QTableView *m_grid = nullptr;
    RecordListModel *m_linesModel = nullptr;
    QPushButton *m_lineAdd = nullptr;
    QPushButton *m_lineDelete = nullptr;
    QPushButton *m_lineEdit = nullptr;
    ModeIndicator *m_lineIndicator = nullptr;
    StockLinePanel *m_linePanel = nullptr;
    EditAuthorityPanel *m_authorityPanel = nullptr;

    // Hidden pages.
    QTableView *m_documentList = nullptr;
    RecordListModel *m_documentListModel = nullptr;
    SearchPanel *m_partySearchPanel = nullptr;

    EnterMovesFocus *m_enter = nullptr;
};
