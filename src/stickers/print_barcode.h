#pragma once

#include "report/barcode.h"
#include "stickers/sticker_geometry.h"
#include "stickers/sticker_products.h"

#include <QWidget>

#include <memory>

class BarcodePreview;
class Connection;
class QButtonGroup;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class StickerPositionsPage;

// The sticker job window: choose a product, the options and the positions, and print one sheet
// of barcode stickers on A4, A9 or A10 stock in EAN-13 or Code 128.
class Tprint_barcode : public QWidget
{
    Q_OBJECT
public:
    explicit Tprint_barcode(QWidget *parent = nullptr);
    ~Tprint_barcode() override;

    static QString caption() { return QStringLiteral(" สร้างรหัสบาร์โค๊ดเอง"); }

    // Controls, for the keyboard order and for tests.
    QLineEdit *codeBox() const { return m_code; }
    QLineEdit *nameBox() const { return m_name; }
    QLineEdit *searchBox() const { return m_search; }
    QLineEdit *topBox() const { return m_top; }
    QLineEdit *leftBox() const { return m_left; }
    QTableWidget *productList() const { return m_list; }
    QTabWidget *pages() const { return m_pages; }
    QButtonGroup *checkDigitChoice() const { return m_checkDigit; } // 0 no, 1 yes
    QButtonGroup *linesChoice() const { return m_lines; }
    QButtonGroup *namesChoice() const { return m_names; }
    QButtonGroup *alignmentChoice() const { return m_alignment; }
    QButtonGroup *searchByChoice() const { return m_searchBy; }   // 0 code, 1 name
    StickerPositionsPage *sheetPage(StickerSheet sheet) const;
    BarcodePreview *eanPreview() const { return m_eanPreview; }
    BarcodePreview *code128Preview() const { return m_code128Preview; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildForm();
    QWidget *buildOptions();
    QWidget *buildProductPage();
    void FormActivate();
    void SearchByClick();
    void SearchKeyEnter();
    void ProductListClick(int row);
    void CodeBoxExit();
    void PrintClick(StickerSheet sheet, Symbology symbology);
    bool searchingByName() const;
    void readProducts();
    void chooseProduct(int index);
    void showProducts();

    std::unique_ptr<Connection> m_connection;
    QList<StickerProduct> m_products;
    bool m_activated = false;

    BarcodePreview *m_eanPreview = nullptr;
    BarcodePreview *m_code128Preview = nullptr;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_top = nullptr;
    QLineEdit *m_left = nullptr;
    QLineEdit *m_search = nullptr;
    QButtonGroup *m_checkDigit = nullptr;
    QButtonGroup *m_lines = nullptr;
    QButtonGroup *m_names = nullptr;
    QButtonGroup *m_alignment = nullptr;
    QButtonGroup *m_searchBy = nullptr;
    QTableWidget *m_list = nullptr;
    QTabWidget *m_pages = nullptr;
    StickerPositionsPage *m_a4 = nullptr;
    StickerPositionsPage *m_a9 = nullptr;
    StickerPositionsPage *m_a10 = nullptr;
};
