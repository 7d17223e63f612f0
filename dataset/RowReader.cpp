#include "dataset/RowReader.h"

#include "dataset/RecordValues.h"

#include <sqlite3.h>

namespace torvik::dataset {

void TRowReader::Restart()
{
    rowid_ = -1;
    rowidColumn_ = -1;
}

void TRowReader::Describe(sqlite3_stmt *statement)
{
    if (sqlite3_column_count(statement) == 0)
        return;
    BuildFieldDefs(statement, typeLess_, defs_, rowidColumn_);
    layout_.Build(defs_);
    // The fetch record fits the layout, however wide the columns are.
    record_.Reset(layout_);
    if (!cache_ || cache_->Count() == 0)
        cache_ = std::make_unique<TFResult>(layout_.DataSize(), &layout_);
}

void TRowReader::ReadRow(sqlite3_stmt *statement)
{
    record_.Reset(layout_);
    const int columns = sqlite3_column_count(statement);
    int field = 0;
    for (int i = 0; i < columns; ++i) {
        if (i == rowidColumn_) {
            rowid_ = sqlite3_column_int(statement, i);
            continue;
        }
        if (field < layout_.Count())
            StoreColumn(statement, i, layout_.slot(field), record_);
        ++field;
    }
}

void TRowReader::StoreRow()
{
    cache_->AddRow(std::move(record_), rowid_);
}

} // namespace torvik::dataset
