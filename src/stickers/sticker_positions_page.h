#pragma once

#include "report/barcode.h"

#include <QList>
#include <QWidget>

#include <array>

class QCheckBox;
class QPushButton;

// One sheet page of the sticker job: its heading, a tick box per sticker position (three per row,
// numbered row by row from the top left) and the sheet's two print buttons.
class StickerPositionsPage : public QWidget
{
    Q_OBJECT
public:
    StickerPositionsPage(const QString &heading, int rows, const QString &sheetName,
                         QWidget *parent = nullptr);

    int positions() const { return int(m_boxes.size()); }
    QCheckBox *box(int k) const { return m_boxes.at(k - 1); } // 1-based
    QPushButton *button(Symbology symbology) const;
    void tickAll();
    // The tick boxes as slots, 1-based.
    std::array<bool, 31> ticked() const;

signals:
    void printRequested(Symbology symbology);

private:
    QList<QCheckBox *> m_boxes;
    QPushButton *m_ean13 = nullptr;
    QPushButton *m_code128 = nullptr;
};
