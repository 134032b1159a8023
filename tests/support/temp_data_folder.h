#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh data folder in a temporary directory, made by the same code as `larderon init-data`.
// use() points the shared connection settings at it, the way the main window does at start-up.
class TempDataFolder
{
public:
    explicit TempDataFolder(bool demo = false);

    bool ok() const { return m_ok; }
    const QString &error() const { return m_error; }
    // The folder, ending with the path separator (like DataFolder).
    QString folder() const;
    QString databasePath() const;

    // Sets DataFolder, DatabasePath, DbMaxConnections 5 and DbMultiUser true.
    void use() const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
    QString m_error;
};
