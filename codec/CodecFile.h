#pragma once

// The file object of the codec VFS: the engine's view of a file, wrapping the
// platform VFS's file that lies right behind it in the same allocation.

#include "codec/CodecState.h"
#include "codec/FileRole.h"
#include "codec/JournalRecordTracker.h"

#include <sqlite3.h>

#include <memory>
#include <string>

namespace torvik::codec {

struct CodecFile {
    sqlite3_file base; // first: the engine sees this (asserted where the VFS opens a file)
    sqlite3_file *real = nullptr;
    FileRole role = FileRole::Other;
    // Journals and logs: the main database file of the same pager.
    CodecFile *mainFile = nullptr;
    // Main database files: the codec state once the connection has a key.
    std::unique_ptr<CodecState> state;
    JournalRecordTracker readRecords;
    JournalRecordTracker writeRecords;
    // While pinned, the engine's unlock requests are noted but not passed on,
    // so that no other connection can write between two steps of a re-key.
    bool lockPinned = false;
    int engineLock = SQLITE_LOCK_NONE;
    bool errorFunctionRegistered = false;
    bool authorizerInstalled = false;
    // Main database files: the connection they belong to (its pragmas reach
    // the codec through this file, without the connection).
    sqlite3 *db = nullptr;
    // Main database files: the page size of a journal of another page size
    // than the cipher's being rolled back. Such a journal belongs to a plain
    // database, so its images go back to the file as they are.
    int rollbackPageSize = 0;
    // Journals: the page size their header gives, once seen.
    int journalPageSize = 0;
    // Main database files: why the codec refused the last request it
    // refused, for the connection's error message, and the code it gave.
    int refusalCode = SQLITE_OK;
    std::string refusalMessage;

    CodecState *codec() const
    {
        if (role == FileRole::MainDb)
            return state.get();
        return mainFile ? mainFile->state.get() : nullptr;
    }
};

// The codec file behind the main database of a connection, or null when the
// connection's main database does not go through the codec VFS (":memory:",
// another VFS).
CodecFile *mainCodecFile(sqlite3 *db);

// Keeps the platform lock at least where it is now until unpinLock, which
// hands the engine's last wish on. Returns an SQLite result code.
void pinLock(CodecFile *file);
int unpinLock(CodecFile *file);

// Main database and journal I/O with the page cipher applied.
int readMainDb(CodecFile *file, void *buffer, int amount, sqlite3_int64 offset);
int writeMainDb(CodecFile *file, const void *buffer, int amount, sqlite3_int64 offset);
int readJournal(CodecFile *file, void *buffer, int amount, sqlite3_int64 offset);
int writeJournal(CodecFile *file, const void *buffer, int amount, sqlite3_int64 offset);

// Fails a request with `code` and keeps `message` for the connection's
// error message (see engineErrorMessage).
int refuse(CodecFile *main, int code, const char *message);

// Answers the engine's pragma file control for a keyed main database:
// SQLITE_NOTFOUND to let the pragma run, or an error with args[0] set.
int guardKeyedPragma(char **args);

// The "key", "rekey", "hexkey" and "hexrekey" pragmas on a main database:
// SQLITE_NOTFOUND for any other pragma, else the result of the key
// operation, with args[0] set to its message on failure.
int runKeyPragma(CodecFile *main, char **args);

// Refuses a temp_store other than memory, whichever schema names it, on a
// keyed connection. Installed once per connection; idempotent.
void installTempStoreGuard(sqlite3 *db, CodecFile *main);

} // namespace torvik::codec
