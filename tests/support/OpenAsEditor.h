#pragma once

// Opens a table of a file on a connection and table dataset set up as a
// database window sets up its own: what exchange and command-line tests run
// the editor's export and import over.

#include "dataset/SqliteDB.h"
#include "dataset/SqliteTable.h"
#include "exchange/EditorTable.h"

#include <QString>

#include <string>

namespace torvik::test {

inline void openAsEditor(dataset::TSqliteDB &db, dataset::TSqliteTable &table, const QString &path,
                         const std::string &name)
{
    exchange::setUpEditorConnection(db);
    db.setDatabase(path);
    db.Open();
    exchange::setUpEditorTable(table, db);
    table.setTableName(name);
    table.Open();
}

} // namespace torvik::test
