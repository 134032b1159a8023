#include "register_fixture.h"

#include "db/row_insert.h"
#include "db/sql_statement.h"

#include <QCoreApplication>
#include <QEvent>

void RegisterFixture::SetUp()
{
    ASSERT_TRUE(folder.ok()) << folder.error().toStdString();
    folder.use();
    QString error;
    m_connection = OpenDataConnection(&error);
    ASSERT_TRUE(m_connection) << error.toStdString();
}

void RegisterFixture::TearDown()
{
    FlushDeletes();
}

void RegisterFixture::insert(const QString &table, const QVariantMap &values)
{
    QString error;
    ASSERT_TRUE(InsertFullRow(db(), table, values, &error)) << table.toStdString() << ": " << error.toStdString();
}

QVariant RegisterFixture::scalar(const QString &sql, const QVariantMap &values)
{
    SqlStatement statement(db(), {sql});
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        statement.bind(it.key(), it.value());
    QString error;
    bool ok = false;
    const QVariant value = QueryScalar(statement, &error, &ok);
    EXPECT_TRUE(ok) << sql.toStdString() << ": " << error.toStdString();
    return value;
}

int RegisterFixture::count(const QString &table)
{
    return scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt();
}

QAction *Action(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

void Trigger(QWidget &window, const char *name)
{
    QAction *action = Action(window, name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
}

bool Enabled(QWidget &window, const char *name)
{
    if (QAction *action = Action(window, name))
        return action->isEnabled();
    QWidget *widget = window.findChild<QWidget *>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget && widget->isEnabled();
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
