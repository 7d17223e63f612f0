#pragma once

// What export and import share on the command line: the separator option
// and the table opened as the editor's window opens it.

#include "cli/CliDatabase.h"

#include "dataset/SqliteTable.h"

#include <QObject>

#include <optional>
#include <string>

namespace torvik::cli {

// --separator: one printable ASCII character, or the word "tab"; ";" when
// not given. Throws UsageError.
char separatorOption(const std::optional<std::string> &value);

// A table of the file, read as the editor's window reads it. An export walks
// it once from first to last: read forward only, no row is held in memory.
class CliTable {
public:
    enum class Reading { Cached, ForwardOnly };
    CliTable(CliDatabase &database, const std::string &utf8Name, Reading reading = Reading::Cached);
    dataset::TSqliteTable &table() { return table_; }
    const std::string &name() const { return name_; }

private:
    std::string name_; // GBK
    QObject owner_;
    dataset::TSqliteTable table_{&owner_};
};

} // namespace torvik::cli
