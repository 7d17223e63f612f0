// The connection's side of a dataset's query: compiling it, fetching rows into
// the dataset's fetch buffer, and filling its result cache.

#include "dataset/Errors.h"
#include "dataset/RecordValues.h"
#include "dataset/SqliteBaseQuery.h"
#include "dataset/SqliteDB.h"
#include "dataset/UiHooks.h"

#include <sqlite3.h>

namespace torvik::dataset {

sqlite3_stmt *TSqliteDB::PrepareQuery(const std::string &sql, TSqliteBaseQuery &dataset)
{
    dataset.fetchedRowid_ = -1;
    dataset.rowidColumn_ = -1;
    lastSQL_ = sql;
    const std::string text = engineText(sql);
    if (SkippedBySemicolonRule(text))
        return nullptr;
    if (!handle_)
        RaiseEngineError();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare(handle_, text.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        RaiseEngineError();
    }
    if (statement && sqlite3_column_count(statement) > 0) {
        try {
            BuildFieldDefs(statement, dataset.typeLess_, dataset.fieldDefs_, dataset.rowidColumn_);
            dataset.layout_.Build(dataset.fieldDefs_);
        } catch (...) {
            sqlite3_finalize(statement);
            throw;
        }
        // The fetch buffer fits the record, however wide the columns are.
        dataset.fetchRecord_.Reset(dataset.layout_);
        if (!dataset.cache_ || dataset.cache_->Count() == 0)
            dataset.cache_ = std::make_unique<TFResult>(dataset.layout_.DataSize(), &dataset.layout_);
    }
    return statement;
}

const uint8_t *TSqliteDB::FetchRow(sqlite3_stmt *statement, TSqliteBaseQuery &dataset)
{
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        TRecord &record = dataset.fetchRecord_;
        const TRecordLayout &layout = dataset.layout_;
        record.Reset(layout);
        const int columns = sqlite3_column_count(statement);
        int field = 0;
        for (int i = 0; i < columns; ++i) {
            if (i == dataset.rowidColumn_) {
                dataset.fetchedRowid_ = sqlite3_column_int(statement, i);
                continue;
            }
            if (field < layout.Count())
                StoreColumn(statement, i, layout.slot(field), record);
            ++field;
        }
        return record.data();
    }
    if (rc == SQLITE_DONE)
        return nullptr;
    if (rc == SQLITE_BUSY && OnBusy) {
        OnBusy(*this);
        return nullptr;
    }
    // The legacy interface names the real error only once the statement is reset.
    sqlite3_reset(statement);
    RaiseEngineError();
}

void TSqliteDB::RunQuery(const std::string &sql, TSqliteBaseQuery &dataset, const TParams &params)
{
    lastSQL_ = sql;
    BusyCursor cursor(dataset.sqlCursor_);
    dataset.fetchedRowid_ = -1;
    sqlite3_stmt *statement = PrepareQuery(sql, dataset);
    if (!statement)
        return;
    try {
        params.BindTo(statement);
        while (FetchRow(statement, dataset))
            dataset.cache_->AddRow(std::move(dataset.fetchRecord_), dataset.fetchedRowid_);
    } catch (...) {
        // A statement left open after a failure would hold its lock on the file.
        sqlite3_finalize(statement);
        throw;
    }
    CloseStatement(statement);
}

} // namespace torvik::dataset
