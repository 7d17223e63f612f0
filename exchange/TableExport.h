#pragma once

// Export of a table dataset's rows: the rows walked, their texts laid out
// (ExportLayout.h) and the file written once at the end. The editor's wizard
// and the command line both come here, so they write the same bytes.

#include "exchange/ExchangeProgress.h"
#include "exchange/ExportLayout.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::dataset {
class TDataSet;
class TField;
} // namespace torvik::dataset

namespace torvik::exchange {

// The name the file is written under: a text file's name gets ".txt" unless
// it holds ".TXT" anywhere (in any letter case, folders included); an XML or
// HTML file's name gets ".xml" or ".html" unless it already ends so (".htm"
// too).
QString exportFileName(const QString &chosen, ExportType type);

// The save dialog's filter for the type.
QString exportFileFilter(ExportType type);

// Writes the rows of the open dataset to path: all rows from the first, or
// with `selected` the rows of those bookmarks in ascending order. Progress:
// total rows + fields + 2; one step before the title, one per field name
// written, one per row, one after the file is saved. The file is created or
// replaced only when every row has been read. Throws the dataset layer's
// errors and EDatabaseError when the file cannot be written.
void exportTable(dataset::TDataSet &table, const std::string &tableName, const ExportOptions &options,
                 const std::vector<int32_t> *selected, const QString &path, ExchangeProgress &progress);

// Writes bytes as the whole file, replacing it; nothing is left behind when
// writing fails. Throws EDatabaseError.
void saveWholeFile(const QString &path, const ExportBytes &pieces);

} // namespace torvik::exchange
