#pragma once

// Import of rows into a table dataset: from lines of delimited text (the
// export's text layout) or from a Paradox table. Rows are only ever added,
// each posted as one INSERT, all inside one exclusive transaction that is
// committed however the import ends: a refused row ends the import and the
// rows before it stay. The editor's import dialog and the command line both
// come here, so they add the same rows.

#include "exchange/ExchangeProgress.h"

#include "dataset/Errors.h"

#include <functional>
#include <string>
#include <string_view>

namespace torvik::dataset {
class TDataSet;
class TSqliteDB;
} // namespace torvik::dataset

namespace torvik::exchange {

class ParadoxTable;

// The lines of text to import.
class ImportLines {
public:
    virtual ~ImportLines() = default;
    virtual int count() const = 0;
    // Line `index` (from 0) as the system's 8-bit (GBK) text; buffer may hold
    // the bytes. Throws for a line that has no such form.
    virtual std::string_view line(int index, std::string &buffer) = 0;
};

// A row the database or the dataset layer refused; the message names its line
// (or record) and then gives the reason.
class ImportRefused : public dataset::EDatabaseError {
public:
    ImportRefused(std::string message, int rowsAdded)
        : EDatabaseError(std::move(message)), rowsAdded_(rowsAdded)
    {
    }
    int rowsAdded() const { return rowsAdded_; }

private:
    int rowsAdded_;
};

struct ImportOutcome {
    int rowsAdded = 0;
    // The record number the last added row had just before it was posted (0
    // when no row was added): where the table is positioned afterwards.
    int lastRecNo = 0;
};

// The text loop. Progress: total lines + 2, one step per line. A line that is
// empty or holds no separator is skipped. Each value goes to the next field in
// field order (LineValues.h); an ftBlob field's value is decoded from
// hexadecimal. Throws ImportRefused.
ImportOutcome importTextRows(dataset::TDataSet &table, ImportLines &lines, char separator,
                             ExchangeProgress &progress);

// The Paradox loop. Progress: total records + 2, one step per record. Each
// field takes the source field of the same name (ignoring case) as text; a
// value that cannot be read gives "0"; a field without a counterpart stays
// without a value. processEvents runs after every field and every record.
// Throws ImportRefused.
ImportOutcome importParadoxRows(dataset::TDataSet &table, ParadoxTable &source, ExchangeProgress &progress,
                                const std::function<void()> &processEvents);

// Runs rows() between "begin exclusive transaction" and "commit transaction",
// showing progress: one step after the begin and one after the commit. The
// commit runs also when rows() throws.
ImportOutcome inExclusiveImport(dataset::TSqliteDB &connection, ExchangeProgress &progress,
                                const std::function<ImportOutcome()> &rows);

} // namespace torvik::exchange
