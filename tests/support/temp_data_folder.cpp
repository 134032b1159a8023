#include "temp_data_folder.h"

#include "common/shared_state.h"
#include "db/data_folder.h"

TempDataFolder::TempDataFolder(bool demo)
{
    m_ok = m_dir.isValid() && CreateDataFolder(m_dir.path(), demo, &m_error);
}

QString TempDataFolder::folder() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDataFolder::databasePath() const
{
    return folder() + QStringLiteral("data.abs");
}

void TempDataFolder::use() const
{
    SharedState &shared = Shared();
    shared.DataFolder = folder();
    shared.DatabasePath = databasePath();
    shared.DbMaxConnections = 5;
    shared.DbMultiUser = true;
}
