#pragma once

#include <sqlite3.h>

#include <string>

namespace torvik::codec {

struct CodecFile;

// Takes a plain database out of WAL mode (checkpointed first), which an
// encrypted one cannot use. The change commits on its own.
int prepareForEncryption(sqlite3 *db, CodecFile *main, const std::string &journalMode);

// Copies the main database of `db` into a new private in-memory database
// with the encrypted format's page size, which `memory` receives; the
// caller's connection must hold the write lock. Returns an SQLite result
// code, the connection's error set with it.
int copyToMemory(sqlite3 *db, CodecFile *main, sqlite3 *&memory);

} // namespace torvik::codec
