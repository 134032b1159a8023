#pragma once

#include "documents/stock_document_store.h"
#include "ui/record_list.h"

#include <QFrame>

class EnterMovesFocus;
class ModeIndicator;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordListModel;
class SearchPanel;

// The floating panel of the stock document window in which one line is added or corrected: the
// product by code or name from the product list, its picture, whether its stock is counted, its
// balance, the quantity, two detail lines and the project. "บันทึก" writes the line and the
// document's totals through the store, which checks the stock again under the write lock.
class StockLinePanel : public QFrame
{
    Q_OBJECT
public:
    StockLinePanel(StockDocumentStore *store, ModeIndicator *indicator, QWidget *parent);
    ~StockLinePanel() override;

    // Line state: "normal" while closed, "add" or "edit" while open.
    QString mode() const { return m_mode; }
    void openForAdd(const QString &number);
    // line: every column of the line to correct, keyed as the schema names them.
    void openForCorrection(const QString &number, const QVariantMap &line);

    QLineEdit *productBox() const { return m_product; }
    QString balanceText() const;
    QString stockText() const;
    QString pictureCaption() const;

public slots:
    void ProductReturnPressed();
    void ProductListClick(int row);
    void ProductListReturnPressed();
    void SearchChoiceClick(int id);
    void RefreshClick();
    void SaveClick();
    void CloseClick();
    void ProjectSearchClick();

signals:
    // The panel has closed; saved: a line was written, so the document's lines changed.
    void closed(bool saved);
    // A write failed after the panel was filled; the window reads the lines again.
    void linesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    QWidget *buildProjectSearch();
    void open(const QString &mode);
    void setMode(const QString &mode);
    bool byName() const;
    void loadProducts();
    int currentProductRow() const;
    void selectProductRow(int row);
    bool readProduct(const QString &code);
    void loadPicture(const QString &code);
    void showProduct();
    void productBoxEntered();
    void showStockFlag(const QString &flag);
    void projectChosen(bool byName, const QString &text);
    void closePanel(bool saved);

    StockDocumentStore *m_store;
    ModeIndicator *m_indicator;
    QString m_mode = QStringLiteral("normal");
    QString m_number;       // the document the line belongs to
    QVariantMap m_stored;   // the line corrected
    QVariantMap m_productRow; // the product read last; empty when none
    QString m_stockFlag;
    RecordList m_products;

    QLabel *m_productCaption = nullptr;
    QLineEdit *m_product = nullptr;
    QLineEdit *m_group = nullptr;
    QLabel *m_detail1Caption = nullptr;
    QLineEdit *m_detail1 = nullptr;
    QLabel *m_detail2Caption = nullptr;
    QLineEdit *m_detail2 = nullptr;
    QLabel *m_stock = nullptr;
    QLineEdit *m_projectCode = nullptr;
    QPushButton *m_projectSearch = nullptr;
    QLineEdit *m_projectName = nullptr;
    QLabel *m_balanceCaption = nullptr;
    QLineEdit *m_balance = nullptr;
    QLabel *m_quantityCaption = nullptr;
    QLineEdit *m_quantity = nullptr;
    QLineEdit *m_unit = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_pictureName = nullptr;
    QButtonGroup *m_searchBy = nullptr;
    QTableView *m_productList = nullptr;
    RecordListModel *m_productModel = nullptr;
    QWidget *m_buttonRow = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_save = nullptr;
    SearchPanel *m_projectPanel = nullptr;
    EnterMovesFocus *m_enter = nullptr;
};
