#include "db/data_folder.h"

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
#include <QSqlDatabase>
#include <QSqlError>

#include <cstdio>

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

bool savePicture(const QImage &image, const QString &fileName, const char *format, QString *error)
{
    if (QFileInfo::exists(fileName))
        return true; // a picture the user put there is kept
    if (image.save(fileName, format))
        return true;
    *error = QStringLiteral("Cannot write the picture '%1'").arg(fileName);
    return false;
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
            Transaction transaction(db);
            ok = transaction.begin(Transaction::Mode::Immediate, error) && CreateSchema(db, error)
                 && InsertFullRow(db, QStringLiteral("orvexsys"), demo ? demoCompany() : defaultSettings(), error)
                 && InsertFullRow(db, QStringLiteral("market"),
                                  {{"USRNAME", QStringLiteral("admin")},
                                   {"PASSWD", HashPassword(QString::fromUtf16(kAdminPassword))},
                                   {"NAME", QStringLiteral("ผู้ดูแลระบบ")},
                                   {"AC1", 1}},
                                  error)
                 && (!demo || InsertDemoData(db, QDate::currentDate(), error)) && transaction.commit(error);
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
    QDir dir(folder);
    const QString databaseFile = dir.filePath(QStringLiteral("data.abs"));
    if (QFileInfo::exists(databaseFile))
        return fail(QStringLiteral("'%1' already exists; it is left as it is").arg(databaseFile));
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

    // Built under a work name and renamed into place only when complete.
    const QString workFile = databaseFile + QStringLiteral(".new");
    QFile::remove(workFile);
    QFile::remove(workFile + QStringLiteral("-journal"));
    if (!buildDatabase(workFile, demo, &failure)) {
        QFile::remove(workFile);
        return fail(QStringLiteral("Cannot create '%1': %2").arg(databaseFile, failure));
    }
    if (QFileInfo::exists(databaseFile) || std::rename(QFile::encodeName(workFile).constData(), QFile::encodeName(databaseFile).constData()) != 0) {
        QFile::remove(workFile);
        return fail(QStringLiteral("Cannot put '%1' in place").arg(databaseFile));
    }
    return true;
}
