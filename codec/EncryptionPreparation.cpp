#include "codec/EncryptionPreparation.h"

#include "codec/CodecFile.h"
#include "codec/EngineCalls.h"
#include "codec/ScopedWriteLock.h"

#include <cstdio>

namespace torvik::codec {

namespace {

int leaveWalMode(sqlite3 *db, CodecFile *main)
{
    int rc = execSql(db, "PRAGMA main.wal_checkpoint(TRUNCATE)");
    if (rc != SQLITE_OK)
        return rc;
    std::string mode;
    rc = querySingle(db, "PRAGMA main.journal_mode=DELETE", mode);
    if (rc != SQLITE_OK)
        return rc;
    if (sqlite3_stricmp(mode.c_str(), "delete") != 0)
        return reportError(db, main, SQLITE_BUSY, "cannot leave WAL mode while another connection uses the database");
    return SQLITE_OK;
}

// VACUUM would renumber the rows of tables without an INTEGER PRIMARY KEY,
// and the editor addresses rows by row id; VACUUM INTO keeps them. The copy
// is made beside the database and copied back over it page by page, under
// one held write lock so that nothing committed in between is lost.
int rebuildWithPageSize(sqlite3 *db, CodecFile *main)
{
    const char *path = sqlite3_db_filename(db, "main");
    if (!path || !*path)
        return reportError(db, main, SQLITE_ERROR, "cannot change the page size of a database without a file");
    const std::string copyPath = std::string(path) + "-pagesize";
    std::remove(copyPath.c_str());

    ScopedWriteLock lock(db, main);
    int rc = lock.acquire();
    if (rc != SQLITE_OK)
        return rc;
    rc = execSql(db, "PRAGMA main.page_size=1024");
    sqlite3_stmt *vacuum = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "VACUUM main INTO ?1", -1, &vacuum, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(vacuum, 1, copyPath.c_str(), -1, SQLITE_TRANSIENT);
        rc = sqlite3_step(vacuum);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    sqlite3_finalize(vacuum);
    if (rc == SQLITE_OK) {
        sqlite3 *copy = nullptr;
        rc = sqlite3_open_v2(copyPath.c_str(), &copy, SQLITE_OPEN_READONLY, nullptr);
        if (rc == SQLITE_OK)
            rc = copyDatabase(db, copy, [] {});
        else
            rc = reportError(db, main, rc, sqlite3_errmsg(copy));
        sqlite3_close(copy);
    }
    std::remove(copyPath.c_str());
    return rc;
}

int convertPageSize(sqlite3 *db, CodecFile *main)
{
    std::string pages;
    int rc = querySingle(db, "PRAGMA main.page_count", pages);
    if (rc != SQLITE_OK)
        return rc;
    if (pages == "0")
        rc = execSql(db, "PRAGMA main.page_size=1024");
    else
        rc = rebuildWithPageSize(db, main);
    if (rc != SQLITE_OK)
        return rc;
    // The connection learns the page size of the copied-back file when it
    // next reads it.
    std::string size;
    rc = querySingle(db, "SELECT count(*) FROM sqlite_master", size);
    if (rc == SQLITE_OK)
        rc = querySingle(db, "PRAGMA main.page_size", size);
    if (rc == SQLITE_OK && size != "1024")
        return reportError(db, main, SQLITE_ERROR, "cannot give the database 1024-byte pages");
    return rc;
}

} // namespace

int prepareForEncryption(sqlite3 *db, CodecFile *main, const std::string &journalMode)
{
    if (sqlite3_stricmp(journalMode.c_str(), "wal") == 0) {
        if (const int rc = leaveWalMode(db, main); rc != SQLITE_OK)
            return rc;
    }
    std::string size;
    int rc = querySingle(db, "PRAGMA main.page_size", size);
    if (rc != SQLITE_OK || size == "1024")
        return rc;
    return convertPageSize(db, main);
}

} // namespace torvik::codec
