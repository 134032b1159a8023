#include "engine/data_store.h"

#include <QDir>
#include <QFileInfo>

QString ServerIniPath(const QString &databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("server.ini"));
}

bool LocateDataStore(const QString &databasePath, DataStore *store, QString *error)
{
    *store = {};
    store->databasePath = databasePath;
    const QString ini = ServerIniPath(databasePath);
    if (!QFileInfo::exists(ini))
        return true;
    if (QFileInfo::exists(databasePath) || QFileInfo(databasePath).isSymLink()) {
        *error = QStringLiteral("The data folder '%1' holds both data.abs and server.ini; remove the one that is not "
                                "in use")
                     .arg(QFileInfo(databasePath).absolutePath());
        return false;
    }
    QString problem;
    if (!ReadServerIni(ini, &store->server, &problem)) {
        *error = QStringLiteral("The server settings cannot be read: %1").arg(problem);
        return false;
    }
    store->kind = EngineKind::Server;
    return true;
}

bool HoldsData(const QString &folder)
{
    const QDir dir(folder);
    return QFileInfo(dir.filePath(QStringLiteral("data.abs"))).isFile()
           || QFileInfo(dir.filePath(QStringLiteral("server.ini"))).isFile();
}

EngineKind EngineOf(const QSqlDatabase &db)
{
    return db.driverName() == u"QPSQL" ? EngineKind::Server : EngineKind::File;
}
