#include "exchange/EditorTable.h"

#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"

namespace torvik::exchange {

void setUpEditorConnection(dataset::TSqliteDB &db)
{
    db.setTimeOut(5000);
    db.setCharacterEncoding("STANDARD");
}

void setUpEditorTable(dataset::TSqliteTable &table, dataset::TSqliteDB &db)
{
    table.setConnection(&db);
    table.setAutoCommit(false);
    table.setSQLiteDateFormat(true);
    table.setSQLCursor(true);
}

} // namespace torvik::exchange
