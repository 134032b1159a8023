#include "db/data_folder.h"

#include "common/atomic_file.h"
#include "db/default_pictures.h"
#include "db/demo_data.h"
#include "db/passwords.h"
#include "db/row_insert.h"
#include "db/schema.h"
#include "engine/connection.h"
#include "engine/data_store.h"
#include "engine/transaction.h"

#include <QAtomicInteger>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>


namespace {

QVariantMap defaultSettings()
{
    return {
        {"OF_NAME", QStringLiteral("ชื่อหน่วยงาน (แก้ไขที่ ข้อมูลอ้างอิง > หน่วยงาน - สถานประกอบการ)")},
        {"PREFIX1", QStringLiteral("ISSU")},
        {"PREFIX2", QStringLiteral("RETN")},
        {"PREFIX3", QStringLiteral("RECV")},
        {"PREFIX4", QStringLiteral("ORDR")},
        {"LINE1", QStringLiteral("1")},
        {"LINE4", QStringLiteral("1")},
        {"LINE5", QStringLiteral("1")},
        {"VIEW1", QStringLiteral("0")},
        // Choices of the settings window that nothing else reads; it reads them as numbers, so
        // they start with the first choice rather than with nothing.
        {"LINE6", QStringLiteral("0")},
        {"POS_CHK_STK", QStringLiteral("0")},
        {"POS_PRINT", QStringLiteral("0")},
        {"PRN_TOP", 10.0},
        {"PRN_LEFT", 5.0},
        {"COM_PORT", QStringLiteral("1")},
        {"TYPE_VAT", QStringLiteral("0")},
        {"OF_NO", QStringLiteral("001")},
        {"PACK", QStringLiteral("1")},
        {"H_BILL_IN", QStringLiteral("ใบรับสินค้าเข้าคลัง")},
        {"H_BILL_OUT", QStringLiteral("ใบเบิกสินค้า / ใบส่งของ")},
        {"H_BILL_ORDER", QStringLiteral("ใบสั่งซื้อสินค้า")},
        {"M_IN", QStringLiteral("ผู้จำหน่าย")},
        {"M_OUT", QStringLiteral("ผู้เบิก")},
        {"F_IN", QStringLiteral("ผู้รับสินค้า")},
        {"F_OUT", QStringLiteral("ผู้เบิกสินค้า")},
        {"F_APPROVE", QStringLiteral("ผู้อนุมัติ")},
    };
}

QVariantMap demoCompany()
{
    QVariantMap settings = defaultSettings();
    settings.insert({{"OF_NAME", QStringLiteral("บริษัท ลาร์เดอรอน เทรดดิ้ง จำกัด")},
                     {"OF_ADD1", QStringLiteral("88/8 ถนนงามวงศ์วาน")},
                     {"OF_ADD2", QStringLiteral("แขวงลาดยาว เขตจตุจักร")},
                     {"OF_ADD4", QStringLiteral("กรุงเทพมหานคร")},
                     {"OF_ZIP", QStringLiteral("10900")},
                     {"OF_TAXID", QStringLiteral("0105561234567")},
                     {"OF_TEL", QStringLiteral("02-940-1234")},
                     {"OF_FAX", QStringLiteral("02-940-1235")},
                     {"OF_EMAIL", QStringLiteral("office@larderon.example")}});
    return settings;
}

// Writes a picture whole: encoded in memory, written under a temporary name and renamed once the
// file holds exactly those bytes. A picture already in place is kept when it is whole; a broken one
// (an empty or cut-off file left by a crash or a full disk) is written again.
bool savePicture(const QImage &image, const QString &fileName, const char *format, QString *error)
{
    if (QFileInfo::exists(fileName) && PictureFileIsWhole(fileName))
        return true;
    const QByteArray bytes = EncodePicture(image, format);
    if (bytes.isEmpty()) {
        *error = QStringLiteral("Cannot encode the picture '%1'").arg(fileName);
        return false;
    }
    const auto write = [&bytes](const QString &path, QString *failure) { return WriteBytes(path, bytes, failure); };
    const auto verify = [&bytes](const QString &path, QString *failure) { return HoldsBytes(path, bytes, failure); };
    return WriteFileWhole(fileName, write, verify, ExistingFile::Replace, error);
}

// Every table, the settings row, the first administrator and, with demo, the demo data, in the
// caller's transaction on an empty database.
bool populateTables(QSqlDatabase db, bool demo, QString *error)
{
    return CreateSchema(db, error)
           && InsertFullRow(db, QStringLiteral("orvexsys"), demo ? demoCompany() : defaultSettings(), error)
           && InsertFullRow(db, QStringLiteral("market"),
                            {{"USRNAME", QStringLiteral("admin")},
                             {"PASSWD", HashPassword(QString::fromUtf16(kAdminPassword))},
                             {"NAME", QStringLiteral("ผู้ดูแลระบบ")},
                             {"AC1", 1}},
                            error)
           && (!demo || InsertDemoData(db, QDate::currentDate(), error));
}

bool populateDatabase(QSqlDatabase db, bool demo, QString *error)
{
    Transaction transaction(db);
    return transaction.begin(Transaction::Mode::Immediate, error) && populateTables(db, demo, error)
           && transaction.commit(error);
}

bool buildDatabase(const QString &fileName, bool demo, QString *error)
{
    static QAtomicInteger<int> counter;
    const QString connectionName = QStringLiteral("larderon-create-%1").arg(++counter);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(fileName);
        if (!db.open()) {
            *error = db.lastError().text();
        } else {
            ok = populateDatabase(db, demo, error); // its transaction ends before the close below
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

// The default pictures (and with demo the products' pictures), each written whole.
bool writePictures(const QDir &dir, bool demo, QString *failure)
{
    if (!savePicture(DefaultLogo(), dir.filePath(QStringLiteral("logo.bmp")), "BMP", failure)
        || !savePicture(DefaultWindowPicture(), dir.filePath(QStringLiteral("larderon.jpg")), "JPG", failure)
        || !savePicture(ProductPicture(0), dir.filePath(QStringLiteral("picture/temp.jpg")), "JPG", failure))
        return false;
    if (demo) {
        int seed = 1;
        for (const QString &code : DemoProductsWithPicture()) {
            if (!savePicture(ProductPicture(seed++), dir.filePath(QStringLiteral("picture/%1.jpg").arg(code)), "JPG", failure))
                return false;
        }
    }
    return true;
}

// A folder for new data: named, holding neither data.abs nor server.ini, with its picture folder.
bool prepareFolder(const QString &folder, QDir *dir, QString *failure)
{
    if (folder.isEmpty()) {
        *failure = QStringLiteral("No folder was named for the new data");
        return false;
    }
    *dir = QDir(folder);
    for (const char *name : {"data.abs", "server.ini"}) {
        const QString existing = dir->absoluteFilePath(QString::fromLatin1(name));
        if (QFileInfo::exists(existing) || QFileInfo(existing).isSymLink()) {
            *failure = QStringLiteral("'%1' already exists; it is left as it is").arg(existing);
            return false;
        }
    }
    if (!dir->mkpath(QStringLiteral("picture"))) {
        *failure = QStringLiteral("Cannot create the folder '%1'").arg(dir->filePath(QStringLiteral("picture")));
        return false;
    }
    return true;
}

} // namespace

bool ServerHoldsNoProgramData(QSqlDatabase db, QString *error)
{
    QStringList names = {QStringLiteral("larderon_schema")};
    for (const TableDef &table : SchemaTables())
        names.append(table.name.toLower());
    for (const QString &name : names) {
        QSqlQuery probe(db);
        probe.prepare(QStringLiteral("SELECT to_regclass(:name) IS NOT NULL"));
        probe.bindValue(QStringLiteral(":name"), name);
        if (!probe.exec() || !probe.next()) {
            *error = probe.lastError().text();
            return false;
        }
        if (probe.value(0).toBool()) {
            *error = QStringLiteral("The database already holds the table '%1'; the program's data goes only into an "
                                    "empty database")
                         .arg(name);
            return false;
        }
    }
    return true;
}

bool CreateServerDataFolder(const QString &folder, const ServerConfig &server, bool demo, QString *error)
{
    QString failure;
    const auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    QDir dir;
    if (!prepareFolder(folder, &dir, &failure) || !writePictures(dir, demo, &failure))
        return fail(failure);
    const QString databasePath = dir.absoluteFilePath(QStringLiteral("data.abs"));
    const std::unique_ptr<Connection> connection = Connection::openServer({databasePath, 1, true}, server, &failure);
    if (!connection)
        return fail(failure);
    QSqlDatabase db = connection->database();
    if (!ServerHoldsNoProgramData(db, &failure))
        return fail(failure);
    // The tables and server.ini together: server.ini is written before the commit and removed
    // again when the commit fails, so the folder never names a database without the data.
    const QString ini = ServerIniPath(databasePath);
    Transaction transaction(db);
    if (!transaction.begin(Transaction::Mode::Immediate, &failure) || !populateTables(db, demo, &failure)
        || !WriteServerIni(ini, server, &failure))
        return fail(QStringLiteral("Cannot create the data on %1: %2").arg(server.describe(), failure));
    if (!transaction.commit(&failure)) {
        QFile::remove(ini);
        return fail(QStringLiteral("Cannot create the data on %1: %2").arg(server.describe(), failure));
    }
    return true;
}

bool CreateDataFolder(const QString &folder, bool demo, QString *error)
{
    QString failure;
    const auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    QDir dir;
    if (!prepareFolder(folder, &dir, &failure) || !writePictures(dir, demo, &failure))
        return fail(failure);
    const QString databaseFile = dir.absoluteFilePath(QStringLiteral("data.abs"));
    const auto exists = [&] { return QFileInfo::exists(databaseFile) || QFileInfo(databaseFile).isSymLink(); };
    const auto alreadyThere = [&] { return fail(QStringLiteral("'%1' already exists; it is left as it is").arg(databaseFile)); };

    // Built under a work name of this run alone (several runs may start at once) and put in place
    // only when complete, never over a data.abs that another run finished first.
    const QString workFile = databaseFile + QStringLiteral(".new-%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const auto removeWork = [&] {
        QFile::remove(workFile);
        QFile::remove(workFile + QStringLiteral("-journal"));
    };
    if (!buildDatabase(workFile, demo, &failure)) {
        removeWork();
        return exists() ? alreadyThere() : fail(QStringLiteral("Cannot create '%1': %2").arg(databaseFile, failure));
    }
    if (!SyncFile(workFile) || !RenameWithoutReplacing(workFile, databaseFile, &failure)) {
        removeWork();
        return exists() ? alreadyThere() : fail(QStringLiteral("Cannot put '%1' in place: %2").arg(databaseFile, failure));
    }
    SyncFolder(dir.absolutePath());
    return true;
}
