#pragma once

// The reading side of a query: describes a compiled statement's columns as
// field definitions and a record layout, reads each stepped row into a record
// with its row id, and hands finished rows to the result cache. A query owns
// one; the connection drives it while it steps.

#include "dataset/FieldDefs.h"
#include "dataset/Record.h"
#include "dataset/RecordLayout.h"
#include "dataset/ResultCache.h"

#include <cstdint>
#include <memory>

struct sqlite3_stmt;

namespace torvik::dataset {

class TRowReader {
public:
    // The definitions, layout and cache of the query that owns the reader.
    TRowReader(TFieldDefs &defs, TRecordLayout &layout, std::unique_ptr<TFResult> &cache)
        : defs_(defs), layout_(layout), cache_(cache)
    {
    }
    TRowReader(const TRowReader &) = delete;
    TRowReader &operator=(const TRowReader &) = delete;

    bool TypeLess() const { return typeLess_; }
    void setTypeLess(bool v) { typeLess_ = v; }

    // A new statement: no row, no row id column yet.
    void Restart();
    // Rebuilds definitions and layout from a statement with result columns
    // (one without leaves them); an empty cache is made anew for the layout.
    void Describe(sqlite3_stmt *statement);
    // Reads the row the statement stands on into Record().
    void ReadRow(sqlite3_stmt *statement);
    // Moves the row read last into the cache.
    void StoreRow();

    TRecord &Record() { return record_; }
    int32_t Rowid() const { return rowid_; }
    // Back to an empty record (a closed query keeps no row).
    void Clear() { record_.clear(); }

private:
    TFieldDefs &defs_;
    TRecordLayout &layout_;
    std::unique_ptr<TFResult> &cache_;
    bool typeLess_ = false;
    int rowidColumn_ = -1;
    TRecord record_; // the row being fetched
    int32_t rowid_ = -1;
};

} // namespace torvik::dataset
