#include "db/data_folder.h"

#include "common/atomic_file.h"
#include "db/default_pictures.h"
#include "db/demo_data.h"
#include "db/passwords.h"
#include "db/row_insert.h"
#include "db/schema.h"
#include "engine/transaction.h"

#include <QAtomicInteger>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>


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
            {
                Transaction transaction(db); // rolled back, if need be, before the close below
                ok = transaction.begin(Transaction::Mode::Immediate, error) && CreateSchema(db, error)
                     && InsertFullRow(db, QStringLiteral("orvexsys"), demo ? demoCompany() : defaultSettings(), error)
                     && InsertFullRow(db, QStringLiteral("market"),
                                      {{"USRNAME", QStringLiteral("admin")},
                                       {"PASSWD", HashPassword(QString::fromUtf16(kAdminPassword))},
                                       {"NAME", QStringLiteral("ผู้ดูแลระบบ")},
                                       {"AC1", 1}},
                                      error)
                     && (!demo || InsertDemoData(db, QDate::currentDate(), error)) && transaction.commit(error);
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

} // namespace

bool CreateDataFolder(const QString &folder, bool demo, QString *error)
{
    QString failure;
    const auto fail = [&](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (folder.isEmpty())
        return fail(QStringLiteral("No folder was named for the new data"));
    QDir dir(folder);
    const QString databaseFile = dir.absoluteFilePath(QStringLiteral("data.abs"));
    const auto exists = [&] { return QFileInfo::exists(databaseFile) || QFileInfo(databaseFile).isSymLink(); };
    const auto alreadyThere = [&] { return fail(QStringLiteral("'%1' already exists; it is left as it is").arg(databaseFile)); };
    if (exists())
        return alreadyThere();
    if (!dir.mkpath(QStringLiteral("picture")))
        return fail(QStringLiteral("Cannot create the folder '%1'").arg(dir.filePath(QStringLiteral("picture"))));

    if (!savePicture(DefaultLogo(), dir.filePath(QStringLiteral("logo.bmp")), "BMP", &failure)
        || !savePicture(DefaultWindowPicture(), dir.filePath(QStringLiteral("larderon.jpg")), "JPG", &failure)
        || !savePicture(ProductPicture(0), dir.filePath(QStringLiteral("picture/temp.jpg")), "JPG", &failure))
        return fail(failure);
    if (demo) {
        int seed = 1;
        for (const QString &code : DemoProductsWithPicture()) {
            if (!savePicture(ProductPicture(seed++), dir.filePath(QStringLiteral("picture/%1.jpg").arg(code)), "JPG", &failure))
                return fail(failure);
        }
    }

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
