#include "db/data_connection.h"

#include "common/shared_state.h"
#include "db/schema.h"

ConnectionSettings CurrentConnectionSettings()
{
    const SharedState &shared = Shared();
    return {shared.DatabasePath, shared.DbMaxConnections, shared.DbMultiUser, DataFileCheck()};
}

DatabaseFileCheck DataFileCheck()
{
    return CheckDataFileHeader;
}

std::unique_ptr<Connection> OpenDataConnection(QString *error)
{
    return OpenDataConnection(CurrentConnectionSettings(), error);
}

std::unique_ptr<Connection> OpenDataConnection(const ConnectionSettings &settings, QString *error)
{
    ConnectionSettings checked = settings;
    checked.checkFile = DataFileCheck();
    std::unique_ptr<Connection> connection = Connection::open(checked, error);
    if (connection && !UpgradeSchema(connection->database(), error))
        return nullptr;
    return connection;
}
