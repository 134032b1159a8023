#include "app/about_window.h"

#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TAboutMe::TAboutMe(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TAboutMe"));
    setWindowTitle(QStringLiteral("Talvoraworks"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0, 64, 64));
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    auto *name = new QLabel(QStringLiteral("Talvora Larderon"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    name->setStyleSheet(QStringLiteral("color: yellow; font-weight: bold; font-size: 16pt;"));
    auto *purpose = new QLabel(QStringLiteral("โปรแกรมบริหารสต๊อคสินค้า"), this);
    auto *version = new QLabel(QStringLiteral("VER 3.0"), this);

    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("CloseImage"));
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setIconSize(QSize(32, 32));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("เลิก... ครับ"));
    connect(close, &QToolButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    for (QLabel *label : {name, purpose, version}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addWidget(close, 0, Qt::AlignRight);
    setFixedSize(sizeHint().expandedTo(QSize(300, 170)));
}
