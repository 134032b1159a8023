#include "app/app_path.h"

#include "engine/data_store.h"

#include "common/shared_state.h"

#include <QDir>
#include <QFile>

bool ReadAppPath(const QString &workingFolder, QString *dataFolder, QString *error)
{
    const QString fileName = QDir(workingFolder).filePath(QStringLiteral("app_path.txt"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("อ่านไฟล์ \"%1\" ไม่ได้ จึงยังไม่รู้ว่าข้อมูลอยู่ที่โฟลเดอร์ใด\nCannot open file \"%1\": %2")
                         .arg(QDir::toNativeSeparators(fileName), file.errorString());
        return false;
    }
    QString text = QString::fromUtf8(file.readAll());
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    *dataFolder = text;
    return true;
}

void ApplyConnectionSettings(const QString &dataFolder)
{
    SharedState &shared = Shared();
    shared.DataFolder = dataFolder;
    shared.DatabasePath = dataFolder + QStringLiteral("data.abs");
    shared.DbMaxConnections = 5;
    shared.DbMultiUser = true;
}

bool UseDataFolder(const QString &dir, QString *error)
{
    const QString folder = QDir(dir).absolutePath() + QLatin1Char('/');
    if (!HoldsData(folder)) {
        *error = QStringLiteral("'%1' is not a data folder (it holds neither data.abs nor server.ini)").arg(dir);
        return false;
    }
    ApplyConnectionSettings(folder);
    return true;
}
