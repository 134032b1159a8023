#include "app/command_output.h"

#include <QRegularExpression>
#include <QStringList>

QTextStream &ErrorStream()
{
    static QTextStream stream(stderr);
    return stream;
}

QString OneLine(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QString trimmed = line.simplified();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines.join(QStringLiteral(" / "));
}

int FailCommand(const char *command, const QString &thai, const QString &english)
{
    ErrorStream() << "larderon " << command << ": " << OneLine(thai) << " (" << OneLine(english) << ")" << Qt::endl;
    return 1;
}

int BadUsage(const char *command, const QString &why, const QString &usage)
{
    if (!why.isEmpty())
        ErrorStream() << "larderon " << command << ": " << why << Qt::endl;
    ErrorStream() << usage << Qt::endl;
    return 2;
}

bool UnreadableName(const char *command, const QStringList &names)
{
    for (const QString &name : names) {
        if (name.contains(QChar::ReplacementCharacter)) {
            FailCommand(command, QStringLiteral("ชื่อ \"%1\" อ่านไม่ได้").arg(name),
                        QStringLiteral("the name is not valid UTF-8 text; rename the folder or file"));
            return true;
        }
    }
    return false;
}
