// The connection's side of a dataset's query: compiling it, stepping its rows
// into the query's row reader, and running it whole into the reader's cache.

#include "dataset/Errors.h"
#include "dataset/Params.h"
#include "dataset/RowReader.h"
#include "dataset/SqliteDB.h"

#include <sqlite3.h>

namespace torvik::dataset {

TStatementHandle TSqliteDB::Prepare(const char *engineText, const char **tail)
{
    if (!handle_)
        RaiseEngineError();
    sqlite3_stmt *compiled = nullptr;
    const int rc = sqlite3_prepare(handle_, engineText, -1, &compiled, tail);
    TStatementHandle statement(compiled);
    if (rc != SQLITE_OK)
        RaiseEngineError();
    return statement;
}

TStatementHandle TSqliteDB::PrepareQuery(const std::string &sql, TRowReader &reader)
{
    reader.Restart();
    lastSQL_ = sql;
    const std::string text = engineText(sql);
    if (SkippedBySemicolonRule(text))
        return nullptr;
    TStatementHandle statement = Prepare(text.c_str(), nullptr);
    if (statement)
        reader.Describe(statement.get());
    return statement;
}

bool TSqliteDB::FetchRow(sqlite3_stmt *statement, TRowReader &reader)
{
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        reader.ReadRow(statement);
        return true;
    }
    if (rc == SQLITE_DONE)
        return false;
    if (rc == SQLITE_BUSY && OnBusy) {
        OnBusy(*this);
        return false;
    }
    // The legacy interface names the real error only once the statement is reset.
    sqlite3_reset(statement);
    RaiseEngineError();
}

void TSqliteDB::RunQuery(const std::string &sql, TRowReader &reader, const TParams &params)
{
    lastSQL_ = sql;
    TStatementHandle statement = PrepareQuery(sql, reader);
    if (!statement)
        return;
    params.BindTo(statement.get());
    while (FetchRow(statement.get(), reader))
        reader.StoreRow();
    CloseStatement(std::move(statement));
}

void TSqliteDB::CloseStatement(TStatementHandle statement)
{
    if (statement)
        sqlite3_reset(statement.get());
}

} // namespace torvik::dataset
