#pragma once

// A compiled statement as a value: the handle finalizes it when it goes, on
// every path, errors included. Nothing else in the layer finalizes.

#include <memory>

struct sqlite3_stmt;

namespace torvik::dataset {

struct TStatementFinalizer {
    void operator()(sqlite3_stmt *statement) const noexcept;
};

using TStatementHandle = std::unique_ptr<sqlite3_stmt, TStatementFinalizer>;

} // namespace torvik::dataset
