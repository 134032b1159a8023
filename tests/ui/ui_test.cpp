#include "ui/date_picker.h"
#include "ui/enter_moves_focus.h"
#include "ui/fake_dialogs.h"
#include "ui/mode_indicator.h"

#include <QApplication>
#include <QSignalSpy>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(EnterMovesFocus, EnterMovesAlongTheChainAndOtherKeysTypeAsUsual)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *name = new QLineEdit(&window);
    auto *password = new QLineEdit(&window);
    auto *login = new QPushButton(QStringLiteral("Login"), &window);
    for (QWidget *w : {static_cast<QWidget *>(name), static_cast<QWidget *>(password), static_cast<QWidget *>(login)})
        layout->addWidget(w);
    int pressed = 0;
    QObject::connect(login, &QPushButton::clicked, [&pressed] { ++pressed; });
    EnterMovesFocus enter;
    enter.chain({name, password, login});
    window.show();
    QApplication::setActiveWindow(&window);

    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("admin"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(name->text(), QStringLiteral("admin"));
    EXPECT_TRUE(password->hasFocus());
    QTest::keyClick(password, Qt::Key_Enter); // the keypad's Enter too
    EXPECT_TRUE(login->hasFocus());
    EXPECT_EQ(pressed, 0) << "moving the focus onto a button does not press it";
}

TEST(ModeIndicator, ShowsTheModeText)
{
    ModeIndicator indicator;
    EXPECT_EQ(indicator.mode(), QStringLiteral("normal"));
    for (const char *mode : {"add", "edit", "normal"}) {
        indicator.setMode(QString::fromLatin1(mode));
        EXPECT_EQ(indicator.text(), QString::fromLatin1(mode));
    }
    EXPECT_TRUE(ModeIndicator::isEditing(QStringLiteral("add")));
    EXPECT_TRUE(ModeIndicator::isEditing(QStringLiteral("edit")));
    EXPECT_FALSE(ModeIndicator::isEditing(QStringLiteral("normal")));
}

TEST(FakeDialogs, AnswersFromItsScriptAndRecordsEveryText)
{
    FakeDialogs dialogs;
    dialogs.answerYesNo(true);
    dialogs.answerInput(QStringLiteral("001007"));
    dialogs.answerInput(QString(), false);

    Dialogs().message(nullptr, QStringLiteral("one"));
    EXPECT_TRUE(Dialogs().askYesNo(nullptr, QStringLiteral("delete?")));
    EXPECT_FALSE(Dialogs().askYesNo(nullptr, QStringLiteral("unscripted?"))) << "an unscripted question answers No";
    QString value = QStringLiteral("000001");
    EXPECT_TRUE(Dialogs().inputText(nullptr, QStringLiteral("title"), QStringLiteral("prompt"), value));
    EXPECT_EQ(value, QStringLiteral("001007"));
    value = QStringLiteral("000001");
    EXPECT_FALSE(Dialogs().inputText(nullptr, QStringLiteral("title"), QStringLiteral("again"), value));
    EXPECT_EQ(value, QStringLiteral("000001")) << "closing without OK keeps the default";
    Dialogs().error(nullptr, QStringLiteral("bad"));

    EXPECT_EQ(dialogs.shown(), QStringList({"one", "delete?", "unscripted?", "prompt", "again", "bad"}));
    EXPECT_EQ(dialogs.messages(), QStringList({"one"}));
    EXPECT_EQ(dialogs.errors(), QStringList({"bad"}));
}

TEST(DatePicker, ShowsBuddhistYearsAndTakesATypedDateOrRefusesIt)
{
    FakeDialogs dialogs;
    DatePicker picker;
    QSignalSpy chosen(&picker, &DatePicker::chosen);
    picker.setDate(QDate(2008, 2, 10));
    EXPECT_EQ(picker.box()->text(), QStringLiteral("10/02/2551"));
    EXPECT_EQ(chosen.count(), 0) << "setting a date is no choice";

    picker.box()->setText(QStringLiteral("29/02/2551"));
    emit picker.box()->editingFinished();
    EXPECT_EQ(picker.date(), QDate(2008, 2, 29));
    EXPECT_EQ(chosen.count(), 1);

    picker.box()->setText(QStringLiteral("31/04/2551"));
    emit picker.box()->editingFinished();
    EXPECT_EQ(picker.date(), QDate(2008, 2, 29));
    EXPECT_EQ(picker.box()->text(), QStringLiteral("29/02/2551"));
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(dialogs.messages(), QStringList({QStringLiteral("ข้ อ ม ู ล วัน เดือน ปี ผิด ต้องตรวจสอบทันที")}));

    picker.choose(QDate(2007, 12, 31));
    EXPECT_EQ(picker.text(), QStringLiteral("31/12/2550"));
    EXPECT_EQ(chosen.count(), 2);
}
