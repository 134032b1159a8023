#include "stickers/sticker_positions_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

StickerPositionsPage::StickerPositionsPage(const QString &heading, int rows, const QString &sheetName,
                                           QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(heading, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(new QLabel(QStringLiteral("กำหนดตำแหน่งที่พิมพ์"), this));

    auto *grid = new QGridLayout;
    for (int k = 1; k <= rows * 3; ++k) {
        auto *box = new QCheckBox(QString::number(k), this);
        box->setObjectName(QStringLiteral("position_%1").arg(k));
        grid->addWidget(box, (k - 1) / 3, (k - 1) % 3);
        m_boxes.append(box);
    }
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    m_ean13 = new QPushButton(QStringLiteral("พิมพ์ %1 EAN13").arg(sheetName), this);
    m_code128 = new QPushButton(QStringLiteral("พิมพ์ %1 Code128").arg(sheetName), this);
    buttons->addWidget(m_ean13);
    buttons->addWidget(m_code128);
    layout->addLayout(buttons);
    layout->addStretch();
    connect(m_ean13, &QPushButton::clicked, this, [this] { emit printRequested(Symbology::Ean13); });
    connect(m_code128, &QPushButton::clicked, this, [this] { emit printRequested(Symbology::Code128); });
}

QPushButton *StickerPositionsPage::button(Symbology symbology) const
{
    return symbology == Symbology::Ean13 ? m_ean13 : m_code128;
}

void StickerPositionsPage::tickAll()
{
    for (QCheckBox *box : m_boxes)
        box->setChecked(true);
}

std::array<bool, 31> StickerPositionsPage::ticked() const
{
    std::array<bool, 31> printedSlots{};
    for (int k = 1; k <= positions(); ++k)
        printedSlots[k] = box(k)->isChecked();
    return printedSlots;
}
