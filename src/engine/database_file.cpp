#include "engine/database_file.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr qsizetype kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3"; // followed by a zero byte

} // namespace

bool ReadDatabaseFileHeader(const QString &path, DatabaseFileHeader *header, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open database file '%1': %2").arg(path, file.errorString());
        return false;
    }
    *header = DatabaseFileHeader();
    header->path = path;
    header->size = file.size();
    if (header->size == 0) {
        header->database = true;
        return true;
    }
    const QByteArray bytes = file.read(kHeaderSize);
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray(kMagic, sizeof kMagic)))
        return true;
    header->database = true;
    const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
    header->walMode = raw[18] == 2 || raw[19] == 2; // file format write / read version
    header->userVersion = qFromBigEndian<qint32>(raw + 60);
    return true;
}

bool CheckDatabaseFile(const QString &path, const DatabaseFileCheck &check, QString *error)
{
    DatabaseFileHeader header;
    if (!ReadDatabaseFileHeader(path, &header, error))
        return false;
    if (!header.database) {
        if (error)
            *error = QStringLiteral("Cannot open database file '%1': the file is not a database").arg(path);
        return false;
    }
    return !check || check(header, error);
}
