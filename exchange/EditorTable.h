#pragma once

// A table dataset set up as a database window sets up its own, for exports
// and imports that run without a window (the command line, tests): the same
// settings give the same texts and the same statements.

namespace torvik::dataset {
class TSqliteDB;
class TSqliteTable;
} // namespace torvik::dataset

namespace torvik::exchange {

// Texts pass through as stored (GBK); each posted row is its own statement.
void setUpEditorConnection(dataset::TSqliteDB &db);
void setUpEditorTable(dataset::TSqliteTable &table, dataset::TSqliteDB &db);

} // namespace torvik::exchange
