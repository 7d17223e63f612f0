#include "codec/EncryptionPreparation.h"

#include "codec/CodecFile.h"
#include "codec/EngineCalls.h"

#include <atomic>

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

// A page size other than the format's is changed on the way into memory:
// the backup API copies pages as they are, and VACUUM would renumber the
// rows of tables without an INTEGER PRIMARY KEY, which the editor addresses
// by row id. VACUUM INTO keeps them, and the engine's memdb VFS lets its
// target be memory: a second, read-only connection (the write lock held
// here lets readers in) rebuilds the file there. No copy touches the disk,
// and the file itself changes only when the copy comes back, in the one
// journalled transaction that also enciphers it.
int rebuildInMemory(sqlite3 *db, CodecFile *main, sqlite3 *&memory)
{
    const char *path = sqlite3_db_filename(db, "main");
    if (!path || !*path)
        return reportError(db, main, SQLITE_ERROR, "cannot change the page size of a database without a file");
    if (!sqlite3_vfs_find("memdb"))
        return reportError(db, main, SQLITE_ERROR, "the SQLite library has no memdb VFS to change the page size in");

    // A name beginning with "/" makes the memdb database one that every
    // connection of the process opening that name shares; the copy lives as
    // long as `memory` keeps it open.
    static std::atomic<unsigned> copies{0};
    const std::string name = "/torvik-codec-page-size-" + std::to_string(++copies);
    int rc = sqlite3_open_v2(name.c_str(), &memory, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, "memdb");
    if (rc != SQLITE_OK)
        return reportError(db, main, rc, memory ? sqlite3_errmsg(memory) : sqlite3_errstr(rc));

    sqlite3 *reader = nullptr;
    rc = sqlite3_open_v2(path, &reader, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc == SQLITE_OK)
        rc = execSql(reader, "PRAGMA temp_store=MEMORY; PRAGMA main.page_size=1024");
    sqlite3_stmt *vacuum = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(reader, "VACUUM main INTO ?1", -1, &vacuum, nullptr);
    if (rc == SQLITE_OK) {
        const std::string target = "file:" + name + "?vfs=memdb";
        sqlite3_bind_text(vacuum, 1, target.c_str(), -1, SQLITE_TRANSIENT);
        rc = sqlite3_step(vacuum);
        rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
    }
    sqlite3_finalize(vacuum);
    if (rc != SQLITE_OK)
        rc = reportError(db, main, rc, reader ? sqlite3_errmsg(reader) : sqlite3_errstr(rc));
    sqlite3_close(reader);
    return rc;
}

} // namespace

int prepareForEncryption(sqlite3 *db, CodecFile *main, const std::string &journalMode)
{
    if (sqlite3_stricmp(journalMode.c_str(), "wal") == 0)
        return leaveWalMode(db, main);
    return SQLITE_OK;
}

int copyToMemory(sqlite3 *db, CodecFile *main, sqlite3 *&memory)
{
    std::string size;
    int rc = querySingle(db, "PRAGMA main.page_size", size);
    if (rc != SQLITE_OK)
        return rc;
    if (size != std::to_string(kEncryptedPageSize)) {
        rc = rebuildInMemory(db, main, memory);
        if (rc != SQLITE_OK)
            return rc;
        // The memory connection learns the copy's page size when it first
        // reads it.
        rc = querySingle(memory, "SELECT count(*) FROM sqlite_master", size);
        if (rc == SQLITE_OK)
            rc = querySingle(memory, "PRAGMA main.page_size", size);
        if (rc != SQLITE_OK)
            return reportError(db, main, rc, sqlite3_errmsg(memory));
        if (size != std::to_string(kEncryptedPageSize))
            return reportError(db, main, SQLITE_ERROR, "cannot give the database 1024-byte pages");
        return SQLITE_OK;
    }
    rc = sqlite3_open_v2(":memory:", &memory, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK)
        rc = copyDatabase(memory, db, [] {});
    if (rc != SQLITE_OK)
        return reportError(db, main, rc, memory ? sqlite3_errmsg(memory) : sqlite3_errstr(rc));
    return SQLITE_OK;
}

} // namespace torvik::codec
