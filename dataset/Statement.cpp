#include "dataset/Statement.h"

#include <sqlite3.h>

namespace torvik::dataset {

void TStatementFinalizer::operator()(sqlite3_stmt *statement) const noexcept
{
    // The result repeats the last step's, which its caller has read with
    // sqlite3_reset already.
    sqlite3_finalize(statement);
}

} // namespace torvik::dataset
