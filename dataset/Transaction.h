#pragma once

// Runs work inside a transaction that `begin` opens on the connection:
// committed after the work, rolled back when the work or the commit fails,
// because a transaction left open keeps the file locked for everyone. The
// failure that ended the work is the one raised.

#include "dataset/SqliteDB.h"

#include <utility>

namespace torvik::dataset {

template <typename Begin, typename Work>
void InTransaction(TSqliteDB &db, Begin &&begin, Work &&work)
{
    std::forward<Begin>(begin)();
    try {
        std::forward<Work>(work)();
        db.Commit();
    } catch (...) {
        try {
            db.Rollback();
        } catch (...) {
            // The rollback's own failure would hide the one that matters.
        }
        throw;
    }
}

} // namespace torvik::dataset
