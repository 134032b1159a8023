#include "registers/register_statements.h"

#include "db/schema.h"
#include "ui/locale_number.h"

QString ParameterOf(const QString &column)
{
    return QStringLiteral("p") + column.toLower();
}

QStringList InsertLines(const QString &table, const QStringList &columns)
{
    QStringList names, parameters;
    for (const QString &column : columns) {
        names.append(column.toLower());
        parameters.append(QLatin1Char(':') + ParameterOf(column));
    }
    return {QStringLiteral(" insert into %1 ").arg(table), QStringLiteral(" (%1) ").arg(names.join(u',')),
            QStringLiteral(" values "), QStringLiteral(" (%1) ").arg(parameters.join(u','))};
}

QStringList UpdateLines(const QString &table, const QStringList &columns, const QString &key,
                        const QString &whereParameter)
{
    QStringList assignments;
    for (const QString &column : columns)
        assignments.append(column.toLower() + QStringLiteral("=:") + ParameterOf(column));
    return {QStringLiteral(" update %1 ").arg(table), QStringLiteral(" set "),
            QStringLiteral(" %1 ").arg(assignments.join(u',')),
            QStringLiteral(" where %1 =:%2 ").arg(key.toLower(), whereParameter)};
}

bool BindTexts(SqlStatement &statement, const QStringList &columns, const QStringList &numbers,
               const QVariantMap &texts, QString *error)
{
    QList<QPair<QString, QVariant>> values;
    for (const QString &column : columns) {
        const QString text = texts.value(column).toString();
        if (!numbers.contains(column, Qt::CaseInsensitive)) {
            values.append({ParameterOf(column), text});
            continue;
        }
        const std::optional<double> number = NumberFromBoxText(text);
        if (!number) {
            if (error)
                *error = QStringLiteral("'%1' (%2) is not a number").arg(text, column);
            return false;
        }
        values.append({ParameterOf(column), *number});
    }
    for (const auto &[name, value] : values)
        statement.bind(name, value);
    return true;
}

int BoxLimit(const QString &table, const QString &column, int boxLimit)
{
    const int width = ColumnWidth(table, column);
    if (boxLimit <= 0)
        return width;
    return width > 0 ? std::min(boxLimit, width) : boxLimit;
}

FieldDef TextField(const QString &table, const QString &column, const QString &caption, int boxLimit,
                    const QString &note)
{
    return LineField(column, caption, BoxLimit(table, column, boxLimit), note);
}
