#pragma once

#include "report/barcode.h"

#include <QLabel>

// A barcode drawn on screen by the report painter, as it will print. A value the symbology cannot
// encode shows an empty box.
class BarcodePreview : public QLabel
{
    Q_OBJECT
public:
    BarcodePreview(Symbology symbology, QWidget *parent = nullptr);

    void setValue(const QString &value);
    // The value as the symbol holds it (EAN-13 with its check digit).
    QString value() const { return m_value; }

private:
    Symbology m_symbology;
    QString m_value;
};
