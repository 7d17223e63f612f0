#pragma once

// Holds the database file's write lock across several engine transactions of
// one connection (the copies of a re-key), so that no other connection can
// commit between them. The lock is taken through the engine, so its busy
// handling applies, and then kept by the codec VFS while the engine believes
// it has let go.

#include <sqlite3.h>

namespace torvik::codec {

struct CodecFile;

class ScopedWriteLock {
public:
    ScopedWriteLock(sqlite3 *db, CodecFile *main) : db_(db), main_(main) {}
    ~ScopedWriteLock() { release(); }
    ScopedWriteLock(const ScopedWriteLock &) = delete;
    ScopedWriteLock &operator=(const ScopedWriteLock &) = delete;

    int acquire();
    int release();

private:
    sqlite3 *db_;
    CodecFile *main_;
    bool held_ = false;
};

} // namespace torvik::codec
