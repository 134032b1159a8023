#include "documents/edit_authority_panel.h"

#include "access/edit_authority.h"
#include "db/schema.h"
#include "documents/stock_document_store.h"
#include "ui/dialogs.h"
#include "ui/enter_moves_focus.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EditAuthorityPanel::EditAuthorityPanel(StockDocumentStore *store, QWidget *parent)
    : QFrame(parent)
    , m_store(store)
{
    setObjectName(QStringLiteral("EditAuthorityPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    m_userCaption = new QLabel(QStringLiteral("ชื่อผู้ใช้งาน"), this);
    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("AuthorityUser"));
    m_user->setMaxLength(ColumnWidth(QStringLiteral("market"), QStringLiteral("USRNAME")));
    m_passwordCaption = new QLabel(QStringLiteral("รหัสผ่าน"), this);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("AuthorityPassword"));
    m_password->setMaxLength(ColumnWidth(QStringLiteral("market"), QStringLiteral("PASSWD")));
    m_password->setEchoMode(QLineEdit::Password);
    m_grant = new QPushButton(QStringLiteral("เข้าใช้งาน"), this);
    m_grant->setObjectName(QStringLiteral("AuthorityGrant"));
    m_end = new QPushButton(QStringLiteral("สิ้นสุดอำนาจแก้ไข"), this);
    m_end->setObjectName(QStringLiteral("AuthorityEnd"));
    m_end->setMinimumHeight(48);
    m_quit = new QPushButton(QStringLiteral("เลิก"), this);
    m_quit->setObjectName(QStringLiteral("AuthorityQuit"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_userCaption, 0, 0);
    grid->addWidget(m_user, 0, 1);
    grid->addWidget(m_passwordCaption, 1, 0);
    grid->addWidget(m_password, 1, 1);
    grid->addWidget(m_end, 0, 0, 2, 2);
    grid->addWidget(m_grant, 2, 0);
    grid->addWidget(m_quit, 2, 1);

    m_enter = new EnterMovesFocus(this);
    m_enter->chain({m_user, m_password, m_grant});
    connect(m_grant, &QPushButton::clicked, this, &EditAuthorityPanel::GrantClick);
    connect(m_end, &QPushButton::clicked, this, &EditAuthorityPanel::EndClick);
    connect(m_quit, &QPushButton::clicked, this, &EditAuthorityPanel::QuitClick);
    hide();
}

void EditAuthorityPanel::showBoxes(bool shown)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_userCaption), static_cast<QWidget *>(m_user),
                            static_cast<QWidget *>(m_passwordCaption), static_cast<QWidget *>(m_password)})
        widget->setVisible(shown);
    m_end->setVisible(!shown);
}

void EditAuthorityPanel::open()
{
    m_user->clear();
    m_password->clear();
    showBoxes(true);
    show();
    raise();
    m_user->setFocus();
}

void EditAuthorityPanel::GrantClick()
{
    QString error;
    switch (EditAuthority::check(m_store->database(), m_user->text(), m_password->text(), &error)) {
    case EditAuthority::Result::Granted:
        showBoxes(false);
        emit authorityChanged(true);
        return;
    case EditAuthority::Result::Refused:
        Dialogs().message(this, EditAuthority::refusedMessage());
        return;
    case EditAuthority::Result::Failed:
        Dialogs().error(this, error);
        return;
    }
}

void EditAuthorityPanel::EndClick()
{
    emit authorityChanged(false);
    hide();
}

void EditAuthorityPanel::QuitClick()
{
    EndClick();
}
