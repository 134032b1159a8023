#pragma once

#include "registers/register_store.h"
#include "ui/register_window.h"

#include <memory>

class QLabel;
class StockBalanceQuery;

// The product register's description: its fields, keys, presets and messages.
RegisterDef ProductRegisterDef();
// What it writes in product. Document lines follow a changed code.
RegisterTable ProductTable();

// The product register: the register pattern plus the product's picture, its stock figure, the
// unit echoed beside the reorder point and the EAN-13 sticker button.
class TRef_Part_Sql : public RegisterWindow
{
    Q_OBJECT
public:
    explicit TRef_Part_Sql(QWidget *parent = nullptr);
    ~TRef_Part_Sql() override;

    // The stock figure as shown ("จำนวนคงเหลือ").
    QString stockText() const;
    // The picture on display; null when there is none.
    QPixmap picture() const;

    // The picture file of a product: picture/<code>.jpg in the data folder, or picture/temp.jpg
    // when that one cannot be read; empty when neither can. A code that would lead out of the
    // picture folder gets the fall-back.
    static QString PictureFile(const QString &dataFolder, const QString &code);

public slots:
    void BarcodeClick();

protected:
    void recordShown(int row) override;
    void newRecordStarted(bool copy) override;

private:
    void showStock(int row);

    SqlRegisterStore *m_store = nullptr;
    std::unique_ptr<StockBalanceQuery> m_balances;
    QLabel *m_picture = nullptr;
    QLabel *m_stock = nullptr;
    QLabel *m_unitEcho = nullptr;
};
