#include "app/commands.h"

#include "db/data_folder.h"

#include <QTextStream>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int initData(const QStringList &args)
{
    QStringList rest = args;
    const bool demo = rest.removeAll(QStringLiteral("--demo")) > 0;
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--"))) {
        err() << CommandUsage() << Qt::endl;
        return 2;
    }
    QString error;
    if (!CreateDataFolder(rest.first(), demo, &error)) {
        err() << "larderon init-data: " << error << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "Created " << rest.first() << (demo ? " with demo data" : "") << Qt::endl;
    return 0;
}

} // namespace

QString CommandUsage()
{
    return QStringLiteral("Usage:\n"
                          "  larderon                               start the program\n"
                          "  larderon init-data DIR [--demo]        create a data folder with a new database");
}

int RunCommand(const QStringList &arguments)
{
    if (arguments.size() < 2)
        return -1;
    const QString command = arguments.at(1);
    const QStringList rest = arguments.mid(2);
    if (command == u"init-data")
        return initData(rest);
    if (command == u"--help" || command == u"-h") {
        QTextStream(stdout) << CommandUsage() << Qt::endl;
        return 0;
    }
    err() << "larderon: unknown command '" << command << "'\n" << CommandUsage() << Qt::endl;
    return 2;
}
