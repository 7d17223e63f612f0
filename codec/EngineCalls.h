#pragma once

// Small conveniences over the engine's API for the codec's own statements.

#include <sqlite3.h>

#include <string>

namespace torvik::codec {

struct CodecFile;

int execSql(sqlite3 *db, const char *sql);
// First column of the first row as text (empty without a row).
int querySingle(sqlite3 *db, const char *sql, std::string &value);
bool hasActiveStatement(sqlite3 *db);

// Leaves `message` and `code` as the connection's error (what sqlite3_errmsg
// and sqlite3_errcode answer) and returns `code`. The engine offers no call
// for that, so the message is raised by a one-row statement of the codec's
// own function.
int reportError(sqlite3 *db, CodecFile *main, int code, const std::string &message);

// Copies the whole of src's main database over dest's main database with the
// backup API. `onFailure` runs after a failed step, before the copy's
// transaction is rolled back.
template <typename OnFailure>
int copyDatabase(sqlite3 *dest, sqlite3 *src, OnFailure onFailure)
{
    sqlite3_backup *backup = sqlite3_backup_init(dest, "main", src, "main");
    if (!backup)
        return sqlite3_errcode(dest);
    const int rc = sqlite3_backup_step(backup, -1);
    if (rc != SQLITE_DONE)
        onFailure();
    const int finished = sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? finished : rc;
}

} // namespace torvik::codec
