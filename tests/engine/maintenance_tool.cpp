// Helper process of the engine tests: runs one maintenance operation on FILE, the way the program
// would, so that the tests can give it a small disk or kill it at any moment.
//   engine_maintenance_tool compact FILE
//   engine_maintenance_tool repair FILE
//   engine_maintenance_tool backup FILE TARGET
// Prints the repair text, then "ok" or "failed: <reason>"; exits 0 on success, 1 on failure.
#include "engine/maintenance.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return 2;
    const QString &operation = args.at(0);
    QString error, report;
    bool ok = false;
    if (operation == u"compact" && args.size() == 2)
        ok = CompactDatabase(args.at(1), &error);
    else if (operation == u"repair" && args.size() == 2)
        ok = RepairDatabase(args.at(1), &report, &error);
    else if (operation == u"backup" && args.size() == 3)
        ok = BackupDatabase(args.at(1), args.at(2), &error);
    else
        return 2;
    if (!report.isEmpty())
        std::cout << report.toStdString() << '\n';
    std::cout << (ok ? std::string("ok") : "failed: " + error.toStdString()) << std::endl;
    return ok ? 0 : 1;
}
