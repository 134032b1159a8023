#include "db/work_table.h"

#include "engine/data_store.h"

QString WorkTableTextType(QSqlDatabase db, int width)
{
    // The server's own collation would sort by the language's rules; the file compares bytes.
    return EngineOf(db) == EngineKind::Server ? QStringLiteral("varchar(%1) COLLATE \"C\"").arg(width)
                                              : QStringLiteral("varchar(%1)").arg(width);
}
