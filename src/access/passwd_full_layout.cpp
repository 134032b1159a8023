// Layout of the login window: the login part, the account editor and the employee search.
#include "access/passwd_full.h"

#include "db/schema.h"
#include "ui/enter_moves_focus.h"
#include "ui/mode_indicator.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 500;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *edit = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QGridLayout *compactGrid(QWidget *owner)
{
    auto *grid = new QGridLayout(owner);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    return grid;
}

} // namespace

void Tpasswd_full::buildLayout()
{
    m_enter = new EnterMovesFocus(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(buildLoginPart());
    m_adminPart = buildAdminPart();
    layout->addWidget(m_adminPart);
    m_searchPart = buildSearchPart();
    layout->addWidget(m_searchPart);
    layout->addStretch(1);
    setFixedSize(kWidth, kHeight);
}

QWidget *Tpasswd_full::buildLoginPart()
{
    auto *part = named(new QWidget(this), "LoginPart");
    auto *grid = compactGrid(part);
    const int nameWidth = ColumnWidth(QStringLiteral("market"), QStringLiteral("USRNAME"));

    m_loginName = lineEdit(part, "LoginName", nameWidth);
    m_password = lineEdit(part, "Password", ColumnWidth(QStringLiteral("market"), QStringLiteral("PASSWD")));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 120; }")); // 'x'
    m_login = named(new QPushButton(QStringLiteral("Login"), part), "Login");
    m_login->setAutoDefault(true);
    m_loginPause = named(new QLabel(part), "LoginPause");
    m_hello1 = named(new QLabel(part), "Hello1");
    m_hello2 = named(new QLabel(part), "Hello2");
    m_goToWork = named(new QPushButton(QStringLiteral("เข้าที่ทำงาน"), part), "GoToWork");
    m_goToWork->setAutoDefault(true);
    m_logout = named(new QPushButton(QStringLiteral("Logout"), part), "Logout");

    grid->addWidget(new QLabel(QStringLiteral("Login Name"), part), 0, 0);
    grid->addWidget(m_loginName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Password"), part), 1, 0);
    grid->addWidget(m_password, 1, 1);
    grid->addWidget(m_login, 1, 2);
    grid->addWidget(m_loginPause, 1, 3);
    // The greeting lines, each with a button at its end.
    grid->addWidget(m_hello1, 2, 0, 1, 2);
    grid->addWidget(m_goToWork, 2, 2);
    grid->addWidget(m_hello2, 3, 0, 1, 2);
    grid->addWidget(m_logout, 3, 2);

    m_enter->chain({m_loginName, m_password, m_login});
    connect(m_login, &QPushButton::clicked, this, &Tpasswd_full::LoginClick);
    connect(m_loginName, &QLineEdit::textChanged, this, &Tpasswd_full::refreshLoginPause);
    connect(m_goToWork, &QPushButton::clicked, this, &Tpasswd_full::GoToWorkClick);
    connect(m_logout, &QPushButton::clicked, this, &Tpasswd_full::LogoutClick);
    return part;
}

QWidget *Tpasswd_full::buildAdminPart()
{
    auto *part = named(new QFrame(this), "AdminPart");
    part->setFrameShape(QFrame::StyledPanel);
    auto *grid = compactGrid(part);

    auto *bar = new QHBoxLayout;
    m_add = named(new QPushButton(QStringLiteral("เพิ่ม"), part), "Add");
    m_prior = named(new QToolButton(part), "Prior");
    m_prior->setArrowType(Qt::LeftArrow);
    m_next = named(new QToolButton(part), "Next");
    m_next->setArrowType(Qt::RightArrow);
    m_edit = named(new QPushButton(QStringLiteral("แก้ไข"), part), "Edit");
    m_save = named(new QPushButton(QStringLiteral("บันทึก"), part), "Save");
    m_cancel = named(new QPushButton(QStringLiteral("ยกเลิก"), part), "Cancel");
    m_mode = named(new ModeIndicator(part), "Mode");
    for (QWidget *w : std::initializer_list<QWidget *>{m_add, m_prior, m_next, m_edit, m_save, m_cancel, m_mode})
        bar->addWidget(w);
    grid->addLayout(bar, 0, 0, 1, 3);

    m_employeeCode = lineEdit(part, "EmployeeCode", ColumnWidth(QStringLiteral("market"), QStringLiteral("PER_NO")));
    m_employeeCode->setReadOnly(true);
    m_find = named(new QPushButton(QStringLiteral("ค้น"), part), "Find");
    m_employeeName = lineEdit(part, "EmployeeName", 0);
    m_employeeName->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("รหัสพนักงาน"), part), 1, 0);
    grid->addWidget(m_employeeCode, 1, 1);
    grid->addWidget(m_find, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("ชื่อพนักงาน"), part), 2, 0);
    grid->addWidget(m_employeeName, 2, 1, 1, 2);

    // The level choice: its caption on the left like the other boxes' captions, the five choices
    // and the two legend lines beside it. No frame title: the window's fixed height has no room
    // for one.
    m_levelBox = named(new QWidget(part), "LevelBox");
    auto *levelGrid = new QGridLayout(m_levelBox);
    levelGrid->setContentsMargins(0, 0, 0, 0);
    levelGrid->setVerticalSpacing(0);
    auto *radios = new QHBoxLayout;
    radios->setSpacing(4);
    radios->addWidget(new QLabel(QStringLiteral("กลุ่ม"), m_levelBox));
    m_levels = new QButtonGroup(this);
    for (int level = 1; level <= 5; ++level) {
        auto *radio = new QRadioButton(QString::number(level), m_levelBox);
        radio->setObjectName(QStringLiteral("Level%1").arg(level));
        m_levels->addButton(radio, level);
        radios->addWidget(radio);
    }
    levelGrid->addLayout(radios, 0, 0, 2, 1);
    levelGrid->addWidget(named(new QLabel(QStringLiteral("1. Admin     2 ผู้จัดการ    3.หัวหน้างาน "), m_levelBox), "Legend1"), 0, 1);
    levelGrid->addWidget(named(new QLabel(QStringLiteral("4.พนักงาน   5 พนักงานหน้า Counter "), m_levelBox), "Legend2"), 1, 1);
    levelGrid->setColumnStretch(1, 1);
    grid->addWidget(new QLabel(QStringLiteral("กลุ่ม/ระดับใช้งาน"), part), 3, 0);
    grid->addWidget(m_levelBox, 3, 1, 1, 2);

    m_userName = lineEdit(part, "UserName", ColumnWidth(QStringLiteral("market"), QStringLiteral("USRNAME")));
    const int passwordWidth = ColumnWidth(QStringLiteral("market"), QStringLiteral("PASSWD"));
    m_newPassword = lineEdit(part, "NewPassword", passwordWidth);
    m_passwordAgain = lineEdit(part, "PasswordAgain", passwordWidth);
    grid->addWidget(new QLabel(QStringLiteral("User Name"), part), 4, 0);
    grid->addWidget(m_userName, 4, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password"), part), 5, 0);
    grid->addWidget(m_newPassword, 5, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password (อีกครั้ง)"), part), 6, 0);
    grid->addWidget(m_passwordAgain, 6, 1, 1, 2);

    // The level choice takes the focus on its checked button (see showLevel).
    m_enter->chain({m_userName, m_newPassword, m_passwordAgain, m_levelBox});
    connect(m_add, &QPushButton::clicked, this, &Tpasswd_full::AddClick);
    connect(m_prior, &QToolButton::clicked, this, &Tpasswd_full::PriorClick);
    connect(m_next, &QToolButton::clicked, this, &Tpasswd_full::NextClick);
    connect(m_edit, &QPushButton::clicked, this, &Tpasswd_full::EditClick);
    connect(m_save, &QPushButton::clicked, this, &Tpasswd_full::SaveClick);
    connect(m_cancel, &QPushButton::clicked, this, &Tpasswd_full::CancelClick);
    connect(m_find, &QPushButton::clicked, this, &Tpasswd_full::FindClick);
    connect(m_levels, &QButtonGroup::idClicked, this, &Tpasswd_full::LevelClick);
    return part;
}

QWidget *Tpasswd_full::buildSearchPart()
{
    auto *part = named(new QWidget(this), "SearchPart");
    auto *grid = compactGrid(part);

    auto *searchBy = new QGroupBox(QStringLiteral(" ค้นหาโดย "), part);
    auto *byLayout = new QHBoxLayout(searchBy);
    byLayout->setContentsMargins(4, 0, 4, 0);
    m_searchBy = new QButtonGroup(this);
    auto *byCode = named(new QRadioButton(QStringLiteral("รหัส"), searchBy), "SearchByCode");
    auto *byName = named(new QRadioButton(QStringLiteral("ชื่อ"), searchBy), "SearchByName");
    m_searchBy->addButton(byCode, 0);
    m_searchBy->addButton(byName, 1);
    byLayout->addWidget(byCode);
    byLayout->addWidget(byName);
    m_searchText = lineEdit(part, "SearchText", 0);
    m_closeSearch = named(new QPushButton(QStringLiteral("ปิด"), part), "CloseSearch");
    m_closeSearch->setAutoDefault(true);
    m_employeeList = named(new QTableWidget(0, 2, part), "EmployeeList");
    m_employeeList->setHorizontalHeaderLabels({QStringLiteral("รหัส"), QStringLiteral("ชื่อ")});
    m_employeeList->horizontalHeader()->setStretchLastSection(true);
    m_employeeList->verticalHeader()->hide();
    m_employeeList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_employeeList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_employeeList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    grid->addWidget(searchBy, 0, 0, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("ค้นหา"), part), 0, 1);
    grid->addWidget(m_searchText, 0, 2);
    grid->addWidget(m_closeSearch, 1, 2, Qt::AlignRight);
    grid->addWidget(m_employeeList, 2, 0, 1, 3);

    connect(m_searchBy, &QButtonGroup::idToggled, this, &Tpasswd_full::SearchByToggle);
    connect(m_searchText, &QLineEdit::returnPressed, this, &Tpasswd_full::SearchTextReturnPressed);
    connect(m_closeSearch, &QPushButton::clicked, this, &Tpasswd_full::CloseSearchClick);
    return part;
}
